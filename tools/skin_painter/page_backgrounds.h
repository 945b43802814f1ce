#pragma once
// The panels behind the items of each main-window page.

#include <QPainter>

namespace voltrane::skinpaint {

// Page 0: the mouse panel on the left, lighting, report rate and DPI on the right.
void drawBasicPanels(QPainter& p);

// Page 1: the pointer settings on the left, the macro panel on the right.
void drawAdvancedPanels(QPainter& p);

// Page 2: the colour wheel on the left, brightness, breathing speed and swatches on the right.
void drawColourPanels(QPainter& p);

}  // namespace voltrane::skinpaint
