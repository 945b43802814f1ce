#include <gtest/gtest.h>
#include <iconv.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "control/macro_actions.h"
#include "file_bytes.h"
#include "scripted_ui.h"
#include "settings/atomic_file.h"
#include "settings/ini_file.h"
#include "settings/macro_files.h"
#include "settings/text_tables.h"
#include "settings/utf.h"
#include "temp_dir.h"

namespace voltrane {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

constexpr std::size_t kRecord = 2824;
constexpr char kSignature[] = "Tarnhollow Gaming Mouse Macro ";  // 30 characters, 0 byte follows

// --- Helpers, built independently of the code under test --------------------------------------

std::unique_ptr<MacroStore> NewStore() { return std::make_unique<MacroStore>(); }

std::string Le32(uint32_t v) {
    return {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char((v >> 24) & 0xFF)};
}

// The 64-byte header of a macro file announcing `count` records.
std::string Header(uint32_t count) {
    std::string header(kSignature, 30);
    header.append(30, '\0');
    header += Le32(count);
    return header;
}

// The file bytes of a record that is distinct for every `seed`: count and length, every step byte
// and the three reserved bytes.
std::string RecordBytes(uint32_t seed) {
    std::string bytes = Le32(1 + seed % 84);
    bytes += char(seed % 250);
    for (std::size_t i = 0; i < 2816; ++i) bytes += char((i * 7 + seed * 13 + 1) & 0xFF);
    bytes += "\x5A\xA5"s + char(seed & 0xFF);
    return bytes;
}

// A record in memory with the same content as RecordBytes(seed), filled field by field.
MacroRecord RecordValue(uint32_t seed) {
    MacroRecord r{};
    r.count = static_cast<int32_t>(1 + seed % 84);
    r.length = static_cast<uint8_t>(seed % 250);
    for (std::size_t i = 0; i < 2816; ++i) {
        const auto byte = static_cast<uint8_t>((i * 7 + seed * 13 + 1) & 0xFF);
        if (i % 11 == 0) {
            r.steps[i / 11].kind = byte;
        } else {
            r.steps[i / 11].data[i % 11 - 1] = byte;
        }
    }
    r.reserved[0] = 0x5A;
    r.reserved[1] = 0xA5;
    r.reserved[2] = static_cast<uint8_t>(seed & 0xFF);
    return r;
}

bool SameRecord(const MacroRecord& a, const MacroRecord& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

bool IsZero(const MacroRecord& r) { return SameRecord(r, MacroRecord{}); }

// Names in several scripts, one per slot.
std::u16string NameFor(int i) {
    static const std::u16string kStems[] = {
        u"Reload",                          // ASCII
        u"Sch\u00fctzen\u00e4nderung",      // German
        u"\u8fde\u53d1\u5b8f",              // Simplified Chinese
        u"\u9023\u767c\u5de8\u96c6",        // Traditional Chinese
        u"\u30de\u30af\u30ed",              // Japanese
        u"\ub9e4\ud06c\ub85c",              // Korean
        u"\u041c\u0430\u043a\u0440\u043e",  // Cyrillic
        u"\u0645\u0627\u0643\u0631\u0648",  // Arabic
        u"Fire \U0001F525",                 // outside the BMP: a surrogate pair
        u"a=b;[c]",                         // characters INI treats specially
    };
    return kStems[i % std::size(kStems)] + u" " + DecimalUtf16(i);
}

std::unique_ptr<MacroStore> FullStore(uint32_t count) {
    auto store = NewStore();
    store->m_nMacroCount = count;
    for (uint32_t i = 0; i < count; ++i) {
        store->m_Macro[i] = RecordValue(i);
        store->m_strMacroNames[i] = NameFor(static_cast<int>(i));
    }
    return store;
}

// A store that every failed read must leave exactly as it is.
std::unique_ptr<MacroStore> SentinelStore() {
    auto store = FullStore(3);
    store->m_Macro[300] = RecordValue(77);
    store->m_strMacroNames[300] = u"spare";
    store->m_nMacroHoverRow = 4;
    store->m_nMacroSel = 2;
    store->m_nMacroTop = 1;
    return store;
}

void ExpectSameStore(const MacroStore& a, const MacroStore& b) {
    EXPECT_EQ(a.m_nMacroCount, b.m_nMacroCount);
    EXPECT_EQ(a.m_nMacroHoverRow, b.m_nMacroHoverRow);
    EXPECT_EQ(a.m_nMacroSel, b.m_nMacroSel);
    EXPECT_EQ(a.m_nMacroTop, b.m_nMacroTop);
    for (int i = 0; i < kMacroStoreSlots; ++i) {
        EXPECT_TRUE(SameRecord(a.m_Macro[i], b.m_Macro[i])) << "record " << i;
        EXPECT_EQ(a.m_strMacroNames[i], b.m_strMacroNames[i]) << "name " << i;
    }
}

// --- The macro file ---------------------------------------------------------------------------

TEST(MacroFile, HeaderAndRecordsAreByteExact) {
    TempDir dir;
    auto store = FullStore(2);
    store->m_Macro[1].count = 0x01020304;  // shows the byte order of count
    ASSERT_TRUE(WriteMacroStore(*store, dir.path() / "m.mac", dir.path() / "m.name"));
    const std::string bytes = ReadBytes(dir.path() / "m.mac");
    ASSERT_EQ(bytes.size(), 64 + 2 * kRecord);

    struct Row {
        const char* name;
        std::size_t offset;
        std::string expected;
    };
    const Row rows[] = {
        {"signature", 0, kSignature},
        {"signature's 0 byte and zero fill", 30, std::string(30, '\0')},
        {"count, little-endian", 60, "\x02\x00\x00\x00"s},
        {"record 0 count", 64, Le32(1)},
        {"record 0 length", 68, "\x00"s},
        {"record 0 first step", 69, RecordBytes(0).substr(5, 11)},
        {"record 0 reserved", 64 + 2821, "\x5A\xA5\x00"s},
        {"record 1 count, little-endian", 64 + kRecord, "\x04\x03\x02\x01"s},
        {"record 1 length", 64 + kRecord + 4, "\x01"s},
        {"record 1 steps", 64 + kRecord + 5, RecordBytes(1).substr(5, 2816)},
        {"record 1 reserved", 64 + kRecord + 2821, "\x5A\xA5\x01"s},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(bytes.substr(row.offset, row.expected.size()), row.expected) << row.name;
    }
}

TEST(MacroFile, FullStoreWithNamesRoundTrips) {
    TempDir dir;
    const auto saved = FullStore(300);
    ASSERT_TRUE(WriteMacroStore(*saved, dir.path() / "mouse.mac", dir.path() / "mouse.name"));
    EXPECT_EQ(ReadBytes(dir.path() / "mouse.mac").size(), 64 + 300 * kRecord);

    auto loaded = NewStore();
    loaded->m_nMacroSel = 9;
    loaded->m_nMacroTop = 8;
    loaded->m_nMacroHoverRow = 7;
    ASSERT_EQ(ReadMacroFile(*loaded, dir.path() / "mouse.mac"), MacroFileRead::Read);
    EXPECT_EQ(ReadMacroNames(*loaded, dir.path() / "mouse.name", kEnglish), 300);
    ExpectSameStore(*loaded, *saved);  // the list state is 0 in both
}

TEST(MacroFile, ReadsRecordsFromBytes) {
    TempDir dir;
    WriteBytes(dir.path() / "m.mac", Header(2) + RecordBytes(5) + RecordBytes(6));
    auto store = NewStore();
    ASSERT_EQ(ReadMacroFile(*store, dir.path() / "m.mac"), MacroFileRead::Read);
    EXPECT_EQ(store->m_nMacroCount, 2u);
    EXPECT_TRUE(SameRecord(store->m_Macro[0], RecordValue(5)));
    EXPECT_TRUE(SameRecord(store->m_Macro[1], RecordValue(6)));
    EXPECT_TRUE(IsZero(store->m_Macro[2]));
}

TEST(MacroFile, AnnouncedThousandLoadsThreeHundred) {
    TempDir dir;
    std::string bytes = Header(1000);
    for (uint32_t i = 0; i < 302; ++i) bytes += RecordBytes(i);
    WriteBytes(dir.path() / "m.mac", bytes);
    auto store = SentinelStore();
    ASSERT_EQ(ReadMacroFile(*store, dir.path() / "m.mac"), MacroFileRead::Read);
    EXPECT_EQ(store->m_nMacroCount, 300u);
    EXPECT_TRUE(SameRecord(store->m_Macro[299], RecordValue(299)));
    EXPECT_TRUE(IsZero(store->m_Macro[300]));          // the spare slot is zeroed, not read
    EXPECT_EQ(store->m_strMacroNames[0], NameFor(0));  // names are the name file's business
}

TEST(MacroFile, ShortFileLeavesMissingRecordsZero) {
    TempDir dir;
    const std::string third = RecordBytes(2);
    WriteBytes(dir.path() / "m.mac", Header(5) + RecordBytes(0) + RecordBytes(1) + third.substr(0, 1000));
    auto store = SentinelStore();
    ASSERT_EQ(ReadMacroFile(*store, dir.path() / "m.mac"), MacroFileRead::Read);
    EXPECT_EQ(store->m_nMacroCount, 5u);
    EXPECT_EQ(store->m_nMacroHoverRow, 0);
    EXPECT_EQ(store->m_nMacroSel, 0);
    EXPECT_EQ(store->m_nMacroTop, 0);
    EXPECT_TRUE(SameRecord(store->m_Macro[0], RecordValue(0)));
    EXPECT_TRUE(SameRecord(store->m_Macro[1], RecordValue(1)));
    // The cut record keeps the bytes the file has and is zero after them.
    MacroRecord cut{};
    std::memcpy(&cut, third.data(), 1000);
    cut.count = static_cast<int32_t>(1 + 2 % 84);
    EXPECT_TRUE(SameRecord(store->m_Macro[2], cut));
    for (int i = 3; i < kMacroStoreSlots; ++i) EXPECT_TRUE(IsZero(store->m_Macro[i])) << i;
}

TEST(MacroFile, HeaderCutShortReadsMissingBytesAsZero) {
    TempDir dir;
    WriteBytes(dir.path() / "m.mac", Header(7).substr(0, 40));
    auto store = SentinelStore();
    ASSERT_EQ(ReadMacroFile(*store, dir.path() / "m.mac"), MacroFileRead::Read);
    EXPECT_EQ(store->m_nMacroCount, 0u);
    EXPECT_TRUE(IsZero(store->m_Macro[0]));
}

TEST(MacroFile, WrongSignatureIsRejectedAndStoreKept) {
    const std::string sane = Header(1) + RecordBytes(1);
    struct Row {
        const char* name;
        std::string bytes;
    };
    std::string noBlank = sane;
    noBlank.replace(29, 1, 1, '\0');  // "...Macro" then the 0 byte: the final blank is missing
    std::string lowerCase = sane;
    lowerCase[0] = 't';
    std::string noZero = sane;
    noZero[30] = 'X';
    std::string shiftedSig = std::string("Tarnhollow Gaming Mouse Macro") + '\0' + sane.substr(30);
    const Row rows[] = {
        {"without the final blank", noBlank},
        {"signature shifted by the missing blank", shiftedSig},
        {"lower-case first letter", lowerCase},
        {"no 0 byte after the signature", noZero},
        {"empty file", ""},
        {"only the signature's 30 characters", std::string(kSignature, 30)},
        {"UTF-16 text", "\xFF\xFE"s + "T\0a\0r\0"s},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempDir dir;
        WriteBytes(dir.path() / "m.mac", row.bytes);
        auto store = SentinelStore();
        const auto before = SentinelStore();
        EXPECT_EQ(ReadMacroFile(*store, dir.path() / "m.mac"), MacroFileRead::BadSignature);
        ExpectSameStore(*store, *before);
    }
}

TEST(MacroFile, OnlyTheFirst31BytesAreCompared) {
    TempDir dir;
    std::string bytes = Header(1) + RecordBytes(3);
    bytes[31] = 'x';
    bytes[59] = '\x7F';
    WriteBytes(dir.path() / "m.mac", bytes);
    auto store = NewStore();
    ASSERT_EQ(ReadMacroFile(*store, dir.path() / "m.mac"), MacroFileRead::Read);
    EXPECT_TRUE(SameRecord(store->m_Macro[0], RecordValue(3)));
}

TEST(MacroFile, UnopenableFileLeavesStore) {
    TempDir dir;
    fs::create_directory(dir.path() / "folder.mac");
    for (const fs::path& path : {dir.path() / "missing.mac", dir.path() / "folder.mac"}) {
        SCOPED_TRACE(path.string());
        auto store = SentinelStore();
        const auto before = SentinelStore();
        EXPECT_EQ(ReadMacroFile(*store, path), MacroFileRead::CannotOpen);
        ExpectSameStore(*store, *before);
    }
}

TEST(MacroFile, HugeFileIsReadOnlyAsFarAsNeeded) {
    TempDir dir;
    const fs::path path = dir.path() / "huge.mac";
    WriteBytes(path, Header(300) + RecordBytes(0));
    fs::resize_file(path, 8ull << 30);  // sparse: 8 GiB that must not be loaded
    auto store = NewStore();
    ASSERT_EQ(ReadMacroFile(*store, path), MacroFileRead::Read);
    EXPECT_EQ(store->m_nMacroCount, 300u);
    EXPECT_TRUE(SameRecord(store->m_Macro[0], RecordValue(0)));
    EXPECT_TRUE(IsZero(store->m_Macro[1]));
}

TEST(ReadFilePrefix, ReadsAtMostTheLimit) {
    TempDir dir;
    WriteBytes(dir.path() / "f", "abcdef");
    EXPECT_EQ(ReadFilePrefix(dir.path() / "f", 4), "abcd");
    EXPECT_EQ(ReadFilePrefix(dir.path() / "f", 6), "abcdef");
    EXPECT_EQ(ReadFilePrefix(dir.path() / "f", 100), "abcdef");
    EXPECT_EQ(ReadFilePrefix(dir.path() / "f", 0), "");
    EXPECT_EQ(ReadFilePrefix(dir.path() / "missing", 4), std::nullopt);
    EXPECT_EQ(ReadFilePrefix(dir.path(), 4), std::nullopt);
}

TEST(MacroFile, EmptyStoreExportsHeaderAndNumberZero) {
    TempDir dir;
    auto store = NewStore();
    ASSERT_TRUE(WriteMacroStore(*store, dir.path() / "e.mac", dir.path() / "e.name"));
    EXPECT_EQ(ReadBytes(dir.path() / "e.mac"), Header(0));
    EXPECT_EQ(ReadBytes(dir.path() / "e.name"), Utf16File(u"[MacroNum]\r\nNumber=0\r\n"));
}

TEST(MacroFile, NameFileIsUtf16WithByteOrderMarkAndCrLf) {
    TempDir dir;
    auto store = NewStore();
    store->m_nMacroCount = 2;
    store->m_strMacroNames[0] = u"Gr\u00fc\u00dfe";
    store->m_strMacroNames[1] = u"\u8fde\u53d1";
    store->m_strMacroNames[2] = u"not written";
    ASSERT_TRUE(WriteMacroStore(*store, dir.path() / "m.mac", dir.path() / "m.name"));
    const std::string bytes = ReadBytes(dir.path() / "m.name");
    EXPECT_EQ(bytes, Utf16File(u"[MacroNum]\r\nNumber=2\r\n[MacroName]\r\nMacro_1=Gr\u00fc\u00dfe\r\n"
                               u"Macro_2=\u8fde\u53d1\r\n"));
    EXPECT_EQ(bytes.substr(0, 6), "\xFF\xFE[\0M\0"s);                        // the mark, then "[M"
    EXPECT_EQ(bytes.substr(bytes.size() - 8), "\xDE\x8F\xD1\x53\r\0\n\0"s);  // U+8FDE U+53D1 CR LF
}

TEST(MacroFile, CountAboveThreeHundredIsWrittenAsThreeHundred) {
    TempDir dir;
    auto store = FullStore(300);
    store->m_nMacroCount = 5000;
    ASSERT_TRUE(WriteMacroStore(*store, dir.path() / "m.mac", dir.path() / "m.name"));
    const std::string bytes = ReadBytes(dir.path() / "m.mac");
    EXPECT_EQ(bytes.size(), 64 + 300 * kRecord);
    EXPECT_EQ(bytes.substr(60, 4), Le32(300));
    EXPECT_EQ(IniFile::Load(dir.path() / "m.name")->GetString(u"MacroNum", u"Number"), u"300");
}

TEST(MacroFile, LineBreaksInNamesAreWrittenAsBlanks) {
    TempDir dir;
    auto store = NewStore();
    store->m_nMacroCount = 2;
    store->m_strMacroNames[0] = u"one\r\n[MacroNum]\r\nNumber=300";
    store->m_strMacroNames[1] = u"two\nlines\rhere";
    ASSERT_TRUE(WriteMacroStore(*store, dir.path() / "m.mac", dir.path() / "m.name"));
    const std::string text = ReadBytes(dir.path() / "m.name");
    EXPECT_EQ(text,
              Utf16File(u"[MacroNum]\r\nNumber=2\r\n[MacroName]\r\nMacro_1=one  [MacroNum]  Number=300\r\n"
                        u"Macro_2=two lines here\r\n"));
    auto loaded = NewStore();
    EXPECT_EQ(ReadMacroNames(*loaded, dir.path() / "m.name", kEnglish), 2);
    EXPECT_EQ(loaded->m_strMacroNames[0], u"one  [MacroNum]  Number=300");
    EXPECT_EQ(loaded->m_strMacroNames[1], u"two lines here");
}

TEST(MacroFile, NamesLoseSurroundingBlanks) {
    TempDir dir;
    auto store = NewStore();
    store->m_nMacroCount = 1;
    store->m_strMacroNames[0] = u"  padded\t ";
    ASSERT_TRUE(WriteMacroStore(*store, dir.path() / "m.mac", dir.path() / "m.name"));
    auto loaded = NewStore();
    ReadMacroNames(*loaded, dir.path() / "m.name", kEnglish);
    EXPECT_EQ(loaded->m_strMacroNames[0], u"padded");
}

// As on Windows: one pair of matching quotes around a value is not part of the name, and the blanks
// inside them are.
TEST(MacroFile, NamesLoseOnePairOfSurroundingQuotes) {
    TempDir dir;
    WriteBytes(dir.path() / "m.name",
               "[MacroNum]\r\nNumber=\"4\"\r\n[MacroName]\r\nMacro_1=\"Fire\"\r\nMacro_2= '  padded ' \r\n"
               "Macro_3=\"half\r\nMacro_4=\"a\"b\r\n");
    auto loaded = NewStore();
    EXPECT_EQ(ReadMacroNames(*loaded, dir.path() / "m.name", kEnglish), 4);
    EXPECT_EQ(loaded->m_strMacroNames[0], u"Fire");
    EXPECT_EQ(loaded->m_strMacroNames[1], u"  padded ");
    EXPECT_EQ(loaded->m_strMacroNames[2], u"\"half");
    EXPECT_EQ(loaded->m_strMacroNames[3], u"\"a\"b");
}

// --- Failed writes ----------------------------------------------------------------------------

TEST(MacroFile, MissingFolderIsReported) {
    TempDir dir;
    const auto store = FullStore(2);
    EXPECT_FALSE(WriteMacroStore(*store, dir.path() / "no" / "m.mac", dir.path() / "no" / "m.name"));
    EXPECT_FALSE(fs::exists(dir.path() / "no"));
}

TEST(MacroFile, FailedMacroFileLeavesNameFileUntouched) {
    TempDir dir;
    fs::create_directory(dir.path() / "m.mac");
    WriteBytes(dir.path() / "m.name", "old names");
    const auto store = FullStore(2);
    EXPECT_FALSE(WriteMacroStore(*store, dir.path() / "m.mac", dir.path() / "m.name"));
    EXPECT_TRUE(fs::is_directory(dir.path() / "m.mac"));
    EXPECT_EQ(ReadBytes(dir.path() / "m.name"), "old names");
}

// Names of everything in `folder`, sorted.
std::vector<std::string> Entries(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

// Both files are written before either is replaced: a name file that cannot be written leaves the
// old macro file too, no temporary file stays behind, and the error names the name file.
TEST(MacroFile, FailedNameFileLeavesBothFilesAsTheyWere) {
    struct Row {
        const char* name;
        const char* namePath;  // inside the test folder
        bool nameIsFolder;     // m.name is replaced by a folder first
    };
    const Row rows[] = {
        {"name file is a folder", "m.name", true},
        {"name file in a missing folder", "missing/m.name", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempDir dir;
        const fs::path macroPath = dir.path() / "m.mac";
        ASSERT_TRUE(WriteMacroStore(*FullStore(2), macroPath, dir.path() / "m.name"));
        const std::string oldMacros = ReadBytes(macroPath);
        const std::string oldNames = ReadBytes(dir.path() / "m.name");
        if (row.nameIsFolder) {
            fs::remove(dir.path() / "m.name");
            fs::create_directory(dir.path() / "m.name");
        }
        const fs::path namePath = dir.path() / row.namePath;
        const WriteResult written = WriteMacroStore(*FullStore(3), macroPath, namePath);
        EXPECT_FALSE(written);
        EXPECT_EQ(written.error.rfind(namePath.string() + ": ", 0), 0u) << written.error;
        EXPECT_EQ(ReadBytes(macroPath), oldMacros);
        if (!row.nameIsFolder) {
            EXPECT_EQ(ReadBytes(dir.path() / "m.name"), oldNames);
        }
        EXPECT_EQ(Entries(dir.path()), (std::vector<std::string>{"m.mac", "m.name"}));
    }
}

TEST(MacroFile, MacroFileThatIsItsOwnNameFileIsRefused) {
    TempDir dir;
    WriteBytes(dir.path() / "x.name", "old");
    const auto store = FullStore(2);
    const fs::path path = dir.path() / "x.name";
    ASSERT_EQ(NameFileFor(path), path);
    EXPECT_FALSE(WriteMacroStore(*store, path, NameFileFor(path)));
    EXPECT_FALSE(WriteMacroStore(*store, path, dir.path() / "." / "x.name"));
    EXPECT_EQ(ReadBytes(path), "old");
}

// --- The name file ----------------------------------------------------------------------------

TEST(MacroNames, NumberIsParsedAsDecimalPrefix) {
    struct Row {
        const char* name;
        std::u16string text;
        int32_t expected;
    };
    const Row rows[] = {
        {"plain", u"12", 12},
        {"leading blanks", u"  \t 7", 7},
        {"stops at a letter", u"25abc", 25},
        {"stops at a blank", u"3 4", 3},
        {"empty", u"", 0},
        {"letters only", u"abc", 0},
        {"minus sign", u"-5", 0},
        {"plus sign", u"+5", 0},
        {"hexadecimal is not read", u"0x10", 0},
        {"leading zeros", u"007", 7},
        {"largest int", u"2147483647", 2147483647},
        {"one more saturates", u"2147483648", 2147483647},
        {"twenty digits saturate", u"99999999999999999999", 2147483647},
        {"full-width digits are not digits", u"\uff11", 0},
        {"digits past 511 characters are cut", std::u16string(508, u' ') + u"12345", 123},
    };
    for (const Row& row : rows) EXPECT_EQ(ParseMacroNumber(row.text), row.expected) << row.name;
}

TEST(MacroNames, NumberDecidesHowManyNamesAreRead) {
    struct Row {
        const char* name;
        std::string number;  // the text after "Number="
        int expectedNames;
    };
    const Row rows[] = {
        {"as many as keys", "3", 3},
        {"fewer than keys", "2", 2},
        {"more than keys", "5", 5},
        {"huge", "99999999999999999999", 301},
        {"garbage", "many", 0},
        {"negative", "-3", 0},
        {"digits then garbage", "2;3", 2},
        {"empty", "", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempDir dir;
        WriteBytes(dir.path() / "m.name", "[MacroNum]\r\nNumber=" + row.number +
                                              "\r\n[MacroName]\r\nMacro_1=a\r\nMacro_2=b\r\nMacro_3=c\r\n"
                                              "Macro_301=last\r\nMacro_302=beyond\r\n");
        auto store = SentinelStore();
        EXPECT_EQ(ReadMacroNames(*store, dir.path() / "m.name", kEnglish), row.expectedNames);
        const std::u16string expected[] = {u"a", u"b", u"c"};
        for (int i = 0; i < kMacroStoreSlots; ++i) {
            std::u16string want;
            if (i < row.expectedNames && i < 3) want = expected[i];
            if (i == 300 && row.expectedNames == 301) want = u"last";
            EXPECT_EQ(store->m_strMacroNames[i], want) << i;
        }
        EXPECT_EQ(store->m_nMacroCount, 3u);  // the count is the macro file's, not the name file's
    }
}

TEST(MacroNames, MissingFileEmptiesEveryName) {
    TempDir dir;
    auto store = SentinelStore();
    EXPECT_EQ(ReadMacroNames(*store, dir.path() / "none.name", kEnglish), 0);
    for (const std::u16string& name : store->m_strMacroNames) EXPECT_EQ(name, u"");
}

TEST(MacroNames, Utf16FileIsReadToo) {
    TempDir dir;
    IniFile file(IniEncoding::Utf16Le);
    file.SetString(u"MacroNum", u"Number", u"1");
    file.SetString(u"MacroName", u"Macro_1", u"\u8fde\u53d1");
    ASSERT_TRUE(file.Save(dir.path() / "m.name"));
    for (int language = 0; language < kLanguageCount; ++language) {
        auto store = NewStore();
        EXPECT_EQ(ReadMacroNames(*store, dir.path() / "m.name", language), 1);
        EXPECT_EQ(store->m_strMacroNames[0], u"\u8fde\u53d1");
    }
}

// --- Name files from Windows -----------------------------------------------------------------

// `utf8` converted by iconv(3) into `charset`: the bytes a Windows program working in that ANSI code
// page writes for the text. An unknown charset or a character it lacks fails the test.
std::string ToCharset(std::string_view utf8, const char* charset) {
    const iconv_t cd = ::iconv_open(charset, "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        ADD_FAILURE() << "iconv does not know " << charset;
        return {};
    }
    std::string out(4 * utf8.size() + 16, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    if (::iconv(cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
        ADD_FAILURE() << "iconv cannot write " << utf8 << " in " << charset;
    }
    ::iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}

// A name file with two names, as UTF-8 text.
std::string NameFileText(std::string_view first, std::string_view second) {
    return "[MacroNum]\r\nNumber=2\r\n[MacroName]\r\nMacro_1=" + std::string(first) +
           "\r\nMacro_2=" + std::string(second) + "\r\n";
}

// A name file a Windows program made in the ANSI code page of each language reads back as the
// right names. The first name's bytes are checked against the code page's chart, so the fixture is
// known to be what Windows writes; the second holds double-byte characters whose second byte is
// '[', ']' or '\' where the code page has them.
TEST(MacroNames, AnsiFileIsReadInTheCodePageOfTheLanguage) {
    struct Row {
        const char* name;
        int language;
        const char* charset;
        std::string first;  // UTF-8
        std::string firstBytes;
        std::string second;  // UTF-8
    };
    const Row rows[] = {
        {"Simplified Chinese, cp936", 0, "CP936", "连发宏", "\xC1\xAC\xB7\xA2\xBA\xEA", "压枪 左键"},
        {"Traditional Chinese, cp950", 1, "CP950", "連發巨集", "\xB3\x73\xB5\x6F\xA5\xA8\xB6\xB0", "功能"},
        {"English, cp1252", kEnglish, "CP1252", "Größe €", "\x47\x72\xF6\xDF\x65\x20\x80", "café – naïve"},
        {"German, cp1252", 3, "CP1252", "Schützenänderung", "Sch\xFCtzen\xE4nderung", "Maß"},
        {"Japanese, cp932", 4, "CP932", "マクロ連射", "\x83\x7D\x83\x4E\x83\x8D\x98\x41\x8E\xCB",
         "データ表ソ"},
        {"Korean, cp949", 5, "CP949", "매크로", "\xB8\xC5\xC5\xA9\xB7\xCE", "연사 똠"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempDir dir;
        const std::string bytes = ToCharset(NameFileText(row.first, row.second), row.charset);
        ASSERT_NE(bytes.find("Macro_1=" + row.firstBytes + "\r\n"), std::string::npos);
        ASSERT_FALSE(IsValidUtf8(bytes));  // otherwise the file would be read as UTF-8
        WriteBytes(dir.path() / "m.name", bytes);
        auto store = SentinelStore();
        EXPECT_EQ(ReadMacroNames(*store, dir.path() / "m.name", row.language), 2);
        EXPECT_EQ(store->m_strMacroNames[0], Utf8ToUtf16(row.first));
        EXPECT_EQ(store->m_strMacroNames[1], Utf8ToUtf16(row.second));
        EXPECT_EQ(store->m_strMacroNames[2], u"");
    }
}

// The language decides the code page: the same cp936 bytes read in German are Latin-1 letters, not
// Chinese and not U+FFFD.
TEST(MacroNames, AnsiFileReadInAnotherLanguageGivesThatCodePage) {
    TempDir dir;
    WriteBytes(dir.path() / "m.name", ToCharset(NameFileText("连发", "x"), "CP936"));
    auto store = NewStore();
    ReadMacroNames(*store, dir.path() / "m.name", 3);
    EXPECT_EQ(store->m_strMacroNames[0], u"\u00c1\u00ac\u00b7\u00a2");
    ReadMacroNames(*store, dir.path() / "m.name", 7);  // outside 0..5: English, also cp1252
    EXPECT_EQ(store->m_strMacroNames[0], u"\u00c1\u00ac\u00b7\u00a2");
    ReadMacroNames(*store, dir.path() / "m.name", 0);
    EXPECT_EQ(store->m_strMacroNames[0], u"\u8fde\u53d1");
}

// Bytes the code page does not define: one U+FFFD each, and a cut double-byte character does not
// take the line end with it. Code page 1252 reads its five undefined bytes as the C1 controls, as
// Windows does.
TEST(MacroNames, UndefinedAnsiBytesDoNotBreakLines) {
    struct Row {
        const char* name;
        int language;
        std::string file;
        std::u16string first;
        std::u16string second;
    };
    const Row rows[] = {
        {"cp932 lead byte before CR", 4,
         "[MacroNum]\r\nNumber=2\r\n[MacroName]\r\nMacro_1=\x83\r\nMacro_2=\x83\x7D\r\n", u"\uFFFD",
         u"\u30de"},
        {"cp936 lead byte at the end", 0,
         "[MacroNum]\r\nNumber=2\r\n[MacroName]\r\nMacro_2=\xC1\xAC\r\nMacro_1=a\xC1", u"a\uFFFD",
         u"\u8fde"},
        {"cp1252 undefined bytes", 3,
         "[MacroNum]\r\nNumber=2\r\n[MacroName]\r\nMacro_1=\x81\x8D\x8F\x90\x9D\r\nMacro_2=\x80\r\n",
         u"\u0081\u008d\u008f\u0090\u009d", u"\u20ac"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempDir dir;
        WriteBytes(dir.path() / "m.name", row.file);
        auto store = NewStore();
        EXPECT_EQ(ReadMacroNames(*store, dir.path() / "m.name", row.language), 2);
        EXPECT_EQ(store->m_strMacroNames[0], row.first);
        EXPECT_EQ(store->m_strMacroNames[1], row.second);
    }
}

// Name files written before names were written as UTF-16 (UTF-8, no byte order mark) read the same
// in every language; so does a UTF-8 file with its mark, even with a broken sequence in it.
TEST(MacroNames, Utf8FilesReadAsUtf8InEveryLanguage) {
    TempDir dir;
    WriteBytes(dir.path() / "old.name", NameFileText("Gr\xC3\xBC\xC3\x9F"
                                                     "e",
                                                     "\xE8\xBF\x9E\xE5\x8F\x91 \xE3\x83\x9E"));
    WriteBytes(dir.path() / "marked.name", "\xEF\xBB\xBF" + NameFileText("\xC3\xA4", "bad \xC1\xAC"));
    for (int language = 0; language < kLanguageCount; ++language) {
        SCOPED_TRACE(language);
        auto store = NewStore();
        EXPECT_EQ(ReadMacroNames(*store, dir.path() / "old.name", language), 2);
        EXPECT_EQ(store->m_strMacroNames[0], u"Gr\u00fc\u00dfe");
        EXPECT_EQ(store->m_strMacroNames[1], u"\u8fde\u53d1 \u30de");
        EXPECT_EQ(ReadMacroNames(*store, dir.path() / "marked.name", language), 2);
        EXPECT_EQ(store->m_strMacroNames[0], u"\u00e4");
        EXPECT_EQ(store->m_strMacroNames[1], u"bad \uFFFD\uFFFD");
    }
}

// Names in the scripts of all six languages (and beyond) survive writing and reading back, whatever
// the active language, and the file is UTF-16LE with its mark and CR LF.
TEST(MacroNames, NamesInEveryScriptRoundTripInEveryLanguage) {
    TempDir dir;
    auto store = NewStore();
    const std::u16string names[] = {
        u"\u8fde\u53d1\u5b8f \u538b\u67aa",                                // Simplified Chinese
        u"\u9023\u767c\u5de8\u96c6 \u529f\u80fd",                          // Traditional Chinese
        u"Rapid fire",                                                     // English
        u"Sch\u00fctzen\u00e4nderung \u20ac",                              // German
        u"\u30de\u30af\u30ed\u9023\u5c04 \u30c7\u30fc\u30bf\u8868\u30bd",  // Japanese
        u"\ub9e4\ud06c\ub85c \uc5f0\uc0ac \ub620",                         // Korean
        u"\u041c\u0430\u043a\u0440\u043e \U0001F525",  // no ANSI code page of ours holds these
    };
    store->m_nMacroCount = std::size(names);
    for (std::size_t i = 0; i < std::size(names); ++i) store->m_strMacroNames[i] = names[i];
    ASSERT_TRUE(WriteMacroStore(*store, dir.path() / "m.mac", dir.path() / "m.name"));
    const std::string bytes = ReadBytes(dir.path() / "m.name");
    EXPECT_TRUE(bytes.starts_with("\xFF\xFE"));
    const auto count = [&bytes](const std::string& what) {
        std::size_t n = 0;
        for (std::size_t at = bytes.find(what); at != std::string::npos; at = bytes.find(what, at + 1)) ++n;
        return n;
    };
    EXPECT_EQ(count("\r\0\n\0"s), 3 + std::size(names));  // every line ends with CR LF
    EXPECT_EQ(count("\n\0"s), count("\r\0\n\0"s));
    for (int language = 0; language < kLanguageCount; ++language) {
        SCOPED_TRACE(language);
        auto loaded = NewStore();
        EXPECT_EQ(ReadMacroNames(*loaded, dir.path() / "m.name", language),
                  static_cast<int>(std::size(names)));
        for (std::size_t i = 0; i < std::size(names); ++i)
            EXPECT_EQ(loaded->m_strMacroNames[i], names[i]) << i;
    }
}

TEST(NameFileFor, ReplacesTheExtensionOfTheFileNameOnly) {
    struct Row {
        const char* macro;
        const char* expected;
    };
    const Row rows[] = {
        {"/opt/voltrane/mouse.mac", "/opt/voltrane/mouse.name"},
        {"mouse.mac", "mouse.name"},
        {"/home/u/.config/x/macros", "/home/u/.config/x/macros.name"},
        {"/home/u/.config/x/macros.mac", "/home/u/.config/x/macros.name"},
        {"/home/u/my.files/export", "/home/u/my.files/export.name"},
        {"/tmp/a.b.c.mac", "/tmp/a.b.c.name"},
        {"/tmp/archive.mac.bak", "/tmp/archive.mac.name"},
        {"/tmp/trailing.", "/tmp/trailing.name"},
        {"/tmp/.mac", "/tmp/.name"},
        {"/tmp/MOUSE.MAC", "/tmp/MOUSE.name"},
        {"/tmp/", ""},
        {"", ""},
    };
    for (const Row& row : rows) EXPECT_EQ(NameFileFor(row.macro), fs::path(row.expected)) << row.macro;
}

// --- The actions, with a scripted user --------------------------------------------------------

// Runs each test in a chosen language.
class MacroActions : public testing::TestWithParam<int> {
protected:
    static std::u16string Text(int row) {
        return std::u16string(GetText(TextTable::Message, row, GetParam()));
    }
};

TEST_P(MacroActions, SaveWritesStoreWithEditedNameAndSaysSo) {
    TempDir dir;
    auto store = FullStore(3);
    store->m_nMacroSel = 1;
    ScriptedUi ui;
    fs::path nameFile;
    EXPECT_TRUE(SaveMacros(*store, dir.path() / "mouse.mac", nameFile, u"Renamed", ui, GetParam()));
    EXPECT_EQ(nameFile, dir.path() / "mouse.name");
    EXPECT_EQ(store->m_strMacroNames[1], u"Renamed");
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, Text(12));
    EXPECT_EQ(ui.shown[0].title, u"");
    EXPECT_EQ(ui.saveDialogs + ui.openDialogs, 0);

    auto loaded = NewStore();
    ASSERT_EQ(ReadMacroFile(*loaded, dir.path() / "mouse.mac"), MacroFileRead::Read);
    ReadMacroNames(*loaded, nameFile, GetParam());
    EXPECT_EQ(loaded->m_nMacroCount, 3u);
    EXPECT_EQ(loaded->m_strMacroNames[1], u"Renamed");
    EXPECT_TRUE(SameRecord(loaded->m_Macro[2], RecordValue(2)));
}

TEST_P(MacroActions, SaveOnTheNewMacroSlotNamesItWithoutWritingIt) {
    TempDir dir;
    auto store = FullStore(2);
    store->m_nMacroSel = 2;  // the new-macro slot, past the stored macros
    ScriptedUi ui;
    fs::path nameFile;
    EXPECT_TRUE(SaveMacros(*store, dir.path() / "mouse.mac", nameFile, u"Draft", ui, GetParam()));
    EXPECT_EQ(store->m_strMacroNames[2], u"Draft");
    auto loaded = NewStore();
    EXPECT_EQ(ReadMacroNames(*loaded, nameFile, GetParam()), 2);
    EXPECT_EQ(loaded->m_strMacroNames[2], u"");
}

TEST_P(MacroActions, SaveWithoutMacroFileDoesNothing) {
    auto store = FullStore(2);
    ScriptedUi ui;
    fs::path nameFile = "/unchanged";
    EXPECT_FALSE(SaveMacros(*store, fs::path(), nameFile, u"Renamed", ui, GetParam()));
    EXPECT_EQ(nameFile, fs::path("/unchanged"));
    EXPECT_EQ(store->m_strMacroNames[0], NameFor(0));
    EXPECT_TRUE(ui.shown.empty());
}

TEST_P(MacroActions, SaveFailureSaysSo) {
    TempDir dir;
    fs::create_directory(dir.path() / "mouse.mac");
    auto store = FullStore(2);
    ScriptedUi ui;
    fs::path nameFile;
    EXPECT_FALSE(SaveMacros(*store, dir.path() / "mouse.mac", nameFile, u"x", ui, GetParam()));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, Text(13));
    EXPECT_EQ(ui.shown[0].title, u"");
    EXPECT_FALSE(fs::exists(dir.path() / "mouse.name"));
}

TEST_P(MacroActions, ExportWritesChosenFileAndItsNameFile) {
    TempDir dir;
    const auto store = FullStore(4);
    ScriptedUi ui;
    ui.files.push_back(dir.path() / "my.export.mac");
    EXPECT_TRUE(ExportMacros(*store, ui, GetParam()));
    EXPECT_EQ(ui.saveDialogs, 1);
    ASSERT_TRUE(ui.lastFilter.has_value());
    EXPECT_EQ(ui.lastFilter->defaultExtension, u"mac");
    EXPECT_EQ(ui.lastFilter->initialName, u"*.mac");
    EXPECT_EQ(ui.lastFilter->description, u"MACRO File (*.mac)");
    EXPECT_EQ(ui.lastFilter->pattern, u"*.mac");
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, Text(6));
    EXPECT_EQ(ui.shown[0].title, Text(1));

    auto loaded = NewStore();
    ASSERT_EQ(ReadMacroFile(*loaded, dir.path() / "my.export.mac"), MacroFileRead::Read);
    EXPECT_EQ(ReadMacroNames(*loaded, dir.path() / "my.export.name", GetParam()), 4);
    ExpectSameStore(*loaded, *store);
}

TEST_P(MacroActions, ExportFailureSaysSo) {
    TempDir dir;
    const auto store = FullStore(1);
    ScriptedUi ui;
    ui.files.push_back(dir.path() / "missing-folder" / "x.mac");
    EXPECT_FALSE(ExportMacros(*store, ui, GetParam()));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, Text(7));
    EXPECT_EQ(ui.shown[0].title, Text(2));
}

TEST_P(MacroActions, ExportFailureOfTheNameFileSaysSo) {
    TempDir dir;
    fs::create_directory(dir.path() / "x.name");
    const auto store = FullStore(1);
    ScriptedUi ui;
    ui.files.push_back(dir.path() / "x.mac");
    EXPECT_FALSE(ExportMacros(*store, ui, GetParam()));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, Text(7));
    EXPECT_EQ(ui.shown[0].title, Text(2));
}

TEST_P(MacroActions, ExportCancelledDoesNothing) {
    const auto store = FullStore(1);
    ScriptedUi ui;
    EXPECT_FALSE(ExportMacros(*store, ui, GetParam()));
    EXPECT_EQ(ui.saveDialogs, 1);
    EXPECT_TRUE(ui.shown.empty());
}

TEST_P(MacroActions, ImportReplacesStoreAndGivesFirstName) {
    TempDir dir;
    const auto exported = FullStore(5);
    ASSERT_TRUE(WriteMacroStore(*exported, dir.path() / "in.mac", dir.path() / "in.name"));
    auto store = SentinelStore();
    ScriptedUi ui;
    ui.files.push_back(dir.path() / "in.mac");
    EXPECT_EQ(ImportMacros(*store, ui, GetParam()), NameFor(0));
    EXPECT_EQ(ui.openDialogs, 1);
    EXPECT_EQ(ui.lastFilter->description, u"MACRO File (*.mac)");
    EXPECT_TRUE(ui.shown.empty());
    ExpectSameStore(*store, *exported);
}

// A file that is not a macro file changes nothing, names included, whether or not a name file sits
// beside it, and the user is told.
TEST_P(MacroActions, ImportOfForeignFileKeepsTheStoreAndSaysSo) {
    TempDir dir;
    WriteBytes(dir.path() / "bad.mac", "Tarnhollow Gaming Mouse Macro" + std::string(40, '\0'));
    WriteBytes(dir.path() / "named.mac", "just some text");
    WriteBytes(dir.path() / "named.name",
               "[MacroNum]\r\nNumber=2\r\n[MacroName]\r\nMacro_1=first\r\nMacro_2=second\r\n");
    for (const char* file : {"bad.mac", "named.mac"}) {
        SCOPED_TRACE(file);
        auto store = SentinelStore();
        const auto before = SentinelStore();
        ScriptedUi ui;
        ui.files.push_back(dir.path() / file);
        EXPECT_EQ(ImportMacros(*store, ui, GetParam()), std::nullopt);
        ExpectSameStore(*store, *before);
        ASSERT_EQ(ui.shown.size(), 1u);
        EXPECT_EQ(ui.shown[0].text, Text(2) + u"\n" + Utf8ToUtf16(file));
        EXPECT_EQ(ui.shown[0].title, Text(3));
    }
}

// A cancelled dialog changes nothing and says nothing; a chosen file that cannot be opened (gone, or
// a folder) changes nothing either, and the user is told.
TEST_P(MacroActions, ImportOfUnopenableFileOrCancelChangesNothing) {
    TempDir dir;
    WriteBytes(dir.path() / "gone.name", "[MacroNum]\r\nNumber=1\r\n[MacroName]\r\nMacro_1=orphan\r\n");
    fs::create_directory(dir.path() / "folder.mac");
    for (const char* file : {"", "gone.mac", "folder.mac"}) {
        SCOPED_TRACE(file);
        auto store = SentinelStore();
        const auto before = SentinelStore();
        ScriptedUi ui;
        ui.files.push_back(*file ? std::optional<fs::path>(dir.path() / file) : std::nullopt);
        EXPECT_EQ(ImportMacros(*store, ui, GetParam()), std::nullopt);
        ExpectSameStore(*store, *before);
        ASSERT_EQ(ui.shown.size(), *file ? 1u : 0u);
        if (*file) {
            EXPECT_EQ(ui.shown[0].text, Text(2) + u"\n" + Utf8ToUtf16(file));
            EXPECT_EQ(ui.shown[0].title, Text(3));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EnglishAndGerman, MacroActions, testing::Values(kEnglish, 3),
                         [](const testing::TestParamInfo<int>& info) {
                             return info.param == kEnglish ? std::string("English") : std::string("German");
                         });

TEST(MacroActionTexts, GermanDiffersFromEnglish) {
    for (int row : {1, 2, 6, 7, 12, 13}) {
        EXPECT_FALSE(GetText(TextTable::Message, row, 3).empty()) << row;
        EXPECT_NE(GetText(TextTable::Message, row, 3), GetText(TextTable::Message, row, kEnglish)) << row;
    }
}

}  // namespace
}  // namespace voltrane
