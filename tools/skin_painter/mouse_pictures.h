#pragma once
// The mouse on the basic page, with leader lines from each button to its button item: seen from above,
// or from its left side while buttons 6 and 7 are being set.

#include <QPainter>

namespace voltrane::skinpaint {

void drawMouseFromAbove(QPainter& p);
void drawMouseFromSide(QPainter& p);

}  // namespace voltrane::skinpaint
