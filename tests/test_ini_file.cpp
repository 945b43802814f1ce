// The INI engine: reading values as the profile functions do, writing them back byte-exact, and
// loading and saving whole files.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "file_bytes.h"
#include "file_test.h"
#include "settings/ini_file.h"
#include "settings/utf.h"

namespace voltrane {
namespace {

namespace fs = std::filesystem;
using namespace std::string_view_literals;

// --- Integer values ---------------------------------------------------------------------------

TEST(ParseIniIntTest, ReadsDecimalAndHexadecimalValues) {
    struct Row {
        const char* name;
        std::u16string_view text;
        int32_t expected;
    };
    const Row rows[] = {
        {"hex", u"0x1F", 31},
        {"upper-case prefix", u"0X1f", 31},
        {"eight hex digits, top bit set", u"0xffffffff", -1},
        {"smallest negative as hex", u"0x80000000", INT32_MIN},
        {"hex stops at non-hex digit", u"0x1g", 1},
        {"prefix without digits", u"0x", 0},
        {"hex wraps to 32 bits", u"0x1ffffffff", -1},
        {"long hex keeps low bits", u"0x123456789", 0x23456789},
        {"decimal stops at letter", u"12abc", 12},
        {"not a number", u"abc", 0},
        {"empty", u"", 0},
        {"negative", u"-5", -5},
        {"lone minus", u"-", 0},
        {"plus sign", u"+7", 7},
        {"lone plus", u"+", 0},
        {"plus before hex prefix", u"+0x10", 16},
        {"minus before hex prefix", u"-0x10", -16},
        {"minus before upper-case hex prefix", u"-0X1f", -31},
        {"minus before eight hex digits, top bit set", u"-0xffffffff", 1},
        {"minus before prefix without digits", u"-0x", 0},
        {"blanks around signed hex", u" \t-0x10\t ", -16},
        {"blanks around plus", u" +42 ", 42},
        {"two signs", u"+-5", 0},
        {"two minus signs", u"--5", 0},
        {"blank after sign", u"- 5", 0},
        {"plus sign then minus zero", u"+0", 0},
        {"sign after hex prefix", u"0x-10", 0},
        {"blanks around hex", u" 0x10 ", 16},
        {"tabs around decimal", u"\t42\t", 42},
        {"2^31 wraps to the smallest int", u"2147483648", INT32_MIN},
        {"2^32 wraps to zero", u"4294967296", 0},
        {"smallest int", u"-2147483648", INT32_MIN},
        {"twenty nines wrap", u"99999999999999999999", 1661992959},
        {"full-width digit", u"\uFF11", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ParseIniInt(row.text), row.expected);
    }
}

// GetPrivateProfileInt: the default for a missing key and for an empty value; otherwise the value
// as ParseIniInt reads it after GetString removed blanks and quotes.
TEST(IniFileTest, GetIntUsesDefaultForMissingKeysAndEmptyValues) {
    struct Row {
        const char* name;
        std::string_view line;  // the key line in section [Setting], or empty for none
        int32_t expected;       // with the default 7
    };
    const Row rows[] = {
        {"hex", "k=0xffffffff", -1},
        {"word", "k=abc", 0},
        {"zero", "k=0", 0},
        {"empty value", "k=", 7},
        {"blank value", "k= \t ", 7},
        {"empty quotes", "k=\"\"", 7},
        {"empty single quotes", "k=''", 7},
        {"quotes holding a blank", "k=\" \"", 0},
        {"quoted number", "k=\"12\"", 12},
        {"quoted signed hex", "k='-0x10'", -16},
        {"plus sign", "k=+7", 7},
        {"minus before hex", "k=-0x10", -16},
        {"missing key", "", 7},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const IniFile ini = IniFile::Parse("[Setting]\r\n" + std::string(row.line) + "\r\n");
        EXPECT_EQ(ini.GetInt(u"Setting", u"k", 7), row.expected);
    }
    EXPECT_EQ(IniFile::Parse("[Setting]\r\nk=1\r\n").GetInt(u"Other", u"k", 7), 7);
}

// --- Reading ----------------------------------------------------------------------------------

TEST(IniFileTest, FindsValuesByLooseNames) {
    struct Row {
        const char* name;
        std::string_view file;  // UTF-8
        std::u16string_view section;
        std::u16string_view key;
        std::optional<std::u16string> expected;
    };
    const Row rows[] = {
        {"value trimmed, inner blanks kept", "[A]\r\nk = \t v w \t\r\n", u"A", u"k", u"v w"},
        {"value holding '='", "[A]\r\nk=a=b\r\n", u"A", u"k", u"a=b"},
        {"key case and blanks", "[A]\r\n Lighting=5\r\n", u"A", u" LIGHTING\t", u"5"},
        {"section case and blanks", "  [ Setting ]  \r\nk=1\r\n", u"setting", u"k", u"1"},
        {"Latin-1 capitals", "[A]\r\nÄNDERUNG Ü=1\r\n", u"A", u"änderung ü", u"1"},
        {"Cyrillic capitals", "[A]\r\nКЛЮЧ=1\r\n", u"A", u"ключ", u"1"},
        {"CJK key", "[A]\r\n背光设定=0x2\r\n", u"A", u"背光设定", u"0x2"},
        {"missing key", "[A]\r\nk=1\r\n", u"A", u"m", std::nullopt},
        {"missing section", "[A]\r\nk=1\r\n", u"B", u"k", std::nullopt},
        {"key of another section", "[A]\r\nk=1\r\n[B]\r\nm=2\r\n", u"A", u"m", std::nullopt},
        {"key before any section", "k=1\r\n[A]\r\n", u"A", u"k", std::nullopt},
        {"comment is not a key", "[A]\r\n ;k=1\r\n", u"A", u";k", std::nullopt},
        {"line without '='", "[A]\r\nk\r\n", u"A", u"k", std::nullopt},
        {"first of two keys", "[A]\r\nk=1\r\nK=2\r\n", u"A", u"k", u"1"},
        {"first of two sections", "[A]\r\nk=1\r\n[a]\r\nk=2\r\n", u"A", u"k", u"1"},
        {"header name up to last ']'", "[a]b]\r\nk=1\r\n", u"a]b", u"k", u"1"},
        {"'[' without ']' is no header", "[A]\r\n[B\r\nk=1\r\n", u"A", u"k", u"1"},
        {"LF line ends", "[A]\nk=1\nm=2", u"A", u"m", u"2"},
        {"CR line ends", "[A]\rk=1\rm=2\r", u"A", u"m", u"2"},
        {"mixed line ends", "[A]\rk=1\r\n\nm=2\n", u"A", u"m", u"2"},
        {"blank key", "[A]\r\n =7\r\n", u"A", u" ", u"7"},
        {"empty key matches blank key line", "[A]\r\n\t =7\r\n", u"A", u"", u"7"},
        {"UTF-8 byte order mark skipped", "\xEF\xBB\xBF[A]\r\nk=1\r\n", u"A", u"k", u"1"},
        {"invalid UTF-8 becomes U+FFFD", "[A]\r\nk=\xC3\x28\xFF\r\n", u"A", u"k", u"\uFFFD(\uFFFD"},
        {"UTF-8 cut inside a character", "[A]\r\nk=\xE2\x82", u"A", u"k", u"\uFFFD"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const IniFile ini = IniFile::Parse(row.file);
        EXPECT_EQ(ini.GetString(row.section, row.key), row.expected);
    }
}

// GetPrivateProfileString: blanks around the value go first, then one pair of matching quotes.
TEST(IniFileTest, SurroundingQuotesAreStripped) {
    struct Row {
        const char* name;
        std::string_view value;  // the text after "k=", UTF-8
        std::u16string_view expected;
    };
    const Row rows[] = {
        {"double quotes", "\"val\"", u"val"},
        {"single quotes", "'val'", u"val"},
        {"blanks inside kept", "\" abc \"", u" abc "},
        {"blanks outside trimmed first", " \t\"abc\" \t", u"abc"},
        {"empty quotes", "\"\"", u""},
        {"quotes around a blank", "' '", u" "},
        {"only the outer pair", "\"\"abc\"\"", u"\"abc\""},
        {"quote inside kept", "\"a\"b\"", u"a\"b"},
        {"other quote inside kept", "'it\"s'", u"it\"s"},
        {"opening quote only", "\"abc", u"\"abc"},
        {"closing quote only", "abc\"", u"abc\""},
        {"text after closing quote", "\"abc\"x", u"\"abc\"x"},
        {"text before opening quote", "x\"abc\"", u"x\"abc\""},
        {"mismatched quotes", "'abc\"", u"'abc\""},
        {"a lone quote", "\"", u"\""},
        {"a lone single quote", "'", u"'"},
        {"back quotes are not quotes", "`abc`", u"`abc`"},
        {"full-width quotes are not quotes",
         "\xEF\xBC\x82"
         "abc\xEF\xBC\x82",
         u"\uFF02abc\uFF02"},
        {"CJK inside quotes", "\"\xE8\xBF\x9E\xE5\x8F\x91\"", u"\u8fde\u53d1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string line = "[A]\r\nk=" + std::string(row.value) + "\r\n";
        EXPECT_EQ(IniFile::Parse(line).GetString(u"A", u"k"), std::u16string(row.expected));
        EXPECT_EQ(IniFile::Parse(Utf16File(u"[A]\r\nk=" + Utf8ToUtf16(row.value) + u"\r\n"))
                      .GetString(u"A", u"k"),
                  std::u16string(row.expected));
    }
    EXPECT_EQ(IniFile::Parse("[A]\r\n").GetString(u"A", u"k", u"\"def\""),
              u"\"def\"");  // defaults as given
}

// Values are written as given; reading them back strips quotes as Windows does.
TEST(IniFileTest, QuotedValuesAreWrittenAsGiven) {
    IniFile ini(IniEncoding::Utf8);
    ini.SetString(u"A", u"k", u"\"Fire\"");
    EXPECT_EQ(ini.Serialize(), "[A]\r\nk=\"Fire\"\r\n");
    EXPECT_EQ(ini.GetString(u"A", u"k"), u"Fire");
}

TEST(IniFileTest, DefaultOnlyForMissingKeys) {
    const IniFile ini = IniFile::Parse("[A]\r\nempty=\r\n");
    EXPECT_EQ(ini.GetString(u"A", u"empty", u"def"), u"");
    EXPECT_EQ(ini.GetString(u"A", u"missing", u"def"), u"def");
}

TEST(IniFileTest, EncodingFollowsByteOrderMark) {
    EXPECT_EQ(IniFile::Parse(Utf16File(u"[A]\r\n")).Encoding(), IniEncoding::Utf16Le);
    EXPECT_EQ(IniFile::Parse("[A]\r\n").Encoding(), IniEncoding::Utf8);
    EXPECT_EQ(IniFile::Parse("").Encoding(), IniEncoding::Utf8);
    EXPECT_EQ(IniFile::Parse("\xFE\xFF").Encoding(), IniEncoding::Utf8);  // big-endian: not ours
    EXPECT_EQ(IniFile(IniEncoding::Utf8).Encoding(), IniEncoding::Utf8);
    EXPECT_EQ(IniFile().Encoding(), IniEncoding::Utf16Le);
}

TEST(IniFileTest, ReadsUtf16WithCharactersBeyondLatin) {
    const std::u16string emoji = u"\U0001F5B1";
    const IniFile ini =
        IniFile::Parse(Utf16File(u"[Setting]\r\n Beleuchtung=0x3\r\n按键设置1=" + emoji + u"\r\n"));
    EXPECT_EQ(ini.GetInt(u"Setting", u" beleuchtung", 0), 3);
    EXPECT_EQ(ini.GetString(u"Setting", u"按键设置1"), emoji);
}

TEST(IniFileTest, SurvivesTruncatedUtf16) {
    const std::string whole = Utf16File(u"[A]\r\nk=1");
    const IniFile cut = IniFile::Parse(whole + "7");  // odd byte count
    EXPECT_EQ(cut.Encoding(), IniEncoding::Utf16Le);
    EXPECT_EQ(cut.GetString(u"A", u"k"), u"1\uFFFD");

    const IniFile markOnly = IniFile::Parse("\xFF\xFE");
    EXPECT_EQ(markOnly.Encoding(), IniEncoding::Utf16Le);
    EXPECT_EQ(markOnly.Serialize(), "\xFF\xFE");
    EXPECT_EQ(IniFile::Parse("\xFF\xFE\x5B").GetString(u"A", u"k"), std::nullopt);
}

// --- Writing ----------------------------------------------------------------------------------

TEST(IniFileTest, NewUtf16DocumentIsByteExact) {
    IniFile ini;
    EXPECT_EQ(ini.Serialize(), "\xFF\xFE");
    ini.SetString(u"Setting", u"key", u"value");
    EXPECT_EQ(ini.Serialize(),
              "\xFF\xFE[\0S\0e\0t\0t\0i\0n\0g\0]\0\r\0\n\0k\0e\0y\0=\0v\0a\0l\0u\0e\0\r\0\n\0"sv);
}

// A reader that names an ANSI code page reads a file without byte order mark in it only when the
// file is not valid UTF-8; such a document is saved as UTF-16LE.
TEST(IniFileTest, AnsiCodePageOnlyForFilesThatAreNotUtf8) {
    struct Row {
        const char* name;
        std::string bytes;
        int codePage;
        std::u16string expected;
        IniEncoding encoding;
    };
    const Row rows[] = {
        {"cp1252 umlaut",
         "[A]\r\nk=Gr\xF6\xDF"
         "e\r\n",
         1252, u"Gr\u00f6\u00dfe", IniEncoding::Utf16Le},
        {"cp1252 euro", "[A]\r\nk=\x80\r\n", 1252, u"\u20ac", IniEncoding::Utf16Le},
        {"cp936", "[A]\r\nk=\xC1\xAC\xB7\xA2\r\n", 936, u"\u8fde\u53d1", IniEncoding::Utf16Le},
        {"cp932 with '\\' as second byte", "[A]\r\nk=\x83\x5C\x95\x5C\r\n", 932, u"\u30bd\u8868",
         IniEncoding::Utf16Le},
        {"cp950 with '\\' as second byte", "[A]\r\nk=\xA5\x5C\xAF\xE0\r\n", 950, u"\u529f\u80fd",
         IniEncoding::Utf16Le},
        {"cp949", "[A]\r\nk=\xB8\xC5\xC5\xA9\r\n", 949, u"\ub9e4\ud06c", IniEncoding::Utf16Le},
        {"cp936 key and quotes", "[A]\r\n\xC1\xAC=\"\xB7\xA2\"\r\n", 936, u"", IniEncoding::Utf16Le},
        {"valid UTF-8 stays UTF-8",
         "[A]\r\nk=Gr\xC3\xB6\xC3\x9F"
         "e\r\n",
         1252, u"Gr\u00f6\u00dfe", IniEncoding::Utf8},
        {"ASCII stays UTF-8", "[A]\r\nk=v\r\n", 932, u"v", IniEncoding::Utf8},
        {"UTF-8 mark: UTF-8 even when broken", "\xEF\xBB\xBF[A]\r\nk=\xF6\r\n", 1252, u"\uFFFD",
         IniEncoding::Utf8},
        {"no code page: UTF-8", "[A]\r\nk=\xF6\r\n", 0, u"\uFFFD", IniEncoding::Utf8},
        {"unknown code page: UTF-8", "[A]\r\nk=\xF6\r\n", 1250, u"\uFFFD", IniEncoding::Utf8},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const IniFile ini = IniFile::Parse(row.bytes, row.codePage);
        EXPECT_EQ(ini.Encoding(), row.encoding);
        if (!row.expected.empty()) {
            EXPECT_EQ(ini.GetString(u"A", u"k"), row.expected);
        }
    }
    const IniFile keyed = IniFile::Parse("[A]\r\n\xC1\xAC=\"\xB7\xA2\"\r\n", 936);
    EXPECT_EQ(keyed.GetString(u"a", u"\u8fde"), u"\u53d1");
    EXPECT_EQ(keyed.Serialize(), Utf16File(u"[A]\r\n\u8fde=\"\u53d1\"\r\n"));
}

TEST(IniFileTest, NewUtf8DocumentHasNoByteOrderMark) {
    IniFile ini(IniEncoding::Utf8);
    ini.SetString(u"MacroName", u"Macro_1", u"Größe");
    EXPECT_EQ(ini.Serialize(), "[MacroName]\r\nMacro_1=Größe\r\n");
}

TEST(IniFileTest, EditsRewriteOnlyWhatChanged) {
    struct Row {
        const char* name;
        std::string_view before;  // UTF-8
        std::u16string_view section;
        std::u16string_view key;
        std::u16string_view value;
        std::string_view after;
    };
    const Row rows[] = {
        {"replace in place keeps order and key text", "[A]\r\na=1\r\n B =2\r\nc=3\r\n", u"A", u"b", u"9",
         "[A]\r\na=1\r\n B =9\r\nc=3\r\n"},
        {"replace first of duplicate keys", "[A]\r\nk=1\r\nk=2\r\n", u"a", u"K", u"3",
         "[A]\r\nk=3\r\nk=2\r\n"},
        {"replace umlaut key ignoring case", "[A]\r\nÄnderung=1\r\n", u"A", u"ÄNDERUNG", u"2",
         "[A]\r\nÄnderung=2\r\n"},
        {"new key before the next section", "[A]\r\na=1\r\n\r\n[B]\r\nb=2\r\n", u"A", u"x", u"3",
         "[A]\r\na=1\r\nx=3\r\n\r\n[B]\r\nb=2\r\n"},
        {"new key before a trailing comment", "[A]\r\na=1\r\n; end of A\r\n", u"A", u"x", u"3",
         "[A]\r\na=1\r\nx=3\r\n; end of A\r\n"},
        {"new key in a keyless section", "[A]\r\n; note\r\n[B]\r\n", u"A", u"x", u"3",
         "[A]\r\nx=3\r\n; note\r\n[B]\r\n"},
        {"new section at the end", "; top\r\n[A]\r\na=1\r\n", u"C", u"k", u"v",
         "; top\r\n[A]\r\na=1\r\n[C]\r\nk=v\r\n"},
        {"last line gets a line end", "[A]\r\na=1", u"C", u"k", u"v", "[A]\r\na=1\r\n[C]\r\nk=v\r\n"},
        {"header without line end", "[A]", u"A", u"k", u"v", "[A]\r\nk=v\r\n"},
        {"preamble without line end", "junk", u"A", u"k", u"v", "junk\r\n[A]\r\nk=v\r\n"},
        {"unknown lines kept", "x\r\n[A]\r\n;c=1\r\nno key\r\na=1\r\n", u"A", u"a", u"2",
         "x\r\n[A]\r\n;c=1\r\nno key\r\na=2\r\n"},
        {"LF file: new lines follow it", "[A]\na=1\n", u"A", u"b", u"2", "[A]\na=1\nb=2\n"},
        {"CR file: new lines follow it", "[A]\ra=1\r", u"A", u"b", u"2", "[A]\ra=1\rb=2\r"},
        {"in-place edit keeps a missing line end", "[A]\na=1", u"A", u"a", u"22", "[A]\na=22"},
        {"CR and LF in a value", "[A]\r\n", u"A", u"k", u"a\r\n[Evil]\rx=1\n",
         "[A]\r\nk=a  [Evil] x=1 \r\n"},
        {"CR and LF in a key", "[A]\r\n", u"A", u"k\r\nx", u"1", "[A]\r\nk  x=1\r\n"},
        {"CR and LF in a section", "", u"A]\r\n[B", u"k", u"1", "[A]  [B]\r\nk=1\r\n"},
        {"key with '=' refused", "[A]\r\n", u"A", u"x=y", u"1", "[A]\r\n"},
        {"key starting with '[' refused", "", u"A", u" [B]", u"1", ""},
        {"key starting with ';' refused", "[A]\r\n", u"A", u";c", u"1", "[A]\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        IniFile ini = IniFile::Parse(row.before);
        ini.SetString(row.section, row.key, row.value);
        EXPECT_EQ(ini.Serialize(), row.after);
    }
}

TEST(IniFileTest, LineBreaksInValuesCannotInjectKeysOrSections) {
    IniFile ini;
    ini.SetString(u"A", u"name", u"x\r\nk=1\r\n[B]\r\nm=2");
    for (const IniFile& copy : {ini, IniFile::Parse(ini.Serialize())}) {
        EXPECT_EQ(copy.GetString(u"A", u"name"), u"x  k=1  [B]  m=2");
        EXPECT_EQ(copy.GetString(u"A", u"k"), std::nullopt);
        EXPECT_EQ(copy.GetString(u"B", u"m"), std::nullopt);
    }
}

TEST(IniFileTest, BlankKeyKeepsOneLine) {
    IniFile ini(IniEncoding::Utf8);
    ini.SetString(u"Setting", u" ", u"0x1");
    ini.SetString(u"Setting", u"Off", u"0x0");
    ini.SetString(u"Setting", u" ", u"0x2");
    EXPECT_EQ(ini.Serialize(), "[Setting]\r\n =0x2\r\nOff=0x0\r\n");
    const IniFile reread = IniFile::Parse(ini.Serialize());
    EXPECT_EQ(reread.GetInt(u"Setting", u" ", 0), 2);
    EXPECT_EQ(reread.GetString(u"Setting", u"  "), u"0x2");
}

TEST(IniFileTest, ShortSectionMatchesOnlyWholeNames) {
    IniFile ini(IniEncoding::Utf8);
    ini.SetString(u"MacroName", u"k", u"1");
    ini.SetString(u"Macro", u"k", u"2");
    EXPECT_EQ(ini.GetString(u"MacroName", u"k"), u"1");
    EXPECT_EQ(ini.GetString(u"Macro", u"k"), u"2");
}

TEST(IniFileTest, Utf16DocumentRoundTripsExactly) {
    IniFile ini;
    ini.SetString(u"Setting", u"Button1", u"0x1");
    ini.SetString(u"Setting", u"按键设置1", u"065,000,");
    ini.SetString(u"Setting", u" Beleuchtung", u"0xffffffff");
    ini.SetString(u"Setting", u"Macros Names1", u"  Maus \U0001F5B1  ");
    const std::string bytes = ini.Serialize();
    const IniFile reread = IniFile::Parse(bytes);
    EXPECT_EQ(reread.Serialize(), bytes);
    EXPECT_EQ(reread.GetString(u"setting", u"按键设置1"), u"065,000,");
    EXPECT_EQ(reread.GetInt(u"Setting", u"beleuchtung", 0), -1);
    EXPECT_EQ(reread.GetString(u"Setting", u"Macros Names1"), u"Maus \U0001F5B1");
}

TEST(IniFileTest, ManyKeysStayInOrderAndFindable) {
    IniFile ini(IniEncoding::Utf8);
    ini.SetString(u"MacroNum", u"Number", u"302");
    for (int i = 1; i <= 302; ++i) {
        const std::string key = "Macro_" + std::to_string(i);
        ini.SetString(u"MacroName", Utf8ToUtf16(key), Utf8ToUtf16("name " + std::to_string(i)));
    }
    ini.SetString(u"MacroNum", u"Number", u"303");
    const std::string bytes = ini.Serialize();
    EXPECT_TRUE(bytes.starts_with("[MacroNum]\r\nNumber=303\r\n[MacroName]\r\nMacro_1=name 1\r\n"));
    EXPECT_TRUE(bytes.ends_with("Macro_301=name 301\r\nMacro_302=name 302\r\n"));
    const IniFile reread = IniFile::Parse(bytes);
    for (int i = 1; i <= 302; ++i) {
        const std::u16string key = Utf8ToUtf16("macro_" + std::to_string(i));
        EXPECT_EQ(reread.GetString(u"MacroName", key, u""), Utf8ToUtf16("name " + std::to_string(i)));
    }
}

// --- Files ------------------------------------------------------------------------------------

TEST_F(FileTest, SaveThenLoadGivesTheSameDocument) {
    IniFile ini;
    ini.SetString(u"Setting", u"Language", u"3");
    ASSERT_TRUE(ini.Save(m_dir / "LANGUAGE.ini"));
    EXPECT_EQ(ReadBytes(m_dir / "LANGUAGE.ini"), Utf16File(u"[Setting]\r\nLanguage=3\r\n"));
    const std::optional<IniFile> loaded = IniFile::Load(m_dir / "LANGUAGE.ini");
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(loaded->Encoding(), IniEncoding::Utf16Le);
    EXPECT_EQ(loaded->GetInt(u"Setting", u"Language", 0), 3);
}

TEST_F(FileTest, LoadRefusesMissingOddAndOversizedFiles) {
    EXPECT_FALSE(IniFile::Load(m_dir / "missing.ini").has_value());
    EXPECT_FALSE(IniFile::Load(m_dir).has_value());

    std::string big = "[A]\r\nk=1\r\n";
    big.resize(kMaxIniFileBytes, ' ');
    WriteBytes(m_dir / "limit.ini", big);
    const std::optional<IniFile> atLimit = IniFile::Load(m_dir / "limit.ini");
    ASSERT_TRUE(atLimit.has_value());
    EXPECT_EQ(atLimit->GetString(u"A", u"k"), u"1");

    WriteBytes(m_dir / "over.ini", big + " ");
    EXPECT_FALSE(IniFile::Load(m_dir / "over.ini").has_value());
}

// Found by fuzz_ini_file: the text of a UTF-8 file with a byte order mark started with U+FEFF, which
// was written without a mark and then taken for one (and dropped) when read back.
TEST(IniSerialize, LeadingZeroWidthNoBreakSpaceSurvivesRereading) {
    const IniFile ini = IniFile::Parse(
        "\xEF\xBB\xBF\xEF\xBB\xBF"
        "a=1\n");
    EXPECT_EQ(ini.Serialize(),
              "\xEF\xBB\xBF\xEF\xBB\xBF"
              "a=1\n");
    EXPECT_EQ(IniFile::Parse(ini.Serialize()).Serialize(), ini.Serialize());
    EXPECT_EQ(IniFile::Parse("[A]\nk=1\n").Serialize(), "[A]\nk=1\n");  // no mark otherwise
}

TEST_F(FileTest, SaveReportsFailureAndKeepsOldFile) {
    IniFile ini;
    ini.SetString(u"Setting", u"Language", u"1");
    EXPECT_FALSE(ini.Save(m_dir / "no-such-folder" / "LANGUAGE.ini"));
    fs::create_directory(m_dir / "LANGUAGE.ini");
    EXPECT_FALSE(ini.Save(m_dir / "LANGUAGE.ini"));
    EXPECT_TRUE(fs::is_directory(m_dir / "LANGUAGE.ini"));
}

// What Load would refuse is never written: the old file stays, and the caller learns why.
TEST_F(FileTest, SaveRefusesWhatLoadWouldRefuse) {
    const fs::path path = m_dir / "p.ini";
    WriteBytes(path, "old");
    IniFile ini;
    ini.SetString(u"Setting", u"Name", std::u16string(kMaxIniFileBytes / 2, u'x'));
    const WriteResult written = ini.Save(path);
    EXPECT_FALSE(written);
    EXPECT_NE(written.error.find("too large"), std::string::npos) << written.error;
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_EQ(Entries(m_dir), std::vector<std::string>{"p.ini"});
}

}  // namespace
}  // namespace voltrane
