// Fuzzes LoadProfile: any bytes as a profile file, read with the keys of any of the six languages.
//
// Input: byte 0 chooses the language (byte % 6) and the page shown (byte / 6 % 3); the other bytes
// are the file. Properties checked: the file is read as a profile, or refused as none and the
// record left at its defaults; after a read the fixed normalisation holds and every macro length is
// a whole number of step records inside the row.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>

#include "fuzz/fuzz_input_file.h"
#include "settings/ini_file.h"
#include "settings/profile.h"
#include "settings/text_tables.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace voltrane;
    if (size == 0 || size - 1 > kMaxIniFileBytes) return 0;
    static fuzz::FuzzInputFile input("profile");
    const int language = data[0] % kLanguageCount;
    const int page = data[0] / kLanguageCount % 3;
    const auto& path = input.Write(data + 1, size - 1);

    MouseSetting setting;
    setting.ResetToDefaults();
    const ProfileLoad loaded = LoadProfile(setting, path, language, page);
    if (loaded == ProfileLoad::NotAProfile) {
        MouseSetting untouched;
        untouched.ResetToDefaults();
        VOLTRANE_FUZZ_CHECK(
            std::equal(std::begin(setting.m_nItem), std::end(setting.m_nItem), untouched.m_nItem));
        VOLTRANE_FUZZ_CHECK(
            std::memcmp(setting.m_MacroData, untouched.m_MacroData, sizeof setting.m_MacroData) == 0);
        return 0;
    }
    VOLTRANE_FUZZ_CHECK(loaded == ProfileLoad::Loaded);
    VOLTRANE_FUZZ_CHECK(setting.m_nItem[125 + page] == 1);
    VOLTRANE_FUZZ_CHECK(setting.m_nItem[125] + setting.m_nItem[126] + setting.m_nItem[127] == 1);
    for (int b = 0; b < kButtonCount; ++b) {
        const int32_t length = setting.m_nMacroDataLen[b];
        VOLTRANE_FUZZ_CHECK(length >= 0 && length <= 250 && length % 10 == 0);
    }
    return 0;
}
