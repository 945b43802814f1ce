#include "dialogs/step_list_painter.h"

#include <QPainter>
#include <QTextOption>
#include <algorithm>

#include "capture/step_text.h"
#include "settings/text_tables.h"
#include "skin/fitted_text.h"
#include "skin/qt_text.h"
#include "skin/skin_colours.h"

namespace voltrane {

namespace {

constexpr qreal kKindColumn = 30;    // pixels from the row's left edge
constexpr qreal kValueColumn = 134;  // past the longest kind, "<Hold down the button>" included

// The words the rows of `language` are made of, with the digits and brackets around them: the
// tallest glyphs a row can hold.
QString rowWords(int language) {
    QString words = QStringLiteral("0123456789<>");
    for (int row = 0; row < GetTableShape(TextTable::MacroEvent).rows; ++row)
        words += ToQString(GetText(TextTable::MacroEvent, row, language));
    return words;
}

// A line of `text` in `font` from (`left`, `top`), its fields in columns: the step's number, its kind,
// then what it presses or waits.
void drawLine(QPainter& painter, int left, int top, int width, const QString& text, const QFont& font) {
    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(QTextOption::NoWrap);
    option.setTabArray({kKindColumn, kValueColumn});
    const QFont before = painter.font();
    painter.setFont(font);
    painter.drawText(QRectF(left, top, width, 3 * kStepRowHeight), text, option);
    painter.setFont(before);
}

void drawRow(QPainter& painter, const QRect& row, const QString& text, const RowSetting& setting) {
    drawLine(painter, row.left(), row.top() + setting.lineTop, row.width(), text, setting.font);
}

}  // namespace

QRect PaintStepRows(QPainter& painter, const MacroRecord& record, int top, int rows, const QRect& list,
                    std::initializer_list<int> white, int language, const KeyNames& keys) {
    const RowSetting setting = FitRows(painter.font(), kStepRowHeight, rowWords(language));
    QRect row(list.topLeft(), QSize(list.width(), kStepRowHeight));
    for (int step = top; step < top + rows && step < kMacroSlots; ++step) {
        const bool lit = std::find(white.begin(), white.end(), step) != white.end();
        painter.setPen(lit ? kWhiteText : kGreyText);
        drawRow(painter, row, ToQString(StepRowText(record.steps[step], step, language, keys)), setting);
        row.translate(0, kStepRowHeight);
    }
    return row;
}

void DrawRowText(QPainter& painter, const QRect& row, const QString& text, int language) {
    drawRow(painter, row, text, FitRows(painter.font(), kStepRowHeight, rowWords(language)));
}

}  // namespace voltrane
