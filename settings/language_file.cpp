#include "settings/language_file.h"

#include <string>

#include "settings/ini_file.h"
#include "settings/text_tables.h"
#include "settings/utf.h"

namespace voltrane {

namespace {
constexpr std::u16string_view kSection = u"Setting";
constexpr std::u16string_view kKey = u"Language";
}  // namespace

void ReadLanguage(const std::filesystem::path& path) {
    const std::optional<IniFile> file = IniFile::Load(path);
    const int32_t language = file ? file->GetInt(kSection, kKey, 0) : kEnglish;
    g_nLanguage = language >= 0 && language < kLanguageCount ? language : kEnglish;
}

bool WriteLanguage(const std::filesystem::path& path) {
    IniFile file(IniEncoding::Utf16Le);
    file.SetString(kSection, kKey, Utf8ToUtf16(std::to_string(g_nLanguage)));
    return file.Save(path);
}

}  // namespace voltrane
