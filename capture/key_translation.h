#pragma once
// Native key events of the desktop (X11 and Wayland) in the terms the key capture works in: a
// virtual-key code and an extended flag per key, as a PC keyboard reports them. Keys are told apart
// by their position on the keyboard (the native scan code), never by the layout's symbols, so the
// left and right modifiers, both Enter keys and the keypad keep their own codes.

#include <cstdint>
#include <optional>

namespace voltrane {

// Press, auto-repeat or release of a key.
enum class KeyTransition { Press, Repeat, Release };

// The transition of a key event that a toolkit reports as a press or release with an auto-repeat
// mark. Toolkits report each auto-repeat as a release and a press, both marked; the marked release is
// no release (the key is still down) and gives nothing, the marked press gives Repeat.
std::optional<KeyTransition> TransitionOf(bool press, bool autoRepeat);

// One key event as the desktop delivers it: the native scan code (X11 and Wayland both give the
// evdev code + 8), the keysym the layout produced for it, and what happened to the key.
struct NativeKeyEvent {
    uint32_t scanCode = 0;
    uint32_t keysym = 0;
    KeyTransition transition = KeyTransition::Press;
};

// One key event in virtual-key terms: the code (kNoVirtualKey for keys without one), whether the key
// belongs to the keyboard's extended block (the grey navigation keys, right Ctrl and Alt, the Super
// and menu keys, keypad Enter and "/", NumLock, PrtSc, media keys), and whether it went down (press
// or auto-repeat) or up.
struct VirtualKeyEvent {
    int vk = 0;
    bool extended = false;
    bool down = true;
};

// Translates a native key event. The scan code names the key; the keysym is consulted only for the
// keypad's digit keys, whose navigation keysyms (KP_Home ... KP_Delete, produced while NumLock is off
// or Shift is held) give the navigation codes, not extended, and any other keysym the digit codes.
// An unknown scan code gives kNoVirtualKey, not extended.
VirtualKeyEvent TranslateNativeKey(const NativeKeyEvent& event);

// The native scan code of the key that reports `vk` and is not extended (of the main Enter for
// VK_RETURN); 0 when no such key has it.
uint32_t ScanCodeOfVk(int vk);

}  // namespace voltrane
