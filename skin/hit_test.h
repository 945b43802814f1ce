#pragma once
// Which item of the main window a point is on, and what a click on a slider track sets.

#include <optional>

#include "skin/item_rects.h"

namespace voltrane {

// The first item of `page` (or of the common range) whose rectangle holds (x, y); kNoItem when none.
// The DPI scale under the DPI slider (item 13) counts as the slider (item 51).
int HitTest(int x, int y, int page);

// The slider of track `item` (51, 78, 79 or 80); std::nullopt for any other item.
std::optional<SliderGeometry> SliderOf(int item);

// The value a click at x sets on `slider`: one step per `step` pixels from the track's left edge,
// at most `maxValue` (a click in the last pixels of a pointer slider would otherwise give 10).
int SliderValueAt(const SliderGeometry& slider, int x);

}  // namespace voltrane
