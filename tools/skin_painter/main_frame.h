#pragma once
// What every page of the main window shares: outline, base, header, tab rail and footer panels.

#include <QPainter>
#include <QPainterPath>

namespace voltrane::skinpaint {

// The main window's outline, corners cut at 45 degrees.
QPainterPath mainWindowShape();

// The base of every page: background, frame, header with emblem and language slot, the rail under the
// page tabs and the footer panels behind the profile and OK / Apply / Cancel items.
void drawMainFrame(QPainter& p);

// Faint diagonal stripes over `r`, a texture for empty areas.
void drawStripes(QPainter& p, const QRectF& r, int alpha);

}  // namespace voltrane::skinpaint
