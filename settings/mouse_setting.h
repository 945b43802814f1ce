#pragma once
// The settings of one mouse profile: the value of every window item, and each button's key
// combination, macro steps (already in the mouse's step-record form) and macro name.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "settings/function_codes.h"
#include "settings/key_table.h"

namespace voltrane {

inline constexpr int kItemCount = 131;
// A slider track's value lives this many items above the track (51 -> 55, 78 -> 82, ...).
inline constexpr int kSliderValueOffset = 4;
inline constexpr int kNoItem = 131;         // the item number that means "no item"
// The highest value the steppers reach: shine step (item 36), an LED's level (37..39), DPI level (55).
inline constexpr int32_t kMaxShine = 3;
inline constexpr int32_t kMaxLampLevel = 3;
inline constexpr int32_t kMaxDpiLevel = 4;
inline constexpr int kButtonCount = 10;     // buttons 1..10 are indices 0..9
inline constexpr int kMacroRowBytes = 255;  // a button's macro row: at most 25 whole 10-byte records

// Item numbers the program's logic names (the value of each lives in m_nItem).
enum ItemNumber : int {
    kItemButton1 = 0,
    kItemButton6 = 5,
    kItemButton7 = 6,
    kItemDpiScale = 13,  // the scale under the DPI slider
    kItemSingle = 14,
    kItemColorShift = 15,
    kItemBreathing = 16,
    kItemShineUp = 17,
    kItemShineDown = 18,
    kItemRate125 = 20,
    kItemRate500 = 22,
    kItemRate1000 = 23,
    kItemShine = 36,
    kItemDpiUp = 46,
    kItemDpiDown = 47,
    kItemDpiSlider = 51,
    kItemReservedFirst = 52,  // 52..54: no rectangle, no caption, read by nothing; they default to 9
    kItemReservedLast = 54,
    kItemDpi = 55,
    kItemMacroName = 61,   // "Name": rename the selected macro
    kItemMacroCount = 63,  // "Macro list n/300"
    kItemImport = 64,
    kItemSaveMacros = 65,
    kItemExport = 66,
    kItemMacroDelete = 67,
    kItemMacroEdit = 68,
    kItemPrecision = 69,
    kItemScrollLines = 70,   // 1: the wheel scrolls lines
    kItemScrollScreen = 71,  // 1: the wheel scrolls one screen at a time
    kItemSpeedSlider = 78,
    kItemDoubleClickSlider = 80,
    kItemMacroNameBox = 81,  // where the macro-name edit box sits
    kItemPointerSpeed = 82,  // speed step 0..9
    kItemWheelLines = 83,    // wheel lines - 1, 0..9
    kItemDoubleClick = 84,   // double-click speed step 0..9, 0 the slowest
    kItemMacroInfo = 85,     // the macro information box
    kItemMacroList = 86,
    // The colour page: only defaulted and kept in profiles, never shown or sent to the mouse.
    kItemBrightnessHigh = 88,    // brightness radio group 88..91: High, Middle, Low, Off
    kItemBreathingQuick = 92,    // breathing speed radio group 92..95: Quick, Middle, Slow, Off
    kItemCurrentColor = 104,     // 0x00BBGGRR
    kItemLastCustomColor = 112,  // custom colours C1..C8 are items 105..112
    kItemProfileLabel = 114,
    kItemProfile1 = 115,
    kItemProfile5 = 119,
    kItemLoadSetting = 120,
    kItemSaveSetting = 121,
    kItemDefault = 122,
    kItemHide = 123,
    kItemClose = 124,
    kItemBasicTab = 125,
    kItemAdvancedTab = 126,
    kItemColorTab = 127,
    kItemOk = 128,
    kItemApply = 129,
    kItemCancel = 130,
};

// The pages of the main window; a page's tab is item kItemBasicTab + page, and no tab shows the colour
// page. Items of kCommonPage show on every page.
enum SkinPage : int {
    kBasicPage = 0,
    kAdvancedPage = 1,
    kColourPage = 2,
    kCommonPage = 3,
};

// The items of one of the three LEDs: its Off / On radio pair, its level steppers and its level.
struct LampItems {
    int off, on, up, down, level;
};
inline constexpr LampItems kLampItems[] = {
    {24, 25, 26, 27, 37},
    {28, 29, 30, 31, 38},
    {32, 33, 34, 35, 39},
};

// The built-in default of every item, indexed by item number.
extern const std::array<int32_t, kItemCount> kDefaultItems;

struct MouseSetting {
    int32_t m_nItem[kItemCount] = {};
    uint8_t m_KeyData[kButtonCount][kKeyStringLength] = {};
    uint8_t m_MacroData[kButtonCount][kMacroRowBytes] = {};
    int32_t m_nMacroDataLen[kButtonCount] = {};
    std::u16string m_strButtonMacro[kButtonCount];

    // Items from the default table, key and macro bytes zero, macro names empty.
    // m_nMacroDataLen is left as it is.
    void ResetToDefaults();

    // Applies the edit rule of the activated item (radio groups, steppers, toggles, page tabs).
    // Returns the items whose value changed, in item order; items without a rule (and numbers
    // outside 0..130) change nothing.
    std::vector<int> ApplyEditRule(int item);

    // A click on a slider track (items 51, 78, 79, 80) sets the item four numbers higher. Returns
    // the track and that item; other items are ignored and give none.
    std::vector<int> SetSliderValue(int sliderItem, int32_t value);

    // Gives button `button` (0..9) the captured key combination: when `keys` is not empty its
    // bytes become the button's key data and the function becomes Keyboard. The button's macro
    // name is emptied either way.
    void AssignKeyCombo(int button, std::span<const uint8_t, kKeyStringLength> keys);

    // Gives button `button` (0..9) any function other than Keyboard or Macro; the button's key
    // and macro data stay as they are.
    void AssignFunction(int button, int32_t code);
};

}  // namespace voltrane
