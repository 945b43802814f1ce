#include "dialogs/keyboard_cues.h"

#include <QPainter>

#include "skin/fitted_text.h"
#include "skin/qt_text.h"
#include "skin/skin_colours.h"
#include "skin/skin_fonts.h"

namespace voltrane {

namespace {
constexpr int kRingWidth = 2;
}  // namespace

void PaintFocusRing(QPainter& painter, const QRect& rect) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(Qt::NoBrush);
    for (int inset = 0; inset < kRingWidth; ++inset)
        painter.drawRect(rect.adjusted(inset, inset, -1 - inset, -1 - inset));
    painter.restore();
}

void PaintKeyboardHint(QPainter& painter, const QRect& rect, KeyboardHint hint, int language) {
    painter.save();
    painter.setFont(SmallFont(language));
    painter.setPen(kGreyText);
    DrawFittedText(painter, rect, ToQString(KeyboardHintText(hint, language)),
                   Qt::AlignLeft | Qt::AlignVCenter);
    painter.restore();
}

}  // namespace voltrane
