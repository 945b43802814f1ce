#pragma once
// Text set inside a rectangle of the skin: at the font's own size where it fits, else smaller down to a
// readable floor, in two lines where the rectangle is tall enough, and cut short with "…" only where
// nothing else fits.

#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

class QPainter;

namespace voltrane {

// The smallest pixel size text is shrunk to: the small interface font (12 px) less two. Below it the
// Latin captions lose their counters and the Han characters their strokes.
inline constexpr int kSmallestTextPixels = 10;

// The smallest pixel size the text of a list row is shrunk to where that alone keeps its glyphs clear
// of the rows beside: one below kSmallestTextPixels, since at 10 pixels the Han characters of a CJK face
// hinted to whole pixels start and end a pixel apart, and a line of them inks 12 rows of pixels.
inline constexpr int kSmallestRowPixels = kSmallestTextPixels - 1;

// Pixels kept free between a text and the left and right ends of its rectangle: clear of the 3-pixel
// accent at the left of a heading.
inline constexpr int kTextMargin = 4;

// How a text is set in its rectangle.
struct FittedText {
    QFont font;              // the font it is drawn in
    QStringList lines;       // one or two lines; the last ends in "…" when the text is cut short
    int flags = 0;           // Qt alignment flags of the text
    QList<QRect> lineRects;  // where each line is set, centred in it vertically
    bool elided = false;     // nothing fits: the text is cut short (a tooltip may show it whole)
};

// Sets `text` in `rect` with the alignment `flags`, starting from `font`. A text that fits in one line
// at the font's size stays as it is; otherwise the first that fits of: one line at the largest size
// down to four fifths of the font's; two lines broken between words or at a compound's joint (where
// `rect` holds two), or else one line, at the largest size down to kSmallestTextPixels; two lines
// broken between CJK characters, likewise; one line at the smallest size, cut short with "…".
FittedText FitText(const QFont& font, const QRect& rect, const QString& text, int flags);

// Draws `text` in `rect`, in the painter's font set as FitText sets it, aligned across the rectangle
// as `flags` say and centred in its height; returns how it was set. The painter's font is left as it
// was. An empty text draws nothing.
FittedText DrawFittedText(QPainter& painter, const QRect& rect, const QString& text, int flags);

// How the rows of a list are set so that the glyphs of two rows never touch: the font, and how far
// below a row's top its line starts.
struct RowSetting {
    QFont font;
    int lineTop;
};

// The setting of rows `rowHeight` high that hold glyphs of `words` (the tallest a row can hold), from
// `font`: a line centred in the row where the words' ink, as drawn (fallback fonts and antialiasing
// included), stays inside it and clear of its bottom pixel. Otherwise the ink is centred above that
// pixel; where it is taller than that (Han characters, kana and Hangul fill the whole em of a font as
// tall as the row), in a smaller font, down to kSmallestRowPixels.
RowSetting FitRows(const QFont& font, int rowHeight, const QString& words);

// Draws `text` left-aligned in the list row `row` in the painter's font: as wide as the row allows
// (smaller, else cut short, as FitText sets it), and set as FitRows sets it from the text itself so
// that its glyphs keep clear of the rows beside. Returns how it was set; the painter's font is left
// as it was.
FittedText DrawRowFittedText(QPainter& painter, const QRect& row, const QString& text);

// Collects every text DrawFittedText and DrawRowFittedText draw while it lives, with the rectangle it was
// given and the bounding rectangle of the drawn glyphs; one log at a time. For checks of the window's
// texts.
class FittedTextLog {
public:
    struct Entry {
        QRect rect;
        QRect drawn;
        FittedText fitted;
    };

    FittedTextLog();
    ~FittedTextLog();
    FittedTextLog(const FittedTextLog&) = delete;
    FittedTextLog& operator=(const FittedTextLog&) = delete;

    std::vector<Entry> entries;
};

}  // namespace voltrane
