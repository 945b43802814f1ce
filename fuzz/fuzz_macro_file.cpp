// Fuzzes ReadMacroFile: any bytes as a macro file.
//
// Properties checked, against a model of the file format written out here: a file
// whose first 31 bytes are not the signature leaves the store exactly as it was; otherwise the
// count is the header's (at most 300), the list state is 0, records below the count hold the
// file's bytes (zero where the file ends early) and every other record is zero.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

#include "fuzz/fuzz_input_file.h"
#include "settings/macro_files.h"

namespace {

// Marks the store with values a read never produces, so that an untouched store can be told apart.
void Mark(voltrane::MacroStore& store) {
    store.m_nMacroCount = 0xDEADu;
    store.m_nMacroHoverRow = -3;
    store.m_nMacroSel = -4;
    store.m_nMacroTop = -5;
    store.m_Macro[300].count = 77;
    store.m_Macro[300].reserved[2] = 0x99;
}

bool Marked(const voltrane::MacroStore& store) {
    return store.m_nMacroCount == 0xDEADu && store.m_nMacroHoverRow == -3 && store.m_nMacroSel == -4 &&
           store.m_nMacroTop == -5 && store.m_Macro[300].count == 77 &&
           store.m_Macro[300].reserved[2] == 0x99;
}

// Byte `index` of the file, 0 past its end.
uint8_t At(const uint8_t* data, size_t size, size_t index) { return index < size ? data[index] : 0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace voltrane;
    static fuzz::FuzzInputFile input("macro-file");
    static const std::unique_ptr<MacroStore> store = std::make_unique<MacroStore>();
    const auto& path = input.Write(data, size);
    Mark(*store);

    const MacroFileRead result = ReadMacroFile(*store, path);
    const bool hasSignature = size >= kMacroSignature.size() &&
                              std::memcmp(data, kMacroSignature.data(), kMacroSignature.size()) == 0;
    if (!hasSignature) {
        VOLTRANE_FUZZ_CHECK(result == MacroFileRead::BadSignature);
        VOLTRANE_FUZZ_CHECK(Marked(*store));
        return 0;
    }
    VOLTRANE_FUZZ_CHECK(result == MacroFileRead::Read);
    const uint32_t announced = static_cast<uint32_t>(At(data, size, 60)) | At(data, size, 61) << 8 |
                               At(data, size, 62) << 16 | static_cast<uint32_t>(At(data, size, 63)) << 24;
    const uint32_t count = std::min<uint32_t>(announced, 300);
    VOLTRANE_FUZZ_CHECK(store->m_nMacroCount == count);
    VOLTRANE_FUZZ_CHECK(store->m_nMacroHoverRow == 0 && store->m_nMacroSel == 0 && store->m_nMacroTop == 0);
    static const MacroRecord kZero{};
    for (uint32_t i = count; i < static_cast<uint32_t>(kMacroStoreSlots); ++i) {
        VOLTRANE_FUZZ_CHECK(std::memcmp(&store->m_Macro[i], &kZero, sizeof kZero) == 0);
    }
    for (uint32_t i = 0; i < count; ++i) {
        const MacroRecord& record = store->m_Macro[i];
        const size_t start = 64 + static_cast<size_t>(i) * 2824;
        const auto expect = [&](size_t offset) -> uint8_t { return At(data, size, start + offset); };
        const uint32_t stepCount = static_cast<uint32_t>(expect(0)) | expect(1) << 8 | expect(2) << 16 |
                                   static_cast<uint32_t>(expect(3)) << 24;
        VOLTRANE_FUZZ_CHECK(static_cast<uint32_t>(record.count) == stepCount);
        VOLTRANE_FUZZ_CHECK(record.length == expect(4));
        for (size_t s = 0; s < 256; ++s) {
            VOLTRANE_FUZZ_CHECK(record.steps[s].kind == expect(5 + 11 * s));
            for (size_t d = 0; d < 10; ++d)
                VOLTRANE_FUZZ_CHECK(record.steps[s].data[d] == expect(6 + 11 * s + d));
        }
        for (size_t r = 0; r < 3; ++r) VOLTRANE_FUZZ_CHECK(record.reserved[r] == expect(2821 + r));
    }
    return 0;
}
