#include "dialogs/keyboard_cues.h"

#include <QPainter>

#include "skin/fitted_text.h"
#include "skin/qt_text.h"
#include "skin/skin_colours.h"
#include "skin/skin_fonts.h"

namespace voltrane {

void PaintKeyboardHint(QPainter& painter, const QRect& rect, KeyboardHint hint, int language) {
    painter.save();
    painter.setFont(SmallFont(language));
    painter.setPen(kGreyText);
    DrawFittedText(painter, rect, ToQString(KeyboardHintText(hint, language)),
                   Qt::AlignLeft | Qt::AlignVCenter);
    painter.restore();
}

}  // namespace voltrane
