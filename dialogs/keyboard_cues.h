#pragma once
// What a dialog shows of its keyboard: the focus ring on the control that has the keyboard focus
// (drawn only while the focus came from the keyboard), and the line that says which keys do what.

#include "capture/dialog_texts.h"

class QPainter;
class QRect;

namespace voltrane {

// A 2-pixel white frame just inside `rect`: at least 3:1 against the dark panels, the blue glow of
// a hovered button and the grey of the skins' edges.
void PaintFocusRing(QPainter& painter, const QRect& rect);

// The line `hint` in grey in the small font of `language`, fitted into `rect`.
void PaintKeyboardHint(QPainter& painter, const QRect& rect, KeyboardHint hint, int language);

}  // namespace voltrane
