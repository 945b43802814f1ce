#include "capture/key_translation.h"

#include <algorithm>
#include <iterator>

#include "capture/virtual_keys.h"

namespace voltrane {

namespace {

// One key: its native scan code (evdev code + 8) and the code it reports.
struct KeyCode {
    uint32_t scanCode;
    int vk;
    bool extended;
};

// Every key apart from the keypad's digits, in scan code order. Punctuation keys report the codes
// of the US layout's symbols at their positions.
// clang-format off
constexpr KeyCode kKeyCodes[] = {
    // Esc; the digit row 1 ... 0, "-", "=", Backspace
    {9, 0x1B, false},
    {10, '1', false}, {11, '2', false}, {12, '3', false}, {13, '4', false}, {14, '5', false},
    {15, '6', false}, {16, '7', false}, {17, '8', false}, {18, '9', false}, {19, '0', false},
    {20, 0xBD, false}, {21, 0xBB, false}, {22, 0x08, false},
    // Tab, the top letter row, "[", "]", Enter
    {23, 0x09, false},
    {24, 'Q', false}, {25, 'W', false}, {26, 'E', false}, {27, 'R', false}, {28, 'T', false},
    {29, 'Y', false}, {30, 'U', false}, {31, 'I', false}, {32, 'O', false}, {33, 'P', false},
    {34, 0xDB, false}, {35, 0xDD, false}, {36, VK_RETURN, false},
    // left Ctrl, the middle letter row, ";", "'", "`", left Shift, "\"
    {37, 0xA2, false},
    {38, 'A', false}, {39, 'S', false}, {40, 'D', false}, {41, 'F', false}, {42, 'G', false},
    {43, 'H', false}, {44, 'J', false}, {45, 'K', false}, {46, 'L', false},
    {47, 0xBA, false}, {48, 0xDE, false}, {49, 0xC0, false}, {50, 0xA0, false}, {51, 0xDC, false},
    // the bottom letter row, ",", ".", "/", right Shift, keypad "*", left Alt, Space, Caps Lock
    {52, 'Z', false}, {53, 'X', false}, {54, 'C', false}, {55, 'V', false}, {56, 'B', false},
    {57, 'N', false}, {58, 'M', false},
    {59, 0xBC, false}, {60, 0xBE, false}, {61, 0xBF, false}, {62, 0xA1, false}, {63, 0x6A, false},
    {64, 0xA4, false}, {65, 0x20, false}, {66, VK_CAPITAL, false},
    // F1 ... F10, Num Lock, Scroll Lock, keypad "-" and "+"
    {67, 0x70, false}, {68, 0x71, false}, {69, 0x72, false}, {70, 0x73, false}, {71, 0x74, false},
    {72, 0x75, false}, {73, 0x76, false}, {74, 0x77, false}, {75, 0x78, false}, {76, 0x79, false},
    {77, VK_NUMLOCK, true}, {78, VK_SCROLL, false}, {82, 0x6D, false}, {86, 0x6B, false},
    // the extra key beside left Shift on ISO keyboards, F11, F12
    {94, 0xE2, false}, {95, 0x7A, false}, {96, 0x7B, false},
    // keypad Enter, right Ctrl, keypad "/", PrtSc (SysRq with Alt), right Alt (AltGr)
    {104, VK_RETURN, true}, {105, 0xA3, true}, {106, 0x6F, true}, {107, 0x2C, true}, {108, 0xA5, true},
    // the grey block: Home, Up, PgUp, Left, Right, End, Down, PgDn, Insert, Delete
    {110, VK_HOME, true}, {111, VK_UP, true}, {112, VK_PRIOR, true}, {113, VK_LEFT, true},
    {114, VK_RIGHT, true}, {115, VK_END, true}, {116, VK_DOWN, true}, {117, VK_NEXT, true},
    {118, VK_INSERT, true}, {119, VK_DELETE, true},
    // volume mute, down, up; Pause (Break with Ctrl); left Super, right Super, menu
    {121, 0xAD, true}, {122, 0xAE, true}, {123, 0xAF, true}, {127, 0x13, false},
    {133, 0x5B, true}, {134, 0x5C, true}, {135, 0x5D, true},
    // browser stop, calculator, sleep, mail, favourites, back, forward
    {136, 0xA9, true}, {148, 0xB7, true}, {150, 0x5F, true}, {163, 0xB4, true}, {164, 0xAB, true},
    {166, 0xA6, true}, {167, 0xA7, true},
    // next track, play / pause, previous track, stop, browser home, refresh, search
    {171, 0xB0, true}, {172, 0xB3, true}, {173, 0xB1, true}, {174, 0xB2, true}, {180, 0xAC, true},
    {181, 0xA8, true}, {225, 0xAA, true},
};
// clang-format on

// A keypad key whose code depends on NumLock: the digit code, and the navigation code it reports
// while NumLock is off.
struct KeypadCode {
    uint32_t scanCode;
    int digitVk;
    int navigationVk;
};

constexpr KeypadCode kKeypadCodes[] = {
    {79, VK_NUMPAD7, VK_HOME},   {80, VK_NUMPAD8, VK_UP},     {81, VK_NUMPAD9, VK_PRIOR},
    {83, VK_NUMPAD4, VK_LEFT},   {84, VK_NUMPAD5, VK_CLEAR},  {85, VK_NUMPAD6, VK_RIGHT},
    {87, VK_NUMPAD1, VK_END},    {88, VK_NUMPAD2, VK_DOWN},   {89, VK_NUMPAD3, VK_NEXT},
    {90, VK_NUMPAD0, VK_INSERT}, {91, VK_DECIMAL, VK_DELETE},
};

// KP_Home ... KP_Delete: the keysyms of the keypad's navigation functions.
constexpr uint32_t kFirstKeypadNavigationKeysym = 0xFF95;
constexpr uint32_t kLastKeypadNavigationKeysym = 0xFF9F;

bool isKeypadNavigation(uint32_t keysym) {
    return keysym >= kFirstKeypadNavigationKeysym && keysym <= kLastKeypadNavigationKeysym;
}

template <typename Row, size_t N>
const Row* findScanCode(const Row (&rows)[N], uint32_t scanCode) {
    const Row* row = std::find_if(std::begin(rows), std::end(rows),
                                  [&](const Row& r) { return r.scanCode == scanCode; });
    return row != std::end(rows) ? row : nullptr;
}

}  // namespace

std::optional<KeyTransition> TransitionOf(bool press, bool autoRepeat) {
    if (!autoRepeat) return press ? KeyTransition::Press : KeyTransition::Release;
    if (press) return KeyTransition::Repeat;
    return std::nullopt;
}

VirtualKeyEvent TranslateNativeKey(const NativeKeyEvent& event) {
    VirtualKeyEvent key;
    key.down = event.transition != KeyTransition::Release;
    if (const KeypadCode* keypad = findScanCode(kKeypadCodes, event.scanCode)) {
        key.vk = isKeypadNavigation(event.keysym) ? keypad->navigationVk : keypad->digitVk;
    } else if (const KeyCode* code = findScanCode(kKeyCodes, event.scanCode)) {
        key.vk = code->vk;
        key.extended = code->extended;
    } else {
        key.vk = kNoVirtualKey;
    }
    return key;
}

uint32_t ScanCodeOfVk(int vk) {
    const KeyCode* code = std::find_if(std::begin(kKeyCodes), std::end(kKeyCodes),
                                       [&](const KeyCode& c) { return c.vk == vk && !c.extended; });
    return code != std::end(kKeyCodes) ? code->scanCode : 0;
}

}  // namespace voltrane
