#pragma once
// The macro editor's three-state strips (button.jpg, check.jpg) and the slider thumbs.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QSize>

#include "tools/skin_painter/canvas.h"

namespace voltrane::skinpaint {

// The flat colour of the editor's control panel, which the strips' corners are drawn on.
inline const QColor kStripBase{0x12, 0x17, 0x1e};

// One state of a strip: the button face fits the narrowest button region (100 x 23), the check row
// the check box regions (225 x 17).
inline constexpr QSize kButtonFaceSize{100, 23};
inline constexpr QSize kCheckFaceSize{225, 17};

// A button face or a check row in `state`, with its top-left corner at `at`.
void drawButtonFace(QPainter& p, QPointF at, State state);
void drawCheckFace(QPainter& p, QPointF at, State state);

// A strip of three states stacked top to bottom: at rest, on, hot.
QImage paintButtonStrip(int scale);
QImage paintCheckStrip(int scale);

// The slider thumb on black (the transparent colour), pointing down or up.
QImage paintThumb(bool pointingDown, int scale);

}  // namespace voltrane::skinpaint
