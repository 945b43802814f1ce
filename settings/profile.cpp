#include "settings/profile.h"

#include <algorithm>
#include <optional>
#include <string>

#include "settings/atomic_file.h"
#include "settings/ini_file.h"
#include "settings/macro_store.h"
#include "settings/step_record_layout.h"
#include "settings/text_tables.h"
#include "settings/utf.h"

namespace voltrane {

namespace {

constexpr std::u16string_view kSection = u"Setting";

// The key of a per-button value: the stem of the table row followed by the button number.
std::u16string buttonKey(int stemRow, int button, int language) {
    return std::u16string(GetText(TextTable::Main, stemRow, language)) + DecimalUtf16(button + 1);
}

// Each byte as three decimal digits and a comma: 65 -> "065,".
template <size_t N>
std::u16string digitGroups(const uint8_t (&bytes)[N]) {
    std::u16string text;
    text.reserve(4 * N);
    for (uint8_t v : bytes) {
        text += static_cast<char16_t>(u'0' + v / 100);
        text += static_cast<char16_t>(u'0' + v / 10 % 10);
        text += static_cast<char16_t>(u'0' + v % 10);
        text += u',';
    }
    return text;
}

// The inverse of digitGroups, character by character: byte k is built from characters 4k..4k+2,
// characters past the end count as 0, and only the low 8 bits are kept.
template <size_t N>
void readDigitGroups(std::u16string_view text, uint8_t (&bytes)[N]) {
    auto at = [&](size_t i) -> int { return i < text.size() ? text[i] : 0; };
    for (size_t k = 0; k < N; ++k) {
        const int value = (at(4 * k) - 48) * 100 + (at(4 * k + 1) - 48) * 10 + (at(4 * k + 2) - 48);
        bytes[k] = static_cast<uint8_t>(value & 0xFF);
    }
}

std::u16string hexValue(int32_t value) {
    static constexpr char16_t kDigits[] = u"0123456789abcdef";
    uint32_t v = static_cast<uint32_t>(value);
    std::u16string digits;
    do {
        digits.insert(digits.begin(), kDigits[v & 0xF]);
        v >>= 4;
    } while (v != 0);
    return u"0x" + digits;
}

// Whether a record of a macro row starts with `byte0`: a kind a macro converts to, button bits clear.
bool isStepRecordStart(uint8_t byte0) {
    return byte0 == kRecordMousePress || byte0 == kRecordDpi || byte0 == kRecordKeyboard ||
           byte0 == kRecordMouseRelease;
}

void readProfile(MouseSetting& setting, const IniFile& file, int language) {
    for (int i = 0; i < kItemCount; ++i) {
        const std::u16string_view caption = GetText(TextTable::Main, i, language);
        if (!caption.empty()) setting.m_nItem[i] = file.GetInt(kSection, caption, 0);
    }
    for (int b = 0; b < kButtonCount; ++b) {
        readDigitGroups(file.GetString(kSection, buttonKey(kRowKeyDataStem, b, language), u""),
                        setting.m_KeyData[b]);
        readDigitGroups(file.GetString(kSection, buttonKey(kRowMacroDataStem, b, language), u""),
                        setting.m_MacroData[b]);
        setting.m_strButtonMacro[b] =
            BoundedName(file.GetString(kSection, buttonKey(kRowMacroNameStem, b, language), u""));
    }
}

// How many keys of `language` the file holds in section "Setting".
int profileKeyCount(const IniFile& file, int language) {
    int count = 0;
    for (int i = 0; i < kItemCount; ++i) {
        const std::u16string_view caption = GetText(TextTable::Main, i, language);
        if (!caption.empty() && file.GetString(kSection, caption)) ++count;
    }
    if (file.GetString(kSection, GetText(TextTable::Main, kRowMacroFilesKey, language))) ++count;
    for (int b = 0; b < kButtonCount; ++b) {
        for (int stem : {kRowKeyDataStem, kRowMacroDataStem, kRowMacroNameStem}) {
            if (file.GetString(kSection, buttonKey(stem, b, language))) ++count;
        }
    }
    return count;
}

// The language whose keys the file was written with: `active` unless another language's keys
// outnumber its own (keys such as "Button1" are the same in every language), then the first
// language that holds the most. None when the file holds no key of any language: it is not a
// profile, and read as one every item would become 0 and most buttons disabled.
std::optional<int> writtenLanguage(const IniFile& file, int active) {
    int best = active;
    int bestCount = profileKeyCount(file, active);
    for (int language = 0; language < kLanguageCount; ++language) {
        const int count = profileKeyCount(file, language);
        if (count > bestCount) {
            best = language;
            bestCount = count;
        }
    }
    if (bestCount == 0) return std::nullopt;
    return best;
}

// What every load that changed the record ends with.
void finishLoad(MouseSetting& setting, int page) {
    for (int b = 0; b < kButtonCount; ++b)
        setting.m_nMacroDataLen[b] = MacroRowLength(setting.m_MacroData[b]);
    NormaliseProfileItems(setting, page);
}

}  // namespace

WriteResult SaveProfile(const MouseSetting& setting, const std::filesystem::path& path,
                        const std::filesystem::path& macroFile, int language) {
    IniFile file(IniEncoding::Utf16Le);
    for (int i = 0; i < kItemCount; ++i) {
        const std::u16string_view caption = GetText(TextTable::Main, i, language);
        if (!caption.empty()) file.SetString(kSection, caption, hexValue(setting.m_nItem[i]));
    }
    file.SetString(kSection, GetText(TextTable::Main, kRowMacroFilesKey, language),
                   Utf8ToUtf16(macroFile.string()));
    for (int b = 0; b < kButtonCount; ++b) {
        file.SetString(kSection, buttonKey(kRowKeyDataStem, b, language),
                       digitGroups(setting.m_KeyData[b]));
    }
    for (int b = 0; b < kButtonCount; ++b) {
        file.SetString(kSection, buttonKey(kRowMacroDataStem, b, language),
                       digitGroups(setting.m_MacroData[b]));
    }
    for (int b = 0; b < kButtonCount; ++b) {
        file.SetString(kSection, buttonKey(kRowMacroNameStem, b, language), setting.m_strButtonMacro[b]);
    }
    return file.Save(path);
}

ProfileLoad LoadProfile(MouseSetting& setting, const std::filesystem::path& path, int language, int page) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        setting.ResetToDefaults();
        finishLoad(setting, page);
        return ProfileLoad::Missing;
    }
    const std::optional<IniFile> file = IniFile::Load(path);
    if (!file) return ProfileLoad::Unreadable;
    const std::optional<int> written = writtenLanguage(*file, language);
    if (!written) return ProfileLoad::NotAProfile;
    readProfile(setting, *file, *written);
    finishLoad(setting, page);
    return ProfileLoad::Loaded;
}

void NormaliseProfileItems(MouseSetting& setting, int page) {
    int32_t* items = setting.m_nItem;
    std::fill(items + kItemBasicTab, items + kItemColorTab + 1, 0);
    items[page == kAdvancedPage ? kItemAdvancedTab
          : page == kColourPage ? kItemColorTab
                                : kItemBasicTab] = 1;
}

int32_t MacroRowLength(const uint8_t (&row)[kMacroRowBytes]) {
    int32_t length = 0;
    while (length + kStepRecordBytes <= kMacroRowBytes && isStepRecordStart(row[length]))
        length += kStepRecordBytes;
    return length;
}

}  // namespace voltrane
