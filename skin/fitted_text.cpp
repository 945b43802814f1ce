#include "skin/fitted_text.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace voltrane {

namespace {

constexpr int kSmallestPixels = 8;

}  // namespace

void DrawFittedText(QPainter& painter, const QRect& rect, const QString& text, int flags) {
    const QFont font = painter.font();
    const int width = QFontMetrics(font).horizontalAdvance(text);
    if (width > rect.width() && font.pixelSize() > 0) {
        QFont fitted = font;
        fitted.setPixelSize(std::max(kSmallestPixels, font.pixelSize() * rect.width() / width));
        painter.setFont(fitted);
    }
    painter.drawText(rect, flags | Qt::TextSingleLine, text);
    painter.setFont(font);
}

}  // namespace voltrane
