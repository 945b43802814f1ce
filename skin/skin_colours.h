#pragma once
// The colours of text and rows on the skins.

#include <QColor>

namespace voltrane {

inline const QColor kGreyText(0xB4, 0xB4, 0xB4);     // captions, buttons and rows at rest
inline const QColor kBlueText(0x00, 0x78, 0xFA);     // dialog buttons not under the cursor
inline const QColor kSelectedRow(0x33, 0x99, 0xFF);  // the selected row of a macro list

}  // namespace voltrane
