#pragma once
// The button-function menu and the save-as menu: which rows of the button function table they
// show, in which order, and the command each item sends back. A command id is 5000 + its row; for
// rows 1..39 the row is also the function code.

namespace voltrane {

inline constexpr int kFunctionCommandBase = 5000;
inline constexpr int kSaveAsCommandBase = 5040;  // "Setting Save As"; 5041..5045 "Save Setting1..5"
inline constexpr int kLastCommand = 5046;

// A run of rows shown one after the other, first..last.
struct RowRange {
    int first;
    int last;
};

// One submenu of the button-function menu: its kind (the CMyMenu kind), its title row and its items.
struct FunctionSubmenu {
    int kind;
    int titleRow;
    RowRange items;
};

inline constexpr RowRange kFunctionMenuHead{1, 8};  // "LEFT" .. "Macro"
inline constexpr FunctionSubmenu kFunctionSubmenus[] = {
    {1, 9, {13, 23}},   // "Basic command"
    {2, 10, {24, 32}},  // "AdvancedCommand"
    {3, 11, {33, 39}},  // "MediaCommand"
};
inline constexpr RowRange kFunctionMenuTail{12, 12};  // "Disable"
inline constexpr RowRange kSaveAsMenu{40, 45};        // "Setting Save As", "Save Setting1" .. 5

inline constexpr int CommandOfRow(int row) { return kFunctionCommandBase + row; }

}  // namespace voltrane
