#pragma once
// The face of every main-window item in each of its states, drawn inside the item's rectangle.

#include <QPainter>

#include "tools/skin_painter/canvas.h"

namespace voltrane::skinpaint {

// Draws item `item` (0..130) in `state`; items without a rectangle draw nothing.
void drawItemFace(QPainter& p, int item, State state);

}  // namespace voltrane::skinpaint
