#include "skin/hit_test.h"

#include <algorithm>

namespace voltrane {

int HitTest(int x, int y, int page) {
    for (int item = 0; item < kItemCount; ++item) {
        if (!ItemOnPage(item, page) || !kItemRects[item].contains(x, y)) continue;
        return item == kItemDpiScale ? kItemDpiSlider : item;
    }
    return kNoItem;
}

std::optional<SliderGeometry> SliderOf(int item) {
    for (const SliderGeometry& slider : kSliders) {
        if (slider.item == item) return slider;
    }
    return std::nullopt;
}

int SliderValueAt(const SliderGeometry& slider, int x) {
    const int value = (x - kItemRects[slider.item].x) / slider.step;
    return std::clamp(value, 0, slider.maxValue);
}

}  // namespace voltrane
