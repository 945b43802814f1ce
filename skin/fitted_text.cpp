#include "skin/fitted_text.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QTextBoundaryFinder>
#include <QTextOption>
#include <algorithm>
#include <optional>
#include <tuple>
#include <utility>

#include "skin/word_breaks.h"

namespace voltrane {

namespace {

FittedTextLog* g_log = nullptr;

// A text stays in one line while it shrinks to this share (in percent) of its font's size; smaller
// than that, two lines at a larger size read better where the rectangle holds them.
constexpr int kOneLineShrink = 80;

constexpr int kHorizontal = Qt::AlignLeft | Qt::AlignRight | Qt::AlignHCenter | Qt::AlignJustify;

// The item's rectangle less the margins at the ends the text may reach: both for centred text, the
// far end for text that starts at an edge (so that it starts where it always did).
QRect roomOf(const QRect& rect, int flags) {
    if (flags & Qt::AlignLeft) return rect.adjusted(0, 0, -kTextMargin, 0);
    if (flags & Qt::AlignRight) return rect.adjusted(kTextMargin, 0, 0, 0);
    return rect.adjusted(kTextMargin, 0, -kTextMargin, 0);
}

// The rectangles the lines of a text are set in, one under the other, placed in `room` as `flags` say.
// A line is the font's line spacing high where the room has it, else as high as the room allows down
// to the font's size (two lines of a menu item sit closer than the font would set them).
QList<QRect> lineRects(const QFont& font, const QRect& room, int lines, int flags) {
    if (lines == 1) return {room};
    const int pitch = std::min(QFontMetrics(font).lineSpacing(), room.height() / lines);
    int top = room.top();
    if (flags & Qt::AlignVCenter) top += (room.height() - pitch * lines) / 2;
    if (flags & Qt::AlignBottom) top = room.bottom() + 1 - pitch * lines;
    QList<QRect> rects;
    for (int line = 0; line < lines; ++line)
        rects.append(QRect(room.left(), top + line * pitch, room.width(), pitch));
    return rects;
}

// The flags each line is drawn with: the text's horizontal alignment, centred in its line.
int lineFlags(int flags) { return (flags & kHorizontal) | Qt::AlignVCenter | Qt::TextSingleLine; }

// Whether every line of `lines`, drawn across `room` with `flags`, stays between its ends, and the
// lines stand at the font's size.
bool fits(const QFont& font, const QRect& room, const QStringList& lines, int flags) {
    const QFontMetrics metrics(font);
    if (room.height() / int(lines.size()) < font.pixelSize()) return false;
    return std::all_of(lines.begin(), lines.end(), [&](const QString& line) {
        const QRect box = metrics.boundingRect(room, lineFlags(flags), line);
        return box.left() >= room.left() && box.right() <= room.right();
    });
}

// The two lines `text` breaks into at `at`, with a hyphen where a word is cut.
QStringList brokenAt(const QString& text, qsizetype at, bool hyphen) {
    return {text.left(at).trimmed() + (hyphen ? QStringLiteral("-") : QString()), text.mid(at).trimmed()};
}

// The places `text` may break in two: between words and at the joints of a compound word
// (`betweenWords`), or else between the characters of a word where the script allows it (CJK).
std::vector<QStringList> twoLineCandidates(const QString& text, bool betweenWords) {
    std::vector<QStringList> candidates;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Line, text);
    for (qsizetype at = finder.toNextBoundary(); at > 0 && at < text.size(); at = finder.toNextBoundary()) {
        if (text[at - 1].isSpace() == betweenWords) candidates.push_back(brokenAt(text, at, false));
    }
    if (betweenWords) {
        for (qsizetype at : CompoundJoints(text)) candidates.push_back(brokenAt(text, at, true));
    }
    return candidates;
}

// The most even of the breaks that fit `room` in `font`: the one whose longer line is shortest.
std::optional<QStringList> twoLines(const QFont& font, const QRect& room, const QString& text, int flags,
                                    bool betweenWords) {
    const QFontMetrics metrics(font);
    std::optional<QStringList> best;
    int bestWidth = 0;
    for (const QStringList& candidate : twoLineCandidates(text, betweenWords)) {
        if (!fits(font, room, candidate, flags)) continue;
        const int width =
            std::max(metrics.horizontalAdvance(candidate[0]), metrics.horizontalAdvance(candidate[1]));
        if (!best || width < bestWidth) {
            best = candidate;
            bestWidth = width;
        }
    }
    return best;
}

int pixelSizeOf(const QFont& font) {
    return font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
}

QFont atPixels(QFont font, int pixels) {
    font.setPixelSize(pixels);
    return font;
}

FittedText set(const QFont& font, const QRect& room, const QStringList& lines, int flags,
               bool elided = false) {
    return {font, lines, flags, lineRects(font, room, int(lines.size()), flags), elided};
}

// Draws `text` in one line from (`left`, `top`) in `font`.
void drawLineFrom(QPainter& painter, int left, int top, const QString& text, const QFont& font) {
    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(QTextOption::NoWrap);
    const QFont before = painter.font();
    painter.setFont(font);
    const QFontMetrics metrics(font);
    painter.drawText(QRectF(left, top, metrics.horizontalAdvance(text) + 1, 2 * metrics.height()), text,
                     option);
    painter.setFont(before);
}

// The first and last pixel row, from the line's top down, that `text` in `font` visibly inks in a
// line drawn from a row `rowHeight` high, without the faint fringe that reads as background.
std::pair<int, int> inkExtent(const QFont& font, int rowHeight, const QString& text) {
    constexpr int kVisible = 96;  // of 255: lighter ink than this is fringe
    const int width = QFontMetrics(font).horizontalAdvance(text) + 2;
    QImage image(width, 4 * rowHeight, QImage::Format_Grayscale8);
    image.fill(0);
    QPainter painter(&image);
    painter.setPen(Qt::white);
    drawLineFrom(painter, 1, rowHeight, text, font);
    painter.end();
    int top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const uchar* line = image.constScanLine(y);
        if (std::any_of(line, line + width, [](uchar grey) { return grey >= kVisible; })) {
            top = std::min(top, y);
            bottom = y;
        }
    }
    return bottom < 0 ? std::pair{0, 0} : std::pair{top - rowHeight, bottom - rowHeight};
}

