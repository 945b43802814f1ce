#pragma once
// The step list of the macro editor and the macro choice dialog: one 12-pixel row per step.

#include <QRect>
#include <initializer_list>

#include "capture/key_names.h"
#include "settings/macro_record.h"

class QPainter;

namespace voltrane {

inline constexpr int kStepRowHeight = 12;

// Paints `rows` steps of `record` from step `top` in the list `list`, the first in its top row, each
// next one 12 pixels lower: white for the steps named in `white` (selected, under the cursor), grey for the
// others, in the words of `language` and with the key names of `keys`. Returns the rectangle of the row
// after the last one painted.
QRect PaintStepRows(QPainter& painter, const MacroRecord& record, int top, int rows, const QRect& list,
                    std::initializer_list<int> white, int language, const KeyNames& keys);

// Draws one row's text with its tab-separated fields at the tab stops, left-aligned in `row`, set as
// the rows of `language` are: where the painter's font would reach into the rows beside, smaller.
void DrawRowText(QPainter& painter, const QRect& row, const QString& text, int language);

}  // namespace voltrane
