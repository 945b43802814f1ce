#pragma once
// Text drawn in one line inside a rectangle of the skin.

#include <QString>

class QPainter;
class QRect;

namespace voltrane {

// Draws `text` in one line in `rect` with the alignment `flags`. Text wider than the rectangle (German
// and Korean captions can be) is drawn in a font made just small enough to fit, rather than cut off.
void DrawFittedText(QPainter& painter, const QRect& rect, const QString& text, int flags);

}  // namespace voltrane
