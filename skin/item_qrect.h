#pragma once
// An item's rectangle of the main window as Qt takes it.

#include <QRect>

#include "skin/item_rects.h"

namespace voltrane {

inline QRect ItemQRect(int item) {
    const SkinRect& r = kItemRects[static_cast<std::size_t>(item)];
    return {r.x, r.y, r.w, r.h};
}

}  // namespace voltrane
