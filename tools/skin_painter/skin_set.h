#pragma once
// Every skin image, painted by its index, and the folder they are written to.

#include <QImage>
#include <QString>

#include "skin/skin_files.h"

namespace voltrane::skinpaint {

// Skin image `image` at `scale` device pixels per logical pixel (1, or 2 for the "@2x" version).
QImage paintSkin(SkinImage image, int scale);

// Paints every skin image at both scales into `folder` (created when missing). Returns false and
// names the file in `error` when one cannot be written.
bool writeSkins(const QString& folder, QString& error);

}  // namespace voltrane::skinpaint
