#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "file_bytes.h"
#include "settings/language_file.h"
#include "settings/text_tables.h"
#include "temp_dir.h"

namespace voltrane {
namespace {

// "[Setting]\r\nLanguage=<value>\r\n" as a UTF-16LE file with its byte order mark.
std::string languageFile(const std::string& value) {
    return Utf16File(u"[Setting]\r\nLanguage=" + std::u16string(value.begin(), value.end()) + u"\r\n");
}

TEST(LanguageFile, Read) {
    struct Case {
        const char* name;
        std::string bytes;
        int language;
    };
    const Case cases[] = {
        {"German", languageFile("3"), 3},
        {"Korean", languageFile("5"), 5},
        {"SimplifiedChinese", languageFile("0"), 0},
        {"Hex", languageFile("0x4"), 4},
        {"AboveRange", languageFile("7"), kEnglish},
        {"Negative", languageFile("-1"), kEnglish},
        {"NotANumber", languageFile("de"), 0},
        {"NoKey", "\xFF\xFE[", 0},
        {"Utf8File", "[Setting]\nLanguage=1\n", 1},
        {"Binary", std::string("\x00\x01\x02\xFF", 4), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        WriteBytes(dir.path() / "LANGUAGE.ini", c.bytes);
        EXPECT_EQ(ReadLanguage(dir.path() / "LANGUAGE.ini"), c.language);
    }
}

TEST(LanguageFile, MissingOrUnreadableGivesEnglish) {
    TempDir dir;
    EXPECT_EQ(ReadLanguage(dir.path() / "LANGUAGE.ini"), kEnglish);
    EXPECT_EQ(ReadLanguage(dir.path()), kEnglish);  // a folder, not a file
}

TEST(LanguageFile, WriteReplacesTheFileAndReadsBack) {
    TempDir dir;
    const auto path = dir.path() / "LANGUAGE.ini";
    WriteBytes(path, languageFile("1") + "\r\nstale=1\r\n");
    ASSERT_TRUE(WriteLanguage(path, 3));
    EXPECT_EQ(ReadBytes(path), languageFile("3"));
    EXPECT_EQ(ReadLanguage(path), 3);
    const WriteResult missingFolder = WriteLanguage(dir.path() / "no-folder" / "LANGUAGE.ini", 3);
    EXPECT_FALSE(missingFolder);
    EXPECT_EQ(missingFolder.error, "No such file or directory");
}

}  // namespace
}  // namespace voltrane
