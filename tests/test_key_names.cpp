// Key names from a keyboard layout: which keys take the layout's character and which keep the key
// table's name, and the reading of the system's keyboard defaults file.

#include <gtest/gtest.h>

#include <map>
#include <ostream>

#include "capture/key_names.h"
#include "capture/key_translation.h"
#include "capture/keyboard_defaults.h"
#include "capture/keyboard_hook.h"

namespace voltrane {
namespace {

// A layout that prints `cap` on every key: shows which rows take the layout's name at all.
KeyNames everyKeyPrints(char32_t cap) {
    return KeyNames([cap](uint32_t) { return cap; });
}

struct RowCase {
    const char* name;
    int row;
    const char16_t* expected;  // the name when the layout prints U+00A4 on every key
};

void PrintTo(const RowCase& c, std::ostream* out) { *out << c.name; }

class KeyNameChoice : public testing::TestWithParam<RowCase> {};

TEST_P(KeyNameChoice, OnlyTypingKeysTakeTheLayoutsCharacter) {
    const RowCase& c = GetParam();
    EXPECT_EQ(everyKeyPrints(U'\u00A4').Name(c.row), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, KeyNameChoice,
    testing::Values(RowCase{"grave, first typing key", 17, u"\u00A4"}, RowCase{"digit 1", 18, u"\u00A4"},
                    RowCase{"equals, end of the digit row", 29, u"\u00A4"}, RowCase{"Q", 32, u"\u00A4"},
                    RowCase{"backslash", 44, u"\u00A4"}, RowCase{"A", 46, u"\u00A4"},
                    RowCase{"quote", 56, u"\u00A4"}, RowCase{"Z", 59, u"\u00A4"},
                    RowCase{"slash, last typing key", 68, u"\u00A4"}, RowCase{"Esc", 1, u"Esc"},
                    RowCase{"F1", 2, u"F1"}, RowCase{"Pause", 16, u"Pause"},
                    RowCase{"Backspace", 30, u"Backspace"}, RowCase{"Tab", 31, u"Tab"},
                    RowCase{"CapsLock", 45, u"CapsLock"}, RowCase{"Enter", 57, u"Enter"},
                    RowCase{"left Shift", 58, u"LShift"}, RowCase{"right Shift", 69, u"RShift"},
                    RowCase{"left Ctrl", 70, u"LCtrl"}, RowCase{"Space", 73, u"Space"},
                    RowCase{"right Alt", 74, u"RAlt"}, RowCase{"an arrow", 84, u"\u25C6"},
                    RowCase{"keypad slash", 89, u"(Num)/"}, RowCase{"keypad 7", 92, u"(Num)7"},
                    RowCase{"keypad Enter", 102, u"(Num)Enter"}, RowCase{"Unknown", 105, u"Unknown"},
                    RowCase{"beyond the table", 200, u"Unknown"}),
    [](const testing::TestParamInfo<RowCase>& info) { return "row" + std::to_string(info.param.row); });

// The layout is asked for each typing key by the scan code that records that same key, so the name
// shown belongs to the key the mouse will send.
TEST(KeyNames, AsksTheLayoutByTheScanCodeThatRecordsTheKey) {
    std::map<uint32_t, int> recordedRow;
    const KeyNames names([&](uint32_t scanCode) {
        recordedRow[scanCode] =
            KeyboardHookProc(TranslateNativeKey({scanCode, 0, KeyTransition::Press})).keyIndex;
        return static_cast<char32_t>(0x4E00 + scanCode);  // a character of its own per scan code
    });
    EXPECT_EQ(recordedRow.size(), 47u);  // 13 + 13 + 11 + 10 typing keys
    for (const auto& [scanCode, row] : recordedRow) {
        EXPECT_EQ(names.Name(row), std::u16string(1, static_cast<char16_t>(0x4E00 + scanCode)))
            << "scan code " << scanCode;
    }
}

struct CapCase {
    const char* name;
    char32_t cap;
    const char16_t* expected;  // the name of the Y key
};

void PrintTo(const CapCase& c, std::ostream* out) { *out << c.name; }

class KeyCapCharacter : public testing::TestWithParam<CapCase> {};

TEST_P(KeyCapCharacter, IsShownOnlyWhenPrintable) {
    const CapCase& c = GetParam();
    EXPECT_EQ(everyKeyPrints(c.cap).Name(37), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Characters, KeyCapCharacter,
    testing::Values(CapCase{"none", 0, u"Y"}, CapCase{"a control character", 0x1B, u"Y"},
                    CapCase{"delete", 0x7F, u"Y"}, CapCase{"a C1 control", 0x85, u"Y"},
                    CapCase{"a surrogate", 0xD800, u"Y"}, CapCase{"beyond Unicode", 0x110000, u"Y"},
                    CapCase{"space", 0x20, u" "}, CapCase{"a Latin letter", U'Z', u"Z"},
                    CapCase{"an umlaut", U'\u00D6', u"\u00D6"},
                    CapCase{"beyond the first plane", 0x1D11E, u"\U0001D11E"}),
    [](const testing::TestParamInfo<CapCase>& info) {
        std::string name = info.param.name;
        for (char& ch : name) ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
        return name;
    });

TEST(KeyNames, WithoutALayoutTheTableNamesTheKeys) {
    const KeyNames names;
    for (int row = 0; row < kKeyTableRows; ++row) EXPECT_EQ(names.Name(row), KeyRow(row).name) << row;
    EXPECT_EQ(&UsKeyNames(), &UsKeyNames());
    EXPECT_EQ(UsKeyNames().Name(37), u"Y");
}

TEST(KeyNames, CombinationsJoinTheLayoutsNames) {
    const KeyNames names([](uint32_t scanCode) { return scanCode == 29 ? U'Z' : U'\0'; });
    EXPECT_EQ(names.ComboText(KeyString{70, 58, 37}), u"LCtrl+LShift+Z");
    EXPECT_EQ(names.ComboText(KeyString{59, 37}), u"Z+Z");  // the Z position keeps its table name here
    EXPECT_EQ(names.ComboText(KeyString{}), u"");
    EXPECT_EQ(names.ComboText(KeyString{37, 0, 46}), u"Z");  // ends at the first 0 byte
}

struct DefaultsCase {
    const char* name;
    const char* text;
    XkbNames expected;
};

void PrintTo(const DefaultsCase& c, std::ostream* out) { *out << c.name; }

class KeyboardDefaults : public testing::TestWithParam<DefaultsCase> {};

TEST_P(KeyboardDefaults, ReadsTheLayoutNames) {
    const DefaultsCase& c = GetParam();
    const XkbNames names = ParseKeyboardDefaults(c.text);
    EXPECT_EQ(names.layout, c.expected.layout);
    EXPECT_EQ(names.variant, c.expected.variant);
    EXPECT_EQ(names.model, c.expected.model);
    EXPECT_EQ(names.options, c.expected.options);
}

INSTANTIATE_TEST_SUITE_P(
    Files, KeyboardDefaults,
    testing::Values(
        DefaultsCase{"Debian installer's file",
                     "# KEYBOARD CONFIGURATION FILE\n\n# Consult the keyboard(5) manual page.\n\n"
                     "XKBMODEL=\"pc105\"\nXKBLAYOUT=\"de\"\nXKBVARIANT=\"nodeadkeys\"\nXKBOPTIONS=\"\"\n\n"
                     "BACKSPACE=\"guess\"\n",
                     {"de", "nodeadkeys", "pc105", ""}},
        DefaultsCase{"unquoted with comments and CR LF",
                     "XKBLAYOUT=fr # French\r\nXKBOPTIONS=ctrl:nocaps\r\n",
                     {"fr", "", "", "ctrl:nocaps"}},
        DefaultsCase{"single quotes and spaces", "  XKBLAYOUT = 'us,de'  \n", {"us,de", "", "", ""}},
        DefaultsCase{
            "the last assignment counts", "XKBLAYOUT=\"us\"\nXKBLAYOUT=\"de\"\n", {"de", "", "", ""}},
        DefaultsCase{"commented out", "#XKBLAYOUT=\"de\"\n", {"", "", "", ""}},
        DefaultsCase{"an unclosed quote", "XKBLAYOUT=\"de", {"de", "", "", ""}},
        DefaultsCase{"other keys and no equals sign", "XKBLAYOUTS=\"de\"\nXKBLAYOUT\n", {"", "", "", ""}},
        DefaultsCase{"empty", "", {"", "", "", ""}}),
    [](const testing::TestParamInfo<DefaultsCase>& info) { return "case" + std::to_string(info.index); });

}  // namespace
}  // namespace voltrane
