#pragma once
// The button function codes: the value of items 0..9, and the row of each function's name in the
// button function text table. Every other list of codes (report records, menus, step texts, the
// command line) is built from these names.

#include <cstdint>

namespace voltrane {

enum ButtonFunction : int32_t {
    // Mouse functions, shown at the head of the button-function menu.
    kFunctionLeft = 1,
    kFunctionRight = 2,
    kFunctionMiddle = 3,
    kFunctionBackward = 4,
    kFunctionForward = 5,
    kFunctionDoubleClick = 6,
    kFunctionKeyboard = 7,
    kFunctionMacro = 8,
    // Titles of the three submenus; never a button's function.
    kFunctionBasicHeading = 9,
    kFunctionAdvancedHeading = 10,
    kFunctionMediaHeading = 11,
    kFunctionDisable = 12,
    // Basic commands: keyboard shortcuts.
    kFunctionCopy = 13,
    kFunctionPaste = 14,
    kFunctionCut = 15,
    kFunctionSelectAll = 16,
    kFunctionSearch = 17,
    kFunctionNew = 18,
    kFunctionPrint = 19,
    kFunctionSave = 20,
    kFunctionUndo = 21,
    kFunctionIeKey = 22,
    kFunctionStart = 23,
    // Advanced commands: the DPI actions, then desktop shortcuts.
    kFunctionDpiUp = 24,
    kFunctionDpiDown = 25,
    kFunctionSwitchDpi = 26,
    kFunctionAltTab = 27,
    kFunctionClose = 28,
    kFunctionControlPanel = 29,
    kFunctionCommandPrompt = 30,
    kFunctionDesktop = 31,
    kFunctionLockComputer = 32,
    // Media commands.
    kFunctionPlayPause = 33,
    kFunctionStop = 34,
    kFunctionNextTrack = 35,
    kFunctionPreviousTrack = 36,
    kFunctionVolUp = 37,
    kFunctionVolDown = 38,
    kFunctionMute = 39,
    kFunctionLast = kFunctionMute,
};

// A run of function codes, first..last.
struct FunctionRange {
    int32_t first;
    int32_t last;
};

inline constexpr FunctionRange kMouseFunctions{kFunctionLeft, kFunctionMacro};
inline constexpr FunctionRange kBasicCommands{kFunctionCopy, kFunctionStart};
inline constexpr FunctionRange kAdvancedCommands{kFunctionDpiUp, kFunctionLockComputer};
inline constexpr FunctionRange kDpiActions{kFunctionDpiUp, kFunctionSwitchDpi};
inline constexpr FunctionRange kMediaCommands{kFunctionPlayPause, kFunctionLast};

}  // namespace voltrane
