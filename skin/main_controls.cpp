#include "skin/main_controls.h"

#include <array>

#include "skin/item_rects.h"

namespace voltrane {

namespace {

using K = ControlKind;

// clang-format off
constexpr MainControl kControls[] = {
    // the header: page tabs, language, minimise and close
    {kItemBasicTab, K::PageTab, 0}, {kItemAdvancedTab, K::PageTab, 0},
    {kLanguageBoxStop, K::ComboBox, 1},
    {kItemHide, K::Button, 2}, {kItemClose, K::Button, 2},
    // the basic page: the button rows
    {0, K::Button, 3}, {1, K::ButtonWithMenu, 3}, {2, K::ButtonWithMenu, 3}, {3, K::ButtonWithMenu, 3},
    {4, K::ButtonWithMenu, 3}, {5, K::ButtonWithMenu, 3}, {6, K::ButtonWithMenu, 3},
    // lighting mode and its step
    {kItemSingle, K::RadioButton, 4}, {kItemColorShift, K::RadioButton, 4}, {kItemBreathing, K::CheckBox, 4},
    {kItemShineUp, K::Stepper, 5}, {kItemShineDown, K::Stepper, 5},
    // the three LEDs: off or on, and their level
    {kLampItems[0].off, K::RadioButton, 6}, {kLampItems[0].on, K::RadioButton, 6},
    {kLampItems[0].up, K::Stepper, 7}, {kLampItems[0].down, K::Stepper, 7},
    {kLampItems[1].off, K::RadioButton, 8}, {kLampItems[1].on, K::RadioButton, 8},
    {kLampItems[1].up, K::Stepper, 9}, {kLampItems[1].down, K::Stepper, 9},
    {kLampItems[2].off, K::RadioButton, 10}, {kLampItems[2].on, K::RadioButton, 10},
    {kLampItems[2].up, K::Stepper, 11}, {kLampItems[2].down, K::Stepper, 11},
    // report rate and DPI
    {kItemRate125, K::RadioButton, 12}, {kItemRate125 + 1, K::RadioButton, 12},
    {kItemRate500, K::RadioButton, 12}, {kItemRate1000, K::RadioButton, 12},
    {kItemDpiSlider, K::Slider, 13},
    {kItemDpiUp, K::Stepper, 14}, {kItemDpiDown, K::Stepper, 14},
    // the advanced page: pointer speed and precision, the wheel, double-click speed
    {kItemSpeedSlider, K::Slider, 20}, {kItemPrecision, K::CheckBox, 21},
    {kItemScrollLines, K::RadioButton, 22}, {kItemScrollScreen, K::RadioButton, 22},
    {kItemSpeedSlider + 1, K::Slider, 23}, {kItemDoubleClickSlider, K::Slider, 24},
    // the macro panel
    {kItemMacroNameBox, K::TextBox, 25}, {kItemMacroName, K::Button, 26}, {kItemMacroList, K::List, 27},
    {kItemImport, K::Button, 28}, {kItemSaveMacros, K::Button, 28}, {kItemExport, K::Button, 28},
    {kItemMacroDelete, K::Button, 28}, {kItemMacroEdit, K::Button, 28},
    // the bottom of both pages: profiles, their buttons, OK, Apply and Cancel
    {kItemProfile1, K::PageTab, 30}, {kItemProfile1 + 1, K::PageTab, 30}, {kItemProfile1 + 2, K::PageTab, 30},
    {kItemProfile1 + 3, K::PageTab, 30}, {kItemProfile5, K::PageTab, 30},
    {kItemLoadSetting, K::Button, 31}, {kItemSaveSetting, K::ButtonWithMenu, 31}, {kItemDefault, K::Button, 31},
    {kItemOk, K::Button, 32}, {kItemApply, K::Button, 32}, {kItemCancel, K::Button, 32},
};
// clang-format on

}  // namespace

std::span<const MainControl> MainControls() { return kControls; }

bool ControlOnPage(const MainControl& control, int page) {
    return control.item == kLanguageBoxStop || ItemOnPage(control.item, page);
}

int SteppedItem(int item) {
    if (item == kItemShineUp || item == kItemShineDown) return kItemShine;
    if (item == kItemDpiUp || item == kItemDpiDown) return kItemDpi;
    for (const LampItems& lamp : kLampItems) {
        if (item == lamp.up || item == lamp.down) return lamp.level;
    }
    for (const SliderGeometry& slider : kSliders) {
        if (slider.item == item) return slider.valueItem;
    }
    return kNoItem;
}

}  // namespace voltrane
