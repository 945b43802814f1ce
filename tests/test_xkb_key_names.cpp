// Key names from real keyboard layouts, made by xkbcommon from their names, and the recording of keys,
// which must not change with the layout.

#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon.h>

#include <ostream>
#include <string>

#include "capture/key_names.h"
#include "capture/key_translation.h"
#include "capture/keyboard_hook.h"
#include "capture/single_key_capture.h"
#include "capture/xkb_key_caps.h"

namespace voltrane {
namespace {

KeyNames namesOf(const std::string& layout) {
    const XkbKeyCaps caps = XkbKeyCaps::FromNames({layout, "", "pc105", ""});
    EXPECT_TRUE(caps.Valid()) << layout;
    return KeyNames([&caps](uint32_t scanCode) { return caps.CapOf(scanCode); });
}

struct LayoutCase {
    const char* layout;
    const char* position;  // the key, by its name on a US keyboard
    int row;               // its key-table row: what is recorded
    const char16_t* name;  // what the layout prints on it
};

void PrintTo(const LayoutCase& c, std::ostream* out) { *out << c.layout << " " << c.position; }

class LayoutKeyNames : public testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutKeyNames, NameTheKeyAsTheLayoutPrintsIt) {
    const LayoutCase& c = GetParam();
    EXPECT_EQ(namesOf(c.layout).Name(c.row), c.name);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, LayoutKeyNames,
    testing::Values(
        // US: letters as their capitals, punctuation as the unshifted character, except the three keys
        // the table names by their shifted one
        LayoutCase{"us", "Y", 37, u"Y"}, LayoutCase{"us", "Z", 59, u"Z"}, LayoutCase{"us", "1", 18, u"1"},
        LayoutCase{"us", "semicolon", 55, u":"}, LayoutCase{"us", "grave", 17, u"~"},
        LayoutCase{"us", "quote", 56, u"\""}, LayoutCase{"us", "F1", 2, u"F1"},
        // German: Z and Y swapped, umlauts as capitals, sharp s has no capital on its key, dead keys
        // as their accents
        LayoutCase{"de", "Y", 37, u"Z"}, LayoutCase{"de", "Z", 59, u"Y"},
        LayoutCase{"de", "semicolon", 55, u"\u00D6"}, LayoutCase{"de", "quote", 56, u"\u00C4"},
        LayoutCase{"de", "left bracket", 42, u"\u00DC"}, LayoutCase{"de", "minus", 28, u"\u00DF"},
        LayoutCase{"de", "equals", 29, u"\u00B4"}, LayoutCase{"de", "grave", 17, u"^"},
        LayoutCase{"de", "slash", 68, u"-"}, LayoutCase{"de", "right bracket", 43, u"+"},
        LayoutCase{"de", "backslash", 44, u"#"}, LayoutCase{"de", "2", 19, u"2"},
        LayoutCase{"de", "left Shift", 58, u"LShift"}, LayoutCase{"de", "keypad 7", 92, u"(Num)7"},
        LayoutCase{"de", "Space", 73, u"Space"},
        // French: AZERTY, accented letters lower-case where Shift gives a digit
        LayoutCase{"fr", "Q", 32, u"A"}, LayoutCase{"fr", "A", 46, u"Q"}, LayoutCase{"fr", "W", 33, u"Z"},
        LayoutCase{"fr", "Z", 59, u"W"}, LayoutCase{"fr", "semicolon", 55, u"M"},
        LayoutCase{"fr", "M", 65, u","}, LayoutCase{"fr", "1", 18, u"&"},
        LayoutCase{"fr", "2", 19, u"\u00E9"}, LayoutCase{"fr", "quote", 56, u"\u00F9"},
        LayoutCase{"fr", "left bracket", 42, u"^"}, LayoutCase{"fr", "Enter", 57, u"Enter"},
        // Russian: another script's capitals
        LayoutCase{"ru", "Q", 32, u"\u0419"}, LayoutCase{"ru", "semicolon", 55, u"\u0416"}),
    [](const testing::TestParamInfo<LayoutCase>& info) {
        std::string name = std::string(info.param.layout) + "_" + info.param.position;
        for (char& ch : name) ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
        return name;
    });

TEST(XkbKeyCaps, AnUnknownLayoutGivesNoCharacters) {
    const XkbKeyCaps caps = XkbKeyCaps::FromNames({"no-such-layout", "", "", ""});
    EXPECT_FALSE(caps.Valid());
    EXPECT_EQ(caps.CapOf(29), U'\0');
    EXPECT_EQ(XkbKeyCaps().CapOf(29), U'\0');
}

// A keymap as a Wayland compositor sends it: the text of a layout's keymap, read in its first layout.
TEST(XkbKeyCaps, ReadsAKeymapText) {
    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    const xkb_rule_names german{nullptr, "pc105", "de,us", nullptr, nullptr};
    xkb_keymap* keymap = xkb_keymap_new_from_names(context, &german, XKB_KEYMAP_COMPILE_NO_FLAGS);
    ASSERT_NE(keymap, nullptr);
    char* text = xkb_keymap_get_as_string(keymap, XKB_KEYMAP_FORMAT_TEXT_V1);
    const XkbKeyCaps caps = XkbKeyCaps::FromKeymapText(text);
    free(text);
    xkb_keymap_unref(keymap);
    xkb_context_unref(context);
    ASSERT_TRUE(caps.Valid());
    EXPECT_EQ(caps.CapOf(29), U'Z');
    EXPECT_EQ(caps.CapOf(47), U'\u00D6');
    EXPECT_FALSE(XkbKeyCaps::FromKeymapText("xkb_keymap { not a keymap").Valid());
    EXPECT_FALSE(XkbKeyCaps::FromKeymapText("").Valid());
}

// The keysym a layout gives a key with no modifier held, as the desktop sends it with the key.
class LayoutKeysyms {
public:
    explicit LayoutKeysyms(const char* layout) {
        const xkb_rule_names names{nullptr, "pc105", layout, nullptr, nullptr};
        m_context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
        m_keymap = xkb_keymap_new_from_names(m_context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
        m_state = m_keymap ? xkb_state_new(m_keymap) : nullptr;
    }
    ~LayoutKeysyms() {
        xkb_state_unref(m_state);
        xkb_keymap_unref(m_keymap);
        xkb_context_unref(m_context);
    }
    LayoutKeysyms(const LayoutKeysyms&) = delete;
    LayoutKeysyms& operator=(const LayoutKeysyms&) = delete;

    bool Valid() const { return m_state != nullptr; }
    uint32_t KeysymOf(uint32_t scanCode) const { return xkb_state_key_get_one_sym(m_state, scanCode); }

private:
    xkb_context* m_context = nullptr;
    xkb_keymap* m_keymap = nullptr;
    xkb_state* m_state = nullptr;
};

// Every key records the same row, and so the same HID bytes, whatever the layout's keysym for it;
// only the name shown differs.
TEST(XkbKeyNames, RecordedKeysDoNotChangeWithTheLayout) {
    const LayoutKeysyms us("us");
    ASSERT_TRUE(us.Valid());
    for (const char* layout : {"de", "fr", "ru"}) {
        const LayoutKeysyms other(layout);
        ASSERT_TRUE(other.Valid()) << layout;
        int differingKeysyms = 0;
        for (uint32_t scanCode = 9; scanCode < 256; ++scanCode) {
            const auto record = [&](const LayoutKeysyms& keysyms) {
                SingleKeyCapture capture;
                capture.OnHookKeyDown(
                    KeyboardHookProc(
                        TranslateNativeKey({scanCode, keysyms.KeysymOf(scanCode), KeyTransition::Press}))
                        .keyIndex);
                return capture.OkResult().value_or(KeyString{});
            };
            const KeyString keys = record(other);
            EXPECT_EQ(keys, record(us)) << layout << " scan code " << scanCode;
            std::array<uint8_t, kKeyboardReportBytes> hid{}, usHid{};
            KeyComboToHid(keys, hid);
            KeyComboToHid(record(us), usHid);
            EXPECT_EQ(hid, usHid) << layout << " scan code " << scanCode;
            if (other.KeysymOf(scanCode) != us.KeysymOf(scanCode)) ++differingKeysyms;
        }
        EXPECT_GT(differingKeysyms, 10) << layout;  // the layouts really differ from US
    }
}

TEST(XkbKeyNames, TheSameKeyIsNamedByEachLayoutAndRecordedAlike) {
    const KeyString germanZ = [] {
        SingleKeyCapture capture;
        capture.OnHookKeyDown(
            KeyboardHookProc(TranslateNativeKey({29, 'z', KeyTransition::Press})).keyIndex);
        return *capture.OkResult();
    }();
    EXPECT_EQ(germanZ[0], 37);  // the US Y position
    EXPECT_EQ(namesOf("de").ComboText(germanZ), u"Z");
    EXPECT_EQ(namesOf("us").ComboText(germanZ), u"Y");
    EXPECT_EQ(namesOf("fr").ComboText(germanZ), u"Y");
}

}  // namespace
}  // namespace voltrane
