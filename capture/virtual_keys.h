#pragma once
// The virtual-key codes the capture logic branches on, numbered as the keyboard of a PC reports
// them. The key table's vk column uses the same numbering.

namespace voltrane {

inline constexpr int VK_RETURN = 0x0D;
inline constexpr int VK_CAPITAL = 0x14;  // Caps Lock
inline constexpr int VK_NUMLOCK = 0x90;
inline constexpr int VK_SCROLL = 0x91;  // Scroll Lock

// The navigation keys: what a keypad key reports while NumLock is off (keypad 5 reports VK_CLEAR).
inline constexpr int VK_CLEAR = 0x0C;
inline constexpr int VK_PRIOR = 0x21;
inline constexpr int VK_NEXT = 0x22;
inline constexpr int VK_END = 0x23;
inline constexpr int VK_HOME = 0x24;
inline constexpr int VK_LEFT = 0x25;
inline constexpr int VK_UP = 0x26;
inline constexpr int VK_RIGHT = 0x27;
inline constexpr int VK_DOWN = 0x28;
inline constexpr int VK_INSERT = 0x2D;
inline constexpr int VK_DELETE = 0x2E;

// The keypad's digits and decimal point: what it reports while NumLock is on.
inline constexpr int VK_NUMPAD0 = 0x60;
inline constexpr int VK_NUMPAD1 = 0x61;
inline constexpr int VK_NUMPAD2 = 0x62;
inline constexpr int VK_NUMPAD3 = 0x63;
inline constexpr int VK_NUMPAD4 = 0x64;
inline constexpr int VK_NUMPAD5 = 0x65;
inline constexpr int VK_NUMPAD6 = 0x66;
inline constexpr int VK_NUMPAD7 = 0x67;
inline constexpr int VK_NUMPAD8 = 0x68;
inline constexpr int VK_NUMPAD9 = 0x69;
inline constexpr int VK_DECIMAL = 0x6E;

// A key the keyboard has no virtual-key code for. The key table has no row with it, so a lookup
// gives row 105 ("Unknown").
inline constexpr int kNoVirtualKey = 0;

}  // namespace voltrane
