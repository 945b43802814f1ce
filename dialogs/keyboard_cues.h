#pragma once
// The line a dialog shows to say which keys do what.

#include "capture/dialog_texts.h"

class QPainter;
class QRect;

namespace voltrane {

// The line `hint` in grey in the small font of `language`, fitted into `rect`.
void PaintKeyboardHint(QPainter& painter, const QRect& rect, KeyboardHint hint, int language);

}  // namespace voltrane
