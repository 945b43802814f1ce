#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "file_bytes.h"
#include "setting_fixture.h"
#include "settings/ini_file.h"
#include "settings/macro_store.h"
#include "settings/profile.h"
#include "settings/text_tables.h"
#include "settings/utf.h"
#include "temp_dir.h"

namespace voltrane {
namespace {

using namespace std::string_literals;

// A record where every item, key byte, macro byte and name is distinct.
MouseSetting fullRecord() {
    MouseSetting s;
    for (int i = 0; i < kItemCount; ++i) s.m_nItem[i] = i * 7919 - 500000;
    s.m_nItem[3] = -1;
    for (int b = 0; b < kButtonCount; ++b) {
        for (int k = 0; k < kKeyStringLength; ++k) s.m_KeyData[b][k] = static_cast<uint8_t>(b * 10 + k);
        for (int k = 0; k < kMacroRowBytes; ++k) s.m_MacroData[b][k] = static_cast<uint8_t>(b + k * 3);
        s.m_strButtonMacro[b] = u"Macro \u00e4\u4e2d " + std::u16string(1, char16_t(u'A' + b));
    }
    return s;
}

// Items that share one profile line with a higher-numbered item in `language`.
std::map<int, int> sharedKeyOwners(int language) {
    std::map<std::u16string, int> last;
    std::map<int, int> owner;
    auto fold = [](std::u16string_view t) {
        std::u16string s(t);
        s.erase(0, s.find_first_not_of(u' '));
        s.erase(s.find_last_not_of(u' ') + 1);
        for (auto& c : s) c = (c >= u'A' && c <= u'Z') ? c + 32 : c;
        return s;
    };
    for (int i = 0; i < kItemCount; ++i) {
        std::u16string_view caption = GetText(TextTable::Main, i, language);
        if (!caption.empty()) last[fold(caption)] = i;
    }
    for (int i = 0; i < kItemCount; ++i) {
        std::u16string_view caption = GetText(TextTable::Main, i, language);
        if (!caption.empty()) owner[i] = last[fold(caption)];
    }
    return owner;
}

class ProfileRoundTrip : public testing::TestWithParam<int> {};

TEST_P(ProfileRoundTrip, EveryValueComesBack) {
    const int language = GetParam();
    TempDir dir;
    const MouseSetting saved = fullRecord();
    ASSERT_TRUE(SaveProfile(saved, dir.path() / "Setting1.ini", dir.path() / "mouse.mac", language));

    MouseSetting loaded;
    ASSERT_EQ(LoadProfile(loaded, dir.path() / "Setting1.ini", language, 1), ProfileLoad::Loaded);

    const std::map<int, int> owners = sharedKeyOwners(language);
    for (int i = 0; i < kItemCount; ++i) {
        SCOPED_TRACE(i);
        if (i >= 125 && i <= 127) continue;  // the page tabs follow the page shown
        auto it = owners.find(i);
        const int32_t expected = it == owners.end() ? 0 : saved.m_nItem[it->second];
        EXPECT_EQ(loaded.m_nItem[i], expected);
    }
    for (int b = 0; b < kButtonCount; ++b) {
        SCOPED_TRACE(b);
        EXPECT_TRUE(
            std::equal(std::begin(saved.m_KeyData[b]), std::end(saved.m_KeyData[b]), loaded.m_KeyData[b]));
        EXPECT_TRUE(std::equal(std::begin(saved.m_MacroData[b]), std::end(saved.m_MacroData[b]),
                               loaded.m_MacroData[b]));
        EXPECT_EQ(loaded.m_strButtonMacro[b], saved.m_strButtonMacro[b]);
    }
    EXPECT_EQ(loaded.m_nItem[126], 1);
}

INSTANTIATE_TEST_SUITE_P(AllLanguages, ProfileRoundTrip, testing::Range(0, kLanguageCount));

TEST(Profile, EnglishSharedKeys) {
    TempDir dir;
    MouseSetting s = defaults();
    const std::map<int, int32_t> values = {{24, 1},  {28, 2},  {32, 3},  {91, 4}, {95, 5},
                                           {25, 6},  {29, 7},  {33, 8},  {51, 9}, {78, 10},
                                           {79, 11}, {80, 12}, {89, 13}, {93, 14}};
    for (auto [item, value] : values) s.m_nItem[item] = value;
    ASSERT_TRUE(SaveProfile(s, dir.path() / "p.ini", "m.mac", kEnglish));
    MouseSetting loaded;
    ASSERT_EQ(LoadProfile(loaded, dir.path() / "p.ini", kEnglish, 0), ProfileLoad::Loaded);
    for (int item : {24, 28, 32, 91, 95}) EXPECT_EQ(loaded.m_nItem[item], 5) << item;
    for (int item : {25, 29, 33}) EXPECT_EQ(loaded.m_nItem[item], 8) << item;
    for (int item : {51, 78, 79, 80}) EXPECT_EQ(loaded.m_nItem[item], 12) << item;
    for (int item : {89, 93}) EXPECT_EQ(loaded.m_nItem[item], 14) << item;
    EXPECT_EQ(loaded.m_nItem[125], 1);
}

std::u16string fileText(const std::filesystem::path& path) {
    const std::string bytes = ReadBytes(path);
    EXPECT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    std::u16string text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        text += static_cast<char16_t>(uint8_t(bytes[i]) | uint8_t(bytes[i + 1]) << 8);
    }
    return text;
}

TEST(Profile, FileLayout) {
    TempDir dir;
    MouseSetting s = defaults();
    s.m_nItem[104] = -1;
    s.m_KeyData[0][0] = 65;
    s.m_KeyData[0][1] = 7;
    s.m_strButtonMacro[9] = u"Fire";
    ASSERT_TRUE(SaveProfile(s, dir.path() / "p.ini", "/opt/voltrane/mouse.mac", kEnglish));
    const std::u16string text = fileText(dir.path() / "p.ini");

    EXPECT_EQ(text.substr(0, 35), u"[Setting]\r\nButton1=0x1\r\nButton2=0x2");
    const std::u16string expectedLines[] = {
        u"\r\n Lighting=0x0\r\n",
        u"\r\nC0=0xffffffff\r\n",
        u"\r\nC1=0xff\r\n",
        u"\r\nC2=0xff00\r\n",
        u"\r\nMacros Files=/opt/voltrane/mouse.mac\r\nKeyboard "
        u"Settings1=065,007,000,000,000,000,000,000,000,000,"
        u"\r\nKeyboard Settings2=",
        u"\r\nMacros Names9=\r\nMacros Names10=Fire\r\n",
    };
    for (const auto& line : expectedLines) {
        EXPECT_NE(text.find(line), std::u16string::npos) << Utf16ToUtf8(line);
    }
    // The key order: items, the macro file, key data, macro data, names.
    EXPECT_LT(text.find(u"\r\n Cancel="), text.find(u"\r\nMacros Files="));
    EXPECT_LT(text.find(u"\r\nKeyboard Settings10="), text.find(u"\r\nMacros Settings1="));
    EXPECT_LT(text.find(u"\r\nMacros Settings10="), text.find(u"\r\nMacros Names1="));
    const size_t macroLine = text.find(u"\r\nMacros Settings1=") + 19;
    EXPECT_EQ(text.find(u"\r\n", macroLine) - macroLine, 1020u);
    EXPECT_EQ(text.substr(text.size() - 2), u"\r\n");
}

// Writes a UTF-16 profile holding just the given lines of section "Setting".
void writeProfile(const std::filesystem::path& path, const std::vector<std::u16string>& lines) {
    IniFile file(IniEncoding::Utf16Le);
    for (const auto& line : lines) {
        const size_t eq = line.find(u'=');
        file.SetString(u"Setting", line.substr(0, eq), line.substr(eq + 1));
    }
    ASSERT_TRUE(file.Save(path));
}

TEST(Profile, LoadingOddValues) {
    TempDir dir;
    const auto path = dir.path() / "odd.ini";
    writeProfile(path, {u"Button2=0xffffffff", u"Button3=12", u"Button4=junk", u"XDpi=0X3",
                        u"Keyboard Settings1=065,7,", u"Macros Names2=  spaced  ",
                        u"Macros Settings3=032,000,000,000,000,000,000,000,000,000,096,000"});
    MouseSetting s = defaults();
    ASSERT_EQ(LoadProfile(s, path, kEnglish, 0), ProfileLoad::Loaded);
    EXPECT_EQ(s.m_nItem[1], -1);
    EXPECT_EQ(s.m_nItem[2], 12);
    EXPECT_EQ(s.m_nItem[3], 0);
    EXPECT_EQ(s.m_nItem[55], 3);
    EXPECT_EQ(s.m_nItem[0], 0);   // missing key
    EXPECT_EQ(s.m_nItem[7], 22);  // items without a caption keep their value
    // "065," then "7,"+"..." : the digit rule reads characters, not numbers.
    EXPECT_EQ(s.m_KeyData[0][0], 65);
    EXPECT_EQ(s.m_KeyData[0][1], static_cast<uint8_t>(('7' - 48) * 100 + (',' - 48) * 10 + (0 - 48)));
    EXPECT_EQ(s.m_KeyData[0][2], 0x30);
    EXPECT_EQ(s.m_KeyData[1][0], 0x30);  // no key at all: every digit code is 0
    EXPECT_EQ(s.m_MacroData[0][254], 0x30);
    EXPECT_EQ(s.m_strButtonMacro[1], u"spaced");
    // The macro length follows the stored records: a press record, then 0x60 at byte 10, then
    // byte 20 = '0' * ... = 0x30, which is not a record.
    EXPECT_EQ(s.m_nMacroDataLen[2], 20);
    EXPECT_EQ(s.m_nMacroDataLen[0], 0);
}

TEST(Profile, MacroRowLength) {
    struct Case {
        std::vector<uint8_t> starts;
        int32_t length;
    };
    const Case cases[] = {
        {{}, 0},
        {{0x20}, 10},
        {{0x40, 0x60, 0xA0}, 30},
        {{0x20, 0x80}, 10},
        {{0x21}, 0},
        {std::vector<uint8_t>(25, 0x60), 250},
        {std::vector<uint8_t>(26, 0x60), 250},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        uint8_t row[kMacroRowBytes] = {};
        for (size_t i = 0; i < c.starts.size() && i * 10 < kMacroRowBytes; ++i) row[i * 10] = c.starts[i];
        if (c.starts.size() > 25) row[250] = 0x60;  // a partial 26th record never counts
        EXPECT_EQ(MacroRowLength(row), c.length);
    }
}

TEST(Profile, MissingFileGivesDefaults) {
    TempDir dir;
    MouseSetting s = fullRecord();
    EXPECT_EQ(LoadProfile(s, dir.path() / "none.ini", kEnglish, 0), ProfileLoad::Missing);
    MouseSetting expected = defaults();
    NormaliseProfileItems(expected, 0);
    EXPECT_TRUE(std::equal(std::begin(s.m_nItem), std::end(s.m_nItem), expected.m_nItem));
    EXPECT_EQ(s.m_KeyData[3][3], 0);
    EXPECT_TRUE(s.m_strButtonMacro[2].empty());
}

TEST(Profile, OversizedFileIsRefusedAndRecordKept) {
    TempDir dir;
    const auto path = dir.path() / "huge.ini";
    {
        std::ofstream out(path, std::ios::binary);
        out << "\xFF\xFE";
        const std::string chunk(1 << 20, 'A');
        for (int i = 0; i < 5; ++i) out << chunk;
    }
    MouseSetting s = fullRecord();
    const MouseSetting before = s;
    EXPECT_EQ(LoadProfile(s, path, kEnglish, 0), ProfileLoad::Unreadable);
    EXPECT_EQ(s.m_nItem[0], before.m_nItem[0]);
    EXPECT_EQ(s.m_strButtonMacro[4], before.m_strButtonMacro[4]);
}

// Whether two records hold the same values, field by field.
bool sameRecord(const MouseSetting& a, const MouseSetting& b) {
    return std::equal(std::begin(a.m_nItem), std::end(a.m_nItem), b.m_nItem) &&
           std::memcmp(a.m_KeyData, b.m_KeyData, sizeof a.m_KeyData) == 0 &&
           std::memcmp(a.m_MacroData, b.m_MacroData, sizeof a.m_MacroData) == 0 &&
           std::equal(std::begin(a.m_nMacroDataLen), std::end(a.m_nMacroDataLen), b.m_nMacroDataLen) &&
           std::equal(std::begin(a.m_strButtonMacro), std::end(a.m_strButtonMacro), b.m_strButtonMacro);
}

// A file without a single key of the active language is not a profile: loading it as one would
// turn every item to 0 and take most buttons away. A file with some of the keys still loads.
TEST(Profile, FileWithoutProfileKeysIsNotAProfile) {
    struct Row {
        const char* name;
        std::string bytes;
        ProfileLoad expected;
    };
    const Row rows[] = {
        {"plain text", "shopping list\nmilk\n", ProfileLoad::NotAProfile},
        {"empty file", "", ProfileLoad::NotAProfile},
        {"UTF-16BE profile", "\xFE\xFF\0[\0S\0e\0t\0t\0i\0n\0g\0]\0\r\0\n\0X\0D\0p\0i\0=\0\x33"s,
         ProfileLoad::NotAProfile},
        {"profile keys in another section", Utf16File(u"[Other]\r\nXDpi=0x3\r\n"),
         ProfileLoad::NotAProfile},
        {"section of unknown keys", Utf16File(u"[Setting]\r\nColour=red\r\n"), ProfileLoad::NotAProfile},
        {"one item key", Utf16File(u"[Setting]\r\nXDpi=0x3\r\n"), ProfileLoad::Loaded},
        {"one macro name key", "[Setting]\r\nMacros Names3=Fire\r\n", ProfileLoad::Loaded},
        {"only the macro file key", Utf16File(u"[setting]\r\nMacros Files=m.mac\r\n"), ProfileLoad::Loaded},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempDir dir;
        const auto path = dir.path() / "file.ini";
        WriteBytes(path, row.bytes);
        MouseSetting s = fullRecord();
        EXPECT_EQ(LoadProfile(s, path, kEnglish, 0), row.expected);
        EXPECT_EQ(sameRecord(s, fullRecord()), row.expected == ProfileLoad::NotAProfile);
    }
}

// A profile saved before the language was switched is read with the keys it was written with:
// every pair of languages, with values whose captions differ between the two.
TEST(Profile, FileOfAnotherLanguageIsReadWithItsOwnKeys) {
    TempDir dir;
    MouseSetting saved = defaults();
    saved.m_nItem[10] = 77;  // " Lighting" / " Beleuchtung"
    saved.m_nItem[15] = 1;   // colour shift
    saved.m_nItem[16] = 1;   // breathing
    saved.m_nItem[57] = 9;
    saved.m_KeyData[3][1] = 42;
    saved.m_MacroData[4][0] = 0x60;
    saved.m_strButtonMacro[4] = u"Combo1";
    for (int written = 0; written < kLanguageCount; ++written) {
        ASSERT_TRUE(SaveProfile(saved, dir.path() / "p.ini", "m.mac", written));
        for (int active = 0; active < kLanguageCount; ++active) {
            SCOPED_TRACE(testing::Message() << "written " << written << ", read " << active);
            MouseSetting loaded = fullRecord();
            ASSERT_EQ(LoadProfile(loaded, dir.path() / "p.ini", active, 0), ProfileLoad::Loaded);
            for (int item : {10, 15, 16, 57}) EXPECT_EQ(loaded.m_nItem[item], saved.m_nItem[item]) << item;
            EXPECT_EQ(loaded.m_KeyData[3][1], 42);
            EXPECT_EQ(loaded.m_MacroData[4][0], 0x60);
            EXPECT_EQ(loaded.m_strButtonMacro[4], u"Combo1");
        }
    }
}

TEST(Profile, NameWithLineBreaksCannotInjectKeys) {
    TempDir dir;
    MouseSetting s = defaults();
    s.m_strButtonMacro[0] = u"evil\r\nButton2=0x9\r\n[Other]";
    ASSERT_TRUE(SaveProfile(s, dir.path() / "p.ini", "m.mac", kEnglish));
    MouseSetting loaded;
    ASSERT_EQ(LoadProfile(loaded, dir.path() / "p.ini", kEnglish, 0), ProfileLoad::Loaded);
    EXPECT_EQ(loaded.m_nItem[1], 2);
    EXPECT_EQ(loaded.m_strButtonMacro[0], u"evil  Button2=0x9  [Other]");
    EXPECT_EQ(loaded.m_strButtonMacro[9], u"");
}

// Names are bounded where they enter the record, so that a saved profile always loads again.
TEST(Profile, LongNamesAreCutOnLoadAndOversizedRecordsAreNotSaved) {
    TempDir dir;
    MouseSetting s = defaults();
    s.m_strButtonMacro[0] = std::u16string(kMaxNameLength - 1, u'a') + u"\U0001F600" + u"tail";
    s.m_strButtonMacro[1] = std::u16string(1000, u'b');
    ASSERT_TRUE(SaveProfile(s, dir.path() / "p.ini", "m.mac", kEnglish));
    MouseSetting loaded;
    ASSERT_EQ(LoadProfile(loaded, dir.path() / "p.ini", kEnglish, 0), ProfileLoad::Loaded);
    EXPECT_EQ(loaded.m_strButtonMacro[0], std::u16string(kMaxNameLength - 1, u'a'));  // no half pair
    EXPECT_EQ(loaded.m_strButtonMacro[1], std::u16string(kMaxNameLength, u'b'));

    for (auto& name : s.m_strButtonMacro) name = std::u16string(30000, u'c');
    const WriteResult written = SaveProfile(s, dir.path() / "p.ini", "m.mac", kEnglish);
    EXPECT_FALSE(written);
    EXPECT_FALSE(written.error.empty());
    MouseSetting again;
    ASSERT_EQ(LoadProfile(again, dir.path() / "p.ini", kEnglish, 0), ProfileLoad::Loaded);
    EXPECT_EQ(again.m_strButtonMacro[1], loaded.m_strButtonMacro[1]);  // the good file stayed
}

TEST(Profile, FailedSaveIsReported) {
    TempDir dir;
    EXPECT_FALSE(SaveProfile(defaults(), dir.path() / "missing-folder" / "p.ini", "m.mac", kEnglish));
    EXPECT_FALSE(SaveProfile(defaults(), dir.path(), "m.mac", kEnglish));  // a folder, not a file
    EXPECT_TRUE(std::filesystem::is_directory(dir.path()));
}

}  // namespace
}  // namespace voltrane
