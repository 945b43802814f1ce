#pragma once
// A rectangle of a skinned window's layout, and an item's rectangle of the main window, as Qt takes them.

#include <QRect>

#include "skin/item_rects.h"

namespace voltrane {

inline QRect SkinQRect(const SkinRect& r) { return {r.x, r.y, r.w, r.h}; }

inline QRect ItemQRect(int item) { return SkinQRect(kItemRects[static_cast<std::size_t>(item)]); }

// The first row of a macro list drawn in `list`, `rowHeight` high: two pixels in from the list's left
// and right edges and one from its top.
inline QRect FirstListRow(const QRect& list, int rowHeight) {
    return {list.left() + 2, list.top() + 1, list.width() - 4, rowHeight};
}

// The frame drawn around the selected `row` of a macro list beside its colour, so that it stands out
// without telling colours apart: one pixel out to the sides, inside the row's height.
inline QRect SelectedRowFrame(const QRect& row) { return row.adjusted(-1, 0, 0, -1); }

}  // namespace voltrane
