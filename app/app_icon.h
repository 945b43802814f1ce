#pragma once
// The program's icon, drawn here: a mouse in the skins' blue on a dark tile.

#include <QIcon>

namespace voltrane {

QIcon AppIcon();

}  // namespace voltrane
