#include <gtest/gtest.h>

#include <bitset>
#include <ostream>

#include "capture/key_translation.h"
#include "capture/keyboard_hook.h"
#include "capture/virtual_keys.h"
#include "settings/key_table.h"

namespace voltrane {
namespace {

// Keysyms the keypad's digit keys produce with NumLock on (KP_7) and off (KP_Home).
constexpr uint32_t kKeysymKp7 = 0xFFB7;
constexpr uint32_t kKeysymKpHome = 0xFF95;

// The row a native key press ends on, through the translation and the capture of the key.
int rowOf(uint32_t scanCode, uint32_t keysym = 0) {
    return KeyboardHookProc(TranslateNativeKey({scanCode, keysym, KeyTransition::Press})).keyIndex;
}

struct NativeCase {
    const char* name;
    uint32_t scanCode;  // evdev code + 8
    uint32_t keysym;
    int row;
};

void PrintTo(const NativeCase& c, std::ostream* out) { *out << c.name; }

class NativeKeyToRow : public testing::TestWithParam<NativeCase> {};

TEST_P(NativeKeyToRow, GivesTheKeyTableRow) {
    const NativeCase& c = GetParam();
    EXPECT_EQ(rowOf(c.scanCode, c.keysym), c.row);
}

INSTANTIATE_TEST_SUITE_P(
    KeyCapture, NativeKeyToRow,
    testing::Values(
        NativeCase{"LeftCtrl", 37, 0xFFE3, 70}, NativeCase{"LeftShift", 50, 0xFFE1, 58},
        NativeCase{"S", 39, 's', 47}, NativeCase{"RightShift", 62, 0xFFE2, 69},
        NativeCase{"RightCtrl", 105, 0xFFE4, 77}, NativeCase{"LeftAlt", 64, 0xFFE9, 72},
        NativeCase{"RightAltAsAltGr", 108, 0xFE03, 74}, NativeCase{"LeftSuper", 133, 0xFFEB, 71},
        NativeCase{"RightSuper", 134, 0xFFEC, 75}, NativeCase{"Menu", 135, 0xFF67, 76},
        NativeCase{"Esc", 9, 0xFF1B, 1}, NativeCase{"F1", 67, 0xFFBE, 2}, NativeCase{"F11", 95, 0xFFC8, 12},
        NativeCase{"F12", 96, 0xFFC9, 13}, NativeCase{"PrtSc", 107, 0xFF61, 14},
        NativeCase{"SysRqWithAlt", 107, 0xFF15, 14}, NativeCase{"ScrollLock", 78, 0xFF14, 15},
        NativeCase{"Pause", 127, 0xFF13, 16}, NativeCase{"BreakWithCtrl", 127, 0xFF6B, 16},
        NativeCase{"Grave", 49, '`', 17}, NativeCase{"One", 10, '1', 18}, NativeCase{"Zero", 19, '0', 27},
        NativeCase{"Minus", 20, '-', 28}, NativeCase{"Equal", 21, '=', 29},
        NativeCase{"Backspace", 22, 0xFF08, 30}, NativeCase{"Tab", 23, 0xFF09, 31},
        NativeCase{"Q", 24, 'q', 32}, NativeCase{"BracketLeft", 34, '[', 42},
        NativeCase{"BracketRight", 35, ']', 43}, NativeCase{"Backslash", 51, '\\', 44},
        NativeCase{"CapsLock", 66, 0xFFE5, 45}, NativeCase{"A", 38, 'a', 46},
        NativeCase{"Semicolon", 47, ';', 55}, NativeCase{"Apostrophe", 48, '\'', 56},
        NativeCase{"Enter", 36, 0xFF0D, 57}, NativeCase{"Z", 52, 'z', 59},
        NativeCase{"ZOnAGermanLayoutStaysAtItsPosition", 52, 'y', 59}, NativeCase{"Comma", 59, ',', 66},
        NativeCase{"Period", 60, '.', 67}, NativeCase{"Slash", 61, '/', 68},
        NativeCase{"Space", 65, ' ', 73}, NativeCase{"Insert", 118, 0xFF63, 78},
        NativeCase{"Home", 110, 0xFF50, 79}, NativeCase{"PageUp", 112, 0xFF55, 80},
        NativeCase{"Delete", 119, 0xFFFF, 81}, NativeCase{"End", 115, 0xFF57, 82},
        NativeCase{"PageDown", 117, 0xFF56, 83}, NativeCase{"Up", 111, 0xFF52, 84},
        NativeCase{"Left", 113, 0xFF51, 85}, NativeCase{"Down", 116, 0xFF54, 86},
        NativeCase{"Right", 114, 0xFF53, 87}, NativeCase{"NumLock", 77, 0xFF7F, 88},
        NativeCase{"KeypadDivide", 106, 0xFFAF, 89}, NativeCase{"KeypadMultiply", 63, 0xFFAA, 90},
        NativeCase{"KeypadMinus", 82, 0xFFAD, 91}, NativeCase{"KeypadPlus", 86, 0xFFAB, 95},
        NativeCase{"Keypad7NumLockOn", 79, kKeysymKp7, 92},
        NativeCase{"Keypad7NumLockOff", 79, kKeysymKpHome, 92},
        NativeCase{"Keypad5NumLockOff", 84, 0xFF9D, 97}, NativeCase{"Keypad0NumLockOff", 90, 0xFF9E, 103},
        NativeCase{"KeypadDecimalNumLockOff", 91, 0xFF9F, 104},
        NativeCase{"KeypadDecimalNumLockOn", 91, 0xFFAE, 104},
        NativeCase{"KeypadCommaOfAGermanLayout", 91, 0xFFAC, 104},
        NativeCase{"KeypadEnter", 104, 0xFF8D, 102}, NativeCase{"VolumeUp", 123, 0x1008FF13, 105},
        NativeCase{"PlayPause", 172, 0x1008FF14, 105}, NativeCase{"IsoExtraKey", 94, '<', 105},
        NativeCase{"UnassignedScanCode", 255, 0, 105}, NativeCase{"ScanCodeZero", 0, 0, 105}));

// The keypad's digit keys, NumLock on and off, each on its own "(Num)" row and never on the row of
// the navigation key with the same function.
TEST(KeyCapture, KeypadDigitsKeepTheirRowsWhateverNumLock) {
    struct Keypad {
        uint32_t scanCode;
        uint32_t digitKeysym;
        uint32_t navigationKeysym;
        int row;
    };
    const Keypad keypad[] = {
        {79, 0xFFB7, 0xFF95, 92},  {80, 0xFFB8, 0xFF97, 93},  {81, 0xFFB9, 0xFF9A, 94},
        {83, 0xFFB4, 0xFF96, 96},  {84, 0xFFB5, 0xFF9D, 97},  {85, 0xFFB6, 0xFF98, 98},
        {87, 0xFFB1, 0xFF9C, 99},  {88, 0xFFB2, 0xFF99, 100}, {89, 0xFFB3, 0xFF9B, 101},
        {90, 0xFFB0, 0xFF9E, 103}, {91, 0xFFAE, 0xFF9F, 104},
    };
    for (const Keypad& k : keypad) {
        SCOPED_TRACE(k.scanCode);
        EXPECT_EQ(rowOf(k.scanCode, k.digitKeysym), k.row);
        EXPECT_EQ(rowOf(k.scanCode, k.navigationKeysym), k.row);
    }
}

// Every key of the key table can be captured: some scan code reaches each row 1..104.
TEST(KeyCapture, EveryRowOfTheKeyTableIsReachable) {
    std::bitset<kKeyTableRows> reached;
    for (uint32_t scanCode = 0; scanCode < 256; ++scanCode) {
        reached.set(rowOf(scanCode, kKeysymKp7));
        reached.set(rowOf(scanCode, kKeysymKpHome));
    }
    for (int row = 1; row < kUnknownKeyIndex; ++row) EXPECT_TRUE(reached[row]) << KeyRow(row).vk;
    EXPECT_FALSE(reached[0]);  // the terminator of key-index strings is never a key
}

// What the keyboard reports for the keys whose code or flag depends on where they sit.
TEST(KeyTranslation, CodeAndExtendedFlag) {
    struct Case {
        const char* name;
        uint32_t scanCode;
        uint32_t keysym;
        int vk;
        bool extended;
    };
    const Case cases[] = {
        {"Enter", 36, 0xFF0D, VK_RETURN, false},
        {"KeypadEnter", 104, 0xFF8D, VK_RETURN, true},
        {"GreyHome", 110, 0xFF50, VK_HOME, true},
        {"Keypad7NumLockOff", 79, kKeysymKpHome, VK_HOME, false},
        {"Keypad7NumLockOn", 79, kKeysymKp7, VK_NUMPAD7, false},
        {"Keypad5NumLockOff", 84, 0xFF9D, VK_CLEAR, false},
        {"GreyDelete", 119, 0xFFFF, VK_DELETE, true},
        {"KeypadDecimalNumLockOff", 91, 0xFF9F, VK_DELETE, false},
        {"NumLock", 77, 0xFF7F, VK_NUMLOCK, true},
        {"RightShift", 62, 0xFFE2, 0xA1, false},
        {"RightCtrl", 105, 0xFFE4, 0xA3, true},
        {"RightAlt", 108, 0xFE03, 0xA5, true},
        {"LeftSuper", 133, 0xFFEB, 0x5B, true},
        {"PrtSc", 107, 0xFF61, 0x2C, true},
        {"Pause", 127, 0xFF13, 0x13, false},
        {"VolumeUp", 123, 0x1008FF13, 0xAF, true},
        {"Unknown", 250, 0, kNoVirtualKey, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const VirtualKeyEvent key = TranslateNativeKey({c.scanCode, c.keysym, KeyTransition::Press});
        EXPECT_EQ(key.vk, c.vk);
        EXPECT_EQ(key.extended, c.extended);
    }
}

TEST(KeyCapture, TransitionsGiveTheMessages) {
    struct Case {
        KeyTransition transition;
        HookMessage message;
    };
    const Case cases[] = {{KeyTransition::Press, WM_HOOK_KEYDOWN},
                          {KeyTransition::Repeat, WM_HOOK_KEYDOWN},
                          {KeyTransition::Release, WM_HOOK_KEYUP}};
    for (const Case& c : cases) {
        const HookResult result = KeyboardHookProc(TranslateNativeKey({38, 'a', c.transition}));
        EXPECT_EQ(result.keyIndex, 46);
        EXPECT_EQ(result.message, c.message);
    }
}

// The lock keys go on to the system, down and up, so that their state still toggles; nothing else does.
TEST(KeyCapture, OnlyTheLockKeysPassOn) {
    for (uint32_t scanCode = 0; scanCode < 256; ++scanCode) {
        for (KeyTransition transition : {KeyTransition::Press, KeyTransition::Release}) {
            const HookResult result = KeyboardHookProc(TranslateNativeKey({scanCode, 0, transition}));
            const int row = result.keyIndex;
            const bool lock = row == 45 || row == 88 || row == 15;  // CapsLock, Num Lock, Scroll
            EXPECT_EQ(result.passOn, lock) << scanCode;
        }
    }
}

// Held keys repeat as marked release and press pairs: only the press counts, as a repeat.
TEST(KeyTranslation, AutoRepeatReleaseIsNoRelease) {
    struct Case {
        bool press;
        bool autoRepeat;
        std::optional<KeyTransition> transition;
    };
    const Case cases[] = {{true, false, KeyTransition::Press},
                          {false, false, KeyTransition::Release},
                          {true, true, KeyTransition::Repeat},
                          {false, true, std::nullopt}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "press " << c.press << " auto-repeat " << c.autoRepeat);
        EXPECT_EQ(TransitionOf(c.press, c.autoRepeat), c.transition);
    }
}

TEST(KeyboardHookProc, UsesTheLow16BitsOfTheCode) {
    EXPECT_EQ(KeyboardHookProc({0x10000 | 'A', false, true}).keyIndex, 46);
    EXPECT_EQ(KeyboardHookProc({0x10000 | VK_RETURN, true, true}).keyIndex, 102);
}

// The navigation codes: extended from the grey block, not extended from the keypad.
TEST(KeyboardHookProc, NavigationCodesByExtendedFlag) {
    struct Case {
        int vk;
        int greyRow;
        int keypadRow;
    };
    const Case cases[] = {
        {VK_INSERT, 78, 103}, {VK_HOME, 79, 92},  {VK_PRIOR, 80, 94},  {VK_DELETE, 81, 104},
        {VK_END, 82, 99},     {VK_NEXT, 83, 101}, {VK_UP, 84, 93},     {VK_LEFT, 85, 96},
        {VK_DOWN, 86, 100},   {VK_RIGHT, 87, 98}, {VK_CLEAR, 105, 97}, {VK_RETURN, 102, 57},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.vk);
        EXPECT_EQ(KeyboardHookProc({c.vk, true, true}).keyIndex, c.greyRow);
        EXPECT_EQ(KeyboardHookProc({c.vk, false, true}).keyIndex, c.keypadRow);
    }
}

}  // namespace
}  // namespace voltrane
