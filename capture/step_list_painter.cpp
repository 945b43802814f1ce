#include "capture/step_list_painter.h"

#include <QPainter>
#include <algorithm>

#include "capture/step_text.h"
#include "skin/qt_text.h"
#include "skin/skin_colours.h"

namespace voltrane {

QRect PaintStepRows(QPainter& painter, const MacroRecord& record, int top, int rows, const QRect& list,
                    std::initializer_list<int> white, int language) {
    QRect row(list.topLeft(), QSize(list.width(), kStepRowHeight));
    for (int step = top; step < top + rows && step < kMacroSlots; ++step) {
        const bool lit = std::find(white.begin(), white.end(), step) != white.end();
        painter.setPen(lit ? QColor(Qt::white) : kGreyText);
        DrawRowText(painter, row, ToQString(StepRowText(record.steps[step], step, language)));
        row.translate(0, kStepRowHeight);
    }
    return row;
}

void DrawRowText(QPainter& painter, const QRect& row, const QString& text) {
    painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextExpandTabs, text);
}

}  // namespace voltrane
