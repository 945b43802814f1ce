#include "capture/keyboard_hook.h"

#include <algorithm>
#include <iterator>

#include "capture/virtual_keys.h"
#include "settings/key_table.h"

namespace voltrane {

namespace {

// A navigation code that arrives without the extended flag comes from the keypad with NumLock off.
struct KeypadRemap {
    int navigationVk;
    int keypadVk;
};

constexpr KeypadRemap kKeypadRemap[] = {
    {VK_CLEAR, VK_NUMPAD5}, {VK_PRIOR, VK_NUMPAD9},  {VK_NEXT, VK_NUMPAD3},   {VK_END, VK_NUMPAD1},
    {VK_HOME, VK_NUMPAD7},  {VK_LEFT, VK_NUMPAD4},   {VK_UP, VK_NUMPAD8},     {VK_RIGHT, VK_NUMPAD6},
    {VK_DOWN, VK_NUMPAD2},  {VK_INSERT, VK_NUMPAD0}, {VK_DELETE, VK_DECIMAL},
};

int keypadCodeOf(int vk) {
    const auto* remap = std::find_if(std::begin(kKeypadRemap), std::end(kKeypadRemap),
                                     [&](const KeypadRemap& r) { return r.navigationVk == vk; });
    return remap != std::end(kKeypadRemap) ? remap->keypadVk : vk;
}

bool isLockKey(int vk) { return vk == VK_NUMLOCK || vk == VK_CAPITAL || vk == VK_SCROLL; }

}  // namespace

HookResult KeyboardHookProc(const VirtualKeyEvent& event) {
    int vk = event.vk & 0xFFFF;
    if (!event.extended) vk = keypadCodeOf(vk);
    const int skip = event.extended && vk == VK_RETURN ? 1 : 0;
    HookResult result;
    result.keyIndex = FindKeyByVk(vk, skip);
    result.message = event.down ? WM_HOOK_KEYDOWN : WM_HOOK_KEYUP;
    result.passOn = isLockKey(vk);
    return result;
}

}  // namespace voltrane
