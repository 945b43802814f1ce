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
constexpr KeyCode kKeyCodes[] = {
    {9, 0x1B, false},                                                    // Esc
    {10, '1', false},                                                    // 1 ... 0
    {11, '2', false},                                                    //
    {12, '3', false},                                                    //
    {13, '4', false},                                                    //
    {14, '5', false},                                                    //
    {15, '6', false},                                                    //
    {16, '7', false},                                                    //
    {17, '8', false},                                                    //
    {18, '9', false},                                                    //
    {19, '0', false},                                                    //
    {20, 0xBD, false},                                                   // - _
    {21, 0xBB, false},                                                   // = +
    {22, 0x08, false},                                                   // Backspace
    {23, 0x09, false},                                                   // Tab
    {24, 'Q', false},                                                    // top letter row
    {25, 'W', false},                                                    //
    {26, 'E', false},                                                    //
    {27, 'R', false},                                                    //
    {28, 'T', false},                                                    //
    {29, 'Y', false},                                                    //
    {30, 'U', false},                                                    //
    {31, 'I', false},                                                    //
    {32, 'O', false},                                                    //
    {33, 'P', false},                                                    //
    {34, 0xDB, false},                                                   // [ {
    {35, 0xDD, false},                                                   // ] }
    {36, VK_RETURN, false},  {37, 0xA2, false},                          // left Ctrl
    {38, 'A', false},                                                    // middle letter row
    {39, 'S', false},                                                    //
    {40, 'D', false},                                                    //
    {41, 'F', false},                                                    //
    {42, 'G', false},                                                    //
    {43, 'H', false},                                                    //
    {44, 'J', false},                                                    //
    {45, 'K', false},                                                    //
    {46, 'L', false},                                                    //
    {47, 0xBA, false},                                                   // ; :
    {48, 0xDE, false},                                                   // ' "
    {49, 0xC0, false},                                                   // ` ~
    {50, 0xA0, false},                                                   // left Shift
    {51, 0xDC, false},                                                   // \ |
    {52, 'Z', false},                                                    // bottom letter row
    {53, 'X', false},                                                    //
    {54, 'C', false},                                                    //
    {55, 'V', false},                                                    //
    {56, 'B', false},                                                    //
    {57, 'N', false},                                                    //
    {58, 'M', false},                                                    //
    {59, 0xBC, false},                                                   // , <
    {60, 0xBE, false},                                                   // . >
    {61, 0xBF, false},                                                   // / ?
    {62, 0xA1, false},                                                   // right Shift
    {63, 0x6A, false},                                                   // keypad *
    {64, 0xA4, false},                                                   // left Alt
    {65, 0x20, false},                                                   // Space
    {66, VK_CAPITAL, false}, {67, 0x70, false},                          // F1 ... F10
    {68, 0x71, false},                                                   //
    {69, 0x72, false},                                                   //
    {70, 0x73, false},                                                   //
    {71, 0x74, false},                                                   //
    {72, 0x75, false},                                                   //
    {73, 0x76, false},                                                   //
    {74, 0x77, false},                                                   //
    {75, 0x78, false},                                                   //
    {76, 0x79, false},                                                   //
    {77, VK_NUMLOCK, true},  {78, VK_SCROLL, false}, {82, 0x6D, false},  // keypad -
    {86, 0x6B, false},                                                   // keypad +
    {94, 0xE2, false},       // the extra key beside left Shift on ISO keyboards
    {95, 0x7A, false},       // F11
    {96, 0x7B, false},       // F12
    {104, VK_RETURN, true},  // keypad Enter
    {105, 0xA3, true},       // right Ctrl
    {106, 0x6F, true},       // keypad /
    {107, 0x2C, true},       // PrtSc (also with Alt, where it is SysRq)
    {108, 0xA5, true},       // right Alt (AltGr)
    {110, VK_HOME, true},    {111, VK_UP, true},     {112, VK_PRIOR, true}, {113, VK_LEFT, true},
    {114, VK_RIGHT, true},   {115, VK_END, true},    {116, VK_DOWN, true},  {117, VK_NEXT, true},
    {118, VK_INSERT, true},  {119, VK_DELETE, true}, {121, 0xAD, true},  // volume mute
    {122, 0xAE, true},                                                   // volume down
    {123, 0xAF, true},                                                   // volume up
    {127, 0x13, false},  // Pause (also with Ctrl, where it is Break)
    {133, 0x5B, true},   // left Super
    {134, 0x5C, true},   // right Super
    {135, 0x5D, true},   // menu
    {136, 0xA9, true},   // browser stop
    {148, 0xB7, true},   // calculator
    {150, 0x5F, true},   // sleep
    {163, 0xB4, true},   // mail
    {164, 0xAB, true},   // browser favourites
    {166, 0xA6, true},   // browser back
    {167, 0xA7, true},   // browser forward
    {171, 0xB0, true},   // next track
    {172, 0xB3, true},   // play / pause
    {173, 0xB1, true},   // previous track
    {174, 0xB2, true},   // stop
    {180, 0xAC, true},   // browser home
    {181, 0xA8, true},   // browser refresh
    {225, 0xAA, true},   // browser search
};

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

}  // namespace voltrane
