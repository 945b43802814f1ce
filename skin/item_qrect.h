#pragma once
// A rectangle of a skinned window's layout, and an item's rectangle of the main window, as Qt takes them.

#include <QRect>

#include "skin/item_rects.h"

namespace voltrane {

inline QRect SkinQRect(const SkinRect& r) { return {r.x, r.y, r.w, r.h}; }

inline QRect ItemQRect(int item) { return SkinQRect(kItemRects[static_cast<std::size_t>(item)]); }

}  // namespace voltrane