// The setting FitRows gives, measured.
RowSetting measureRows(const QFont& font, int rowHeight, const QString& words) {
    const int inkHeight = rowHeight - 1;  // the row less its bottom pixel
    auto [top, bottom] = inkExtent(font, rowHeight, words);
    const int centred = (rowHeight - QFontMetrics(font).height()) / 2;
    if (centred + top >= 0 && centred + bottom < inkHeight) return {font, centred};
    QFont fitted = atPixels(font, pixelSizeOf(font));
    while (fitted.pixelSize() > kSmallestRowPixels && bottom - top + 1 > inkHeight) {
        fitted.setPixelSize(fitted.pixelSize() - 1);
        std::tie(top, bottom) = inkExtent(fitted, rowHeight, words);
    }
    return {fitted, (inkHeight - (bottom - top + 1)) / 2 - top};
}

}  // namespace

FittedText FitText(const QFont& font, const QRect& rect, const QString& text, int flags) {
    const QRect room = roomOf(rect, flags);
    const int own = pixelSizeOf(font);
    const int smallest = std::min(own, kSmallestTextPixels);
    const int oneLineSmallest = std::max(smallest, own * kOneLineShrink / 100);
    for (int pixels = own; pixels >= oneLineSmallest; --pixels) {
        const QFont sized = pixels == own ? font : atPixels(font, pixels);
        if (fits(sized, room, {text}, flags)) return set(sized, room, {text}, flags);
    }
    for (int pixels = own; pixels >= smallest; --pixels) {
        const QFont sized = atPixels(font, pixels);
        if (std::optional<QStringList> lines = twoLines(sized, room, text, flags, true))
            return set(sized, room, *lines, flags);
        if (pixels < oneLineSmallest && fits(sized, room, {text}, flags))
            return set(sized, room, {text}, flags);
    }
    for (int pixels = own; pixels >= smallest; --pixels) {
        const QFont sized = atPixels(font, pixels);
        if (std::optional<QStringList> lines = twoLines(sized, room, text, flags, false))
            return set(sized, room, *lines, flags);
    }
    const QFont cutFont = atPixels(font, smallest);
    const QString cut = QFontMetrics(cutFont).elidedText(text, Qt::ElideRight, room.width());
    return set(cutFont, room, {cut}, flags, true);
}

FittedText DrawFittedText(QPainter& painter, const QRect& rect, const QString& text, int flags) {
    if (text.isEmpty()) return {};
    const QFont font = painter.font();
    const FittedText fitted = FitText(font, rect, text, flags);
    painter.setFont(fitted.font);
    QRect drawn;
    for (qsizetype line = 0; line < fitted.lines.size(); ++line) {
        QRect box;
        painter.drawText(fitted.lineRects[line], lineFlags(flags), fitted.lines[line], &box);
        drawn |= box;
    }
    painter.setFont(font);
    if (g_log) g_log->entries.push_back({rect, drawn, fitted});
    return fitted;
}

RowSetting FitRows(const QFont& font, int rowHeight, const QString& words) {
    // Measuring draws the words; lists repaint at every hover, so each setting is measured once. The
    // settings of a run's fonts, languages and macro names are few; past kKept the cache starts again.
    constexpr qsizetype kKept = 1024;
    static QHash<QString, RowSetting> settings;
    const QString key = font.key() + u'\n' + QString::number(rowHeight) + u'\n' + words;
    if (const auto found = settings.constFind(key); found != settings.cend()) return *found;
    if (settings.size() >= kKept) settings.clear();
    return settings[key] = measureRows(font, rowHeight, words);
}

FittedText DrawRowFittedText(QPainter& painter, const QRect& row, const QString& text) {
    if (text.isEmpty()) return {};
    const int flags = Qt::AlignLeft | Qt::AlignVCenter;
    FittedText fitted = FitText(painter.font(), row, text, flags);  // one line: a row holds no two
    const QString& line = fitted.lines.first();
    const RowSetting setting = FitRows(fitted.font, row.height(), line);
    fitted.font = setting.font;
    fitted.lineRects = {row};
    const QFont before = painter.font();
    painter.setFont(setting.font);
    QRect drawn;
    painter.drawText(QRect(row.left(), row.top() + setting.lineTop, row.width(), 2 * row.height()),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, line, &drawn);
    painter.setFont(before);
    if (g_log) g_log->entries.push_back({row, drawn, fitted});
    return fitted;
}

FittedTextLog::FittedTextLog() { g_log = this; }

FittedTextLog::~FittedTextLog() { g_log = nullptr; }

}  // namespace voltrane
