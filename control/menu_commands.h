#pragma once
// The button-function menu and the save-as menu: which rows of the button function table they
// show, in which order, and the command each item sends back. A command id is 5000 + its row; for
// the function rows the row is also the function code.

#include "control/menu_kind.h"
#include "settings/function_codes.h"

namespace voltrane {

// A run of rows shown one after the other, first..last.
using RowRange = FunctionRange;

// One submenu of the button-function menu: its kind, its title row and its items.
struct FunctionSubmenu {
    MenuKind kind;
    int titleRow;
    RowRange items;
};

inline constexpr RowRange kFunctionMenuHead = kMouseFunctions;  // "LEFT" .. "Macro"
inline constexpr FunctionSubmenu kFunctionSubmenus[] = {
    {kMenuBasicCommands, kFunctionBasicHeading, kBasicCommands},           // "Copy" .. "Start"
    {kMenuAdvancedCommands, kFunctionAdvancedHeading, kAdvancedCommands},  // "DPI+" .. "LockComputer"
    {kMenuMediaCommands, kFunctionMediaHeading, kMediaCommands},           // "Play/Pause" .. "Mute"
};
inline constexpr RowRange kFunctionMenuTail{kFunctionDisable, kFunctionDisable};
inline constexpr RowRange kSaveAsMenu{40, 45};  // "Setting Save As", "Save Setting1" .. 5

inline constexpr int kFunctionCommandBase = 5000;
inline constexpr int CommandOfRow(int row) { return kFunctionCommandBase + row; }

// The commands of the button-function menu, then those of the save-as menu ("Setting Save As";
// "Save Setting1..5"); the handler takes every id up to kLastCommand.
inline constexpr RowRange kFunctionCommands{CommandOfRow(kFunctionLeft), CommandOfRow(kFunctionLast)};
inline constexpr int kSaveAsCommandBase = CommandOfRow(kSaveAsMenu.first);
inline constexpr int kLastCommand = 5046;

static_assert(kFunctionCommands.last < kSaveAsCommandBase,
              "a function's command id reaches the save-as commands: move the save-as rows");
static_assert(CommandOfRow(kSaveAsMenu.last) <= kLastCommand, "a save-as command lies beyond the handler");

}  // namespace voltrane
