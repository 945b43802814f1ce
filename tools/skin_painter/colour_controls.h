#pragma once
// The colour page's own controls: the colour wheel and the colour swatches.

#include <QPainter>
#include <QRectF>

#include "tools/skin_painter/canvas.h"

namespace voltrane::skinpaint {

// A hue ring around a dark hub.
void drawColourWheel(QPainter& p, const QRectF& r, State state);

// A swatch of item `item` (104..112), showing the item's built-in colour in a dark frame.
void drawSwatch(QPainter& p, int item, const QRectF& r, State state);

}  // namespace voltrane::skinpaint
