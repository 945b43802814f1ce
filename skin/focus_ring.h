#pragma once
// The keyboard focus ring of the skinned windows, drawn around a painted control while the keyboard
// moved the focus there.

#include <QRect>

class QPainter;

namespace voltrane {

// The rectangle a ring around `control` covers: a few pixels outside the control on every side.
QRect FocusRingRect(const QRect& control);

// Draws the ring around `control`: two pixels of white inside one of black.
void DrawFocusRing(QPainter& painter, const QRect& control);

}  // namespace voltrane
