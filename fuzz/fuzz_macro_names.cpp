// Fuzzes ReadMacroNames: any bytes as a name file, read in the language size % 6, so that every
// ANSI code page a name file can be read in is reached.
//
// Properties checked: every name was reset (names past the number looked up are empty), at most
// 301 names are looked up, and no name holds a line break (blanks at a name's ends are allowed:
// quotes in the file keep them). The same bytes, as text, also go through ParseMacroNumber, which
// must never give a negative count.

#include <cstdint>
#include <memory>
#include <string_view>

#include "fuzz/fuzz_input_file.h"
#include "settings/ini_file.h"
#include "settings/macro_files.h"
#include "settings/text_tables.h"
#include "settings/utf.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace voltrane;
    if (size > kMaxIniFileBytes) return 0;
    static fuzz::FuzzInputFile input("macro-names");
    static const std::unique_ptr<MacroStore> store = std::make_unique<MacroStore>();
    const auto& path = input.Write(data, size);
    for (std::u16string& name : store->m_strMacroNames) name = u"stale";

    const int names = ReadMacroNames(*store, path, static_cast<int>(size % kLanguageCount));
    VOLTRANE_FUZZ_CHECK(names >= 0 && names <= kMacroStoreSlots);
    for (int j = 0; j < kMacroStoreSlots; ++j) {
        const std::u16string& name = store->m_strMacroNames[j];
        if (j >= names) VOLTRANE_FUZZ_CHECK(name.empty());
        VOLTRANE_FUZZ_CHECK(name.find_first_of(u"\r\n") == std::u16string::npos);
    }
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    VOLTRANE_FUZZ_CHECK(ParseMacroNumber(Utf8ToUtf16(text)) >= 0);
    return 0;
}
