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

int ReadLanguage(const std::filesystem::path& path) {
    const std::optional<IniFile> file = IniFile::Load(path);
    const int32_t language = file ? file->GetInt(kSection, kKey, 0) : kEnglish;
    return KnownLanguage(language);
}

WriteResult WriteLanguage(const std::filesystem::path& path, int language) {
    IniFile file(IniEncoding::Utf16Le);
    file.SetString(kSection, kKey, DecimalUtf16(language));
    return file.Save(path);
}

}  // namespace voltrane
