#pragma once
// The button-function menu and the save-as menu: which rows of the button function table they
// show, in which order, and the command each item sends back. A command id is 5000 + its row; for
// rows 1..39 the row is also the function code.

#include "settings/mouse_setting.h"
#include "skin/menu_kind.h"

namespace voltrane {

inline constexpr int kFunctionCommandBase = 5000;
inline constexpr int kSaveAsCommandBase = 5040;  // "Setting Save As"; 5041..5045 "Save Setting1..5"
inline constexpr int kLastCommand = 5046;

// A run of rows shown one after the other, first..last.
struct RowRange {
    int first;
    int last;
};

// One submenu of the button-function menu: its kind, its title row and its items.
struct FunctionSubmenu {
    MenuKind kind;
    int titleRow;
    RowRange items;
};

inline constexpr RowRange kFunctionMenuHead{kFunctionLeft, kFunctionMacro};  // "LEFT" .. "Macro"
inline constexpr FunctionSubmenu kFunctionSubmenus[] = {
    {kMenuBasicCommands, kFunctionBasicHeading, {13, 23}},             // "Copy" .. "Start"
    {kMenuAdvancedCommands, kFunctionAdvancedHeading, {24, 32}},       // "DPI+" .. "LockComputer"
    {kMenuMediaCommands, kFunctionMediaHeading, {33, kFunctionLast}},  // "Play/Pause" .. "Mute"
};
inline constexpr RowRange kFunctionMenuTail{kFunctionDisable, kFunctionDisable};
inline constexpr RowRange kSaveAsMenu{40, 45};  // "Setting Save As", "Save Setting1" .. 5

inline constexpr int CommandOfRow(int row) { return kFunctionCommandBase + row; }

}  // namespace voltrane
