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

// Collects every text DrawFittedText draws while it lives, with the rectangle it was given and the
// bounding rectangle of the drawn glyphs; one log at a time. For checks of the window's texts.
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
