// Fuzzes LoadProfile: any bytes as a profile file, read with the keys of any of the six languages.
//
// Input: byte 0 chooses the language (byte % 6) and the page shown (byte / 6 % 3); the other bytes
// are the file. Properties checked: the load succeeds (the file exists and is small), the fixed
// normalisation holds, and every macro length is a whole number of step records inside the row.

#include <cstdint>

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
    VOLTRANE_FUZZ_CHECK(LoadProfile(setting, path, language, page) == ProfileLoad::Loaded);
    VOLTRANE_FUZZ_CHECK(setting.m_nItem[125 + page] == 1);
    VOLTRANE_FUZZ_CHECK(setting.m_nItem[125] + setting.m_nItem[126] + setting.m_nItem[127] == 1);
    VOLTRANE_FUZZ_CHECK(setting.m_nItem[16] == 1 && setting.m_nItem[32] == 0 && setting.m_nItem[33] == 1);
    for (int b = 0; b < kButtonCount; ++b) {
        const int32_t length = setting.m_nMacroDataLen[b];
        VOLTRANE_FUZZ_CHECK(length >= 0 && length <= 250 && length % 10 == 0);
    }
    return 0;
}
