#include "settings/mouse_setting.h"

#include <algorithm>
#include <cstring>

namespace voltrane {

namespace {

// Items the edit rules name.
enum Item : int {
    kSingle = 14,
    kColorShift = 15,
    kBreathing = 16,
    kShineUp = 17,
    kShineDown = 18,
    kRate125 = 20,
    kRate1000 = 23,
    kLamp1Off = 24,
    kLamp1On = 25,
    kLamp1Up = 26,
    kLamp1Down = 27,
    kLamp2Off = 28,
    kLamp2On = 29,
    kLamp2Up = 30,
    kLamp2Down = 31,
    kLamp3Off = 32,
    kLamp3On = 33,
    kLamp3Up = 34,
    kLamp3Down = 35,
    kShine = 36,
    kLamp1Level = 37,
    kLamp2Level = 38,
    kLamp3Level = 39,
    kDpiUp = 46,
    kDpiDown = 47,
    kDpiSlider = 51,
    kDpi = 55,
    kPrecision = 69,
    kScrollLines = 70,
    kScrollScreen = 71,
    kSpeedSlider = 78,
    kDoubleClickSlider = 80,
    kProfile1 = 115,
    kProfile5 = 119,
    kBasicTab = 125,
    kAdvancedTab = 126,
    kColorTab = 127,
};

constexpr int32_t kMaxShine = 3;
constexpr int32_t kMaxLampLevel = 3;
constexpr int32_t kMaxDpiLevel = 4;

// One lamp: its off/on radio pair, its level steppers and its level item.
struct Lamp {
    int off, on, up, down, level;
};
constexpr Lamp kLamps[] = {
    {kLamp1Off, kLamp1On, kLamp1Up, kLamp1Down, kLamp1Level},
    {kLamp2Off, kLamp2On, kLamp2Up, kLamp2Down, kLamp2Level},
    {kLamp3Off, kLamp3On, kLamp3Up, kLamp3Down, kLamp3Level},
};

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
    for (const Lamp& lamp : kLamps) {
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
    if (item >= kRate125 && item <= kRate1000) return selectInGroup(items, kRate125, kRate1000, item);
    if (item >= kProfile1 && item <= kProfile5) return selectInGroup(items, kProfile1, kProfile5, item);
    switch (item) {
        case kSingle:
            return selectInGroup(items, kSingle, kColorShift, kSingle);
        case kColorShift:
            selectInGroup(items, kSingle, kColorShift, kColorShift);
            items[kBreathing] = 1;
            return;
        case kBreathing:
            if (items[kSingle] == 1) items[kBreathing] = items[kBreathing] == 0 ? 1 : 0;
            return;
        case kShineUp:
            return stepUp(items[kShine], kMaxShine);
        case kShineDown:
            return stepDown(items[kShine]);
        case kPrecision:
            items[kPrecision] = items[kPrecision] == 0 ? 1 : 0;
            return;
        case kDpiUp:
            return stepUp(items[kDpi], kMaxDpiLevel);
        case kDpiDown:
            return stepDown(items[kDpi]);
        case kScrollLines:
        case kScrollScreen:
            return selectInGroup(items, kScrollLines, kScrollScreen, item);
        case kBasicTab:
        case kAdvancedTab:
            return selectInGroup(items, kBasicTab, kColorTab, item);
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
    d[kSingle] = 1;
    d[22] = 1;  // 500 Hz
    d[kLamp1Off] = d[kLamp2Off] = d[kLamp3Off] = 1;
    d[kShine] = 1;
    d[kLamp3Level] = 1;
    d[52] = d[53] = d[54] = 9;
    d[kDpi] = 1;
    d[kScrollLines] = 1;
    d[82] = 4;  // pointer speed step
    d[83] = 2;  // wheel lines - 1
    d[84] = 4;  // double-click speed step
    d[88] = 1;  // colour page: brightness "High"
    d[92] = 1;  // colour page: breathing "Quick"
    const int32_t colours[] = {0xFF0000, 0x0000FF, 0x00FF00, 0xFF0000, 0xFF00FF,
                               0x00FFFF, 0xFFFF00, 0xFFFFFF, 0x000000};
    std::copy(std::begin(colours), std::end(colours), d.begin() + 104);
    d[kBasicTab] = 1;
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

void MouseSetting::SetSliderValue(int sliderItem, int32_t value) {
    if (sliderItem == kDpiSlider || (sliderItem >= kSpeedSlider && sliderItem <= kDoubleClickSlider)) {
        m_nItem[sliderItem + 4] = value;
    }
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
