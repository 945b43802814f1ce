#pragma once
// What the key capture makes of one key event while a capture dialog is open: the key-table row,
// which of the dialog's two key handlers runs, and whether the system sees the key too.

#include "capture/key_translation.h"

namespace voltrane {

// The capture dialog's two key handlers: a key went down (again for each auto-repeat), a key went up.
enum HookMessage : int {
    WM_HOOK_KEYDOWN = 0x401,
    WM_HOOK_KEYUP = 0x402,
};

struct HookResult {
    int keyIndex = 0;  // key-table row, 1..105; the application keeps it in g_nKeyIndex
    HookMessage message = WM_HOOK_KEYDOWN;  // the handler to run
    bool passOn = false;  // the lock keys go on to the system as well, so that their state still toggles
};

// The capture of one key event. A keypad key reporting a navigation code without the extended flag
// (NumLock off) is looked up as its own "(Num)" row; the keypad Enter (code 13, extended) as the
// second row with code 13, "(Num)Enter"; every other key as the first row with its code (the low 16
// bits of `event.vk`). A code no row has gives row 105, "Unknown". Never fails.
HookResult KeyboardHookProc(const VirtualKeyEvent& event);

}  // namespace voltrane
