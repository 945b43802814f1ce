#include "dialogs/step_list_painter.h"

#include <QPainter>
#include <QTextOption>
#include <algorithm>

#include "capture/step_text.h"
#include "skin/qt_text.h"
#include "skin/skin_colours.h"

namespace voltrane {

namespace {

constexpr qreal kKindColumn = 30;    // pixels from the row's left edge
constexpr qreal kValueColumn = 134;  // past the longest kind, "<Hold down the button>" included

}  // namespace

QRect PaintStepRows(QPainter& painter, const MacroRecord& record, int top, int rows, const QRect& list,
                    std::initializer_list<int> white, int language, const KeyNames& keys) {
    QRect row(list.topLeft(), QSize(list.width(), kStepRowHeight));
    for (int step = top; step < top + rows && step < kMacroSlots; ++step) {
        const bool lit = std::find(white.begin(), white.end(), step) != white.end();
        painter.setPen(lit ? kWhiteText : kGreyText);
        DrawRowText(painter, row, ToQString(StepRowText(record.steps[step], step, language, keys)));
        row.translate(0, kStepRowHeight);
    }
    return row;
}

// The fields stand in columns: the step's number, its kind, then what it presses or waits.
void DrawRowText(QPainter& painter, const QRect& row, const QString& text) {
    QTextOption option(Qt::AlignLeft | Qt::AlignVCenter);
    option.setWrapMode(QTextOption::NoWrap);
    option.setTabArray({kKindColumn, kValueColumn});
    painter.drawText(QRectF(row), text, option);
}

}  // namespace voltrane
