#pragma once
// The controls of the main window in reading order: what kind of control each item is, and the group
// the keyboard moves through with the arrows. Tab goes from group to group in this order.

#include <span>

#include "settings/mouse_setting.h"

namespace voltrane {

enum class ControlKind {
    Button,
    ButtonWithMenu,  // a button row: activating it opens its function menu
    RadioButton,
    CheckBox,
    PageTab,
    Slider,
    Stepper,   // one arrow of a pair that steps a number up or down
    List,      // the macro list: its rows are selected with the arrows
    ComboBox,  // the language box, a child widget of its own
    TextBox,   // the macro-name box, a child widget of its own
};

// The stop number of the language box, which has no item number of its own.
inline constexpr int kLanguageBoxStop = kNoItem + 1;

struct MainControl {
    int item;  // the item number, or kLanguageBoxStop
    ControlKind kind;
    int group;  // controls of one group follow each other in the table
};

// Every control of both pages, each page in its reading order; the header's controls first, the
// profile tabs and the buttons at the bottom last (they are on both pages).
std::span<const MainControl> MainControls();

// Whether the control is shown while `page` is.
bool ControlOnPage(const MainControl& control, int page);

// The stepped number of a stepper arrow, the value item of a slider: the item whose value it shows.
// kNoItem for other controls.
int SteppedItem(int item);

}  // namespace voltrane
