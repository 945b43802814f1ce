#include "settings/mouse_setting.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace voltrane {

namespace {

void selectInGroup(int32_t* items, int first, int last, int chosen) {
    std::fill(items + first, items + last + 1, 0);
    items[chosen] = 1;
}

void stepUp(int32_t& value, int32_t max) {
    if (value < max) ++value;
}

void stepDown(int32_t& value) {
    if (value > 0) --value;
}

// Lamp rules: Off zeroes the level, the pair is a radio pair, the level steps only while on.
bool applyLampRule(int32_t* items, int item) {
    for (const LampItems& lamp : kLampItems) {
        if (item == lamp.off || item == lamp.on) {
            if (item == lamp.off) items[lamp.level] = 0;
            selectInGroup(items, lamp.off, lamp.on, item);
            return true;
        }
        if (item == lamp.up || item == lamp.down) {
            if (items[lamp.on] == 1) {
                if (item == lamp.up) {
                    stepUp(items[lamp.level], kMaxLampLevel);
                } else {
                    stepDown(items[lamp.level]);
                }
            }
            return true;
        }
    }
    return false;
}

void applyRule(int32_t* items, int item) {
    if (applyLampRule(items, item)) return;
    if (item >= kItemRate125 && item <= kItemRate1000)
        return selectInGroup(items, kItemRate125, kItemRate1000, item);
    if (item >= kItemProfile1 && item <= kItemProfile5)
        return selectInGroup(items, kItemProfile1, kItemProfile5, item);
    switch (item) {
        case kItemSingle:
            return selectInGroup(items, kItemSingle, kItemColorShift, kItemSingle);
        case kItemColorShift:
            selectInGroup(items, kItemSingle, kItemColorShift, kItemColorShift);
            items[kItemBreathing] = 1;
            return;
        case kItemBreathing:
            if (items[kItemSingle] == 1) items[kItemBreathing] = items[kItemBreathing] == 0 ? 1 : 0;
            return;
        case kItemShineUp:
            return stepUp(items[kItemShine], kMaxShine);
        case kItemShineDown:
            return stepDown(items[kItemShine]);
        case kItemPrecision:
            items[kItemPrecision] = items[kItemPrecision] == 0 ? 1 : 0;
            return;
        case kItemDpiUp:
            return stepUp(items[kItemDpi], kMaxDpiLevel);
        case kItemDpiDown:
            return stepDown(items[kItemDpi]);
        case kItemScrollLines:
        case kItemScrollScreen:
            return selectInGroup(items, kItemScrollLines, kItemScrollScreen, item);
        case kItemBasicTab:
        case kItemAdvancedTab:
            return selectInGroup(items, kItemBasicTab, kItemColorTab, item);
        default:
            return;
    }
}

bool isValidButton(int button) { return button >= 0 && button < kButtonCount; }

}  // namespace

const std::array<int32_t, kItemCount> kDefaultItems = [] {
    std::array<int32_t, kItemCount> d{};
    const int32_t buttons[kButtonCount] = {1, 2, 3, 5, 4, 24, 25, 22, 23, 28};
    std::copy(std::begin(buttons), std::end(buttons), d.begin());
    d[kItemSingle] = 1;
    d[kItemRate500] = 1;
    for (const LampItems& lamp : kLampItems) d[lamp.off] = 1;
    d[kItemShine] = 1;
    d[kLampItems[2].level] = 1;
    std::fill(d.begin() + kItemReservedFirst, d.begin() + kItemReservedLast + 1, 9);
    d[kItemDpi] = 1;
    d[kItemScrollLines] = 1;
    d[kItemPointerSpeed] = 4;
    d[kItemWheelLines] = 2;
    d[kItemDoubleClick] = 4;
    d[kItemBrightnessHigh] = 1;
    d[kItemBreathingQuick] = 1;
    // The current colour, then the eight custom colours.
    const int32_t colours[] = {0xFF0000, 0x0000FF, 0x00FF00, 0xFF0000, 0xFF00FF,
                               0x00FFFF, 0xFFFF00, 0xFFFFFF, 0x000000};
    static_assert(std::size(colours) == kItemLastCustomColor - kItemCurrentColor + 1);
    std::copy(std::begin(colours), std::end(colours), d.begin() + kItemCurrentColor);
    d[kItemBasicTab] = 1;
    return d;
}();

void MouseSetting::ResetToDefaults() {
    std::copy(kDefaultItems.begin(), kDefaultItems.end(), m_nItem);
    std::memset(m_KeyData, 0, sizeof m_KeyData);
    std::memset(m_MacroData, 0, sizeof m_MacroData);
    for (auto& name : m_strButtonMacro) name.clear();
}

std::vector<int> MouseSetting::ApplyEditRule(int item) {
    std::vector<int> changed;
    if (item < 0 || item >= kItemCount) return changed;
    int32_t before[kItemCount];
    std::copy(std::begin(m_nItem), std::end(m_nItem), before);
    applyRule(m_nItem, item);
    for (int i = 0; i < kItemCount; ++i) {
        if (m_nItem[i] != before[i]) changed.push_back(i);
    }
    return changed;
}

std::vector<int> MouseSetting::SetSliderValue(int sliderItem, int32_t value) {
    if (sliderItem != kItemDpiSlider &&
        (sliderItem < kItemSpeedSlider || sliderItem > kItemDoubleClickSlider)) {
        return {};
    }
    m_nItem[sliderItem + kSliderValueOffset] = value;
    return {sliderItem, sliderItem + kSliderValueOffset};
}

void MouseSetting::AssignKeyCombo(int button, std::span<const uint8_t, kKeyStringLength> keys) {
    if (!isValidButton(button)) return;
    if (keys[0] != 0) {
        std::copy(keys.begin(), keys.end(), m_KeyData[button]);
        m_nItem[button] = kFunctionKeyboard;
    }
    m_strButtonMacro[button].clear();
}

void MouseSetting::AssignFunction(int button, int32_t code) {
    if (isValidButton(button)) m_nItem[button] = code;
}

}  // namespace voltrane
