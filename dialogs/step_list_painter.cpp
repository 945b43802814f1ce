#include "dialogs/step_list_painter.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTextOption>
#include <algorithm>
#include <tuple>
#include <utility>

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

// How every row of a list is set: its font, and how far below the row's top its line starts.
struct RowSetting {
    QFont font;
    int lineTop;
};

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

// The first and last pixel row, from the line's top down, that `text` in `font` visibly inks: its
// glyphs as drawn (fallback fonts and antialiasing included), without the faint fringe that reads
// as background.
std::pair<int, int> inkExtent(const QFont& font, const QString& text) {
    constexpr int kVisible = 96;  // of 255: lighter ink than this is fringe
    const int width = QFontMetrics(font).horizontalAdvance(text) + 2;
    QImage image(width, 4 * kStepRowHeight, QImage::Format_Grayscale8);
    image.fill(0);
    QPainter painter(&image);
    painter.setPen(Qt::white);
    drawLine(painter, 1, kStepRowHeight, width, text, font);
    painter.end();
    int top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const uchar* line = image.constScanLine(y);
        if (std::any_of(line, line + width, [](uchar grey) { return grey >= kVisible; })) {
            top = std::min(top, y);
            bottom = y;
        }
    }
    return bottom < 0 ? std::pair{0, 0} : std::pair{top - kStepRowHeight, bottom - kStepRowHeight};
}

// Rows are set as a line centred in the row where the words of `language` stay inside it and clear
// of its bottom pixel, so that the glyphs of two rows never touch. Otherwise the words are centred
// above that pixel; where they are taller than that (Han characters, kana and Hangul fill the whole
// em of a font as tall as the row), in a smaller font, down to the smallest readable size.
RowSetting rowSetting(const QFont& font, int language) {
    constexpr int kInkHeight = kStepRowHeight - 1;  // the row less its bottom pixel
    const QString words = rowWords(language);
    auto [top, bottom] = inkExtent(font, words);
    const int centred = (kStepRowHeight - QFontMetrics(font).height()) / 2;
    if (centred + top >= 0 && centred + bottom < kInkHeight) return {font, centred};
    QFont fitted = font;
    while (fitted.pixelSize() > kSmallestTextPixels && bottom - top + 1 > kInkHeight) {
        fitted.setPixelSize(fitted.pixelSize() - 1);
        std::tie(top, bottom) = inkExtent(fitted, words);
    }
    return {fitted, (kInkHeight - (bottom - top + 1)) / 2 - top};
}

void drawRow(QPainter& painter, const QRect& row, const QString& text, const RowSetting& setting) {
    drawLine(painter, row.left(), row.top() + setting.lineTop, row.width(), text, setting.font);
}

}  // namespace

QRect PaintStepRows(QPainter& painter, const MacroRecord& record, int top, int rows, const QRect& list,
                    std::initializer_list<int> white, int language, const KeyNames& keys) {
    const RowSetting setting = rowSetting(painter.font(), language);
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
    drawRow(painter, row, text, rowSetting(painter.font(), language));
}

}  // namespace voltrane
