// Fuzzes the decoding of the two reports read from the mouse.
//
// Input: the button report's bytes (report ID included), cut or zero-padded to 2049; its first 8
// bytes are also decoded as a settings report.
// Properties checked (besides staying inside every buffer, which the sanitizers watch):
// - buttons 2-10 decode to function codes 1..39 and button 1 to LEFT;
// - at most one macro per button is counted, and the list selection follows the count;
// - key rows hold only key-table rows;
// - the settings items keep their radio groups whole and their levels inside 0..3.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "device/reports.h"

namespace {

using namespace voltrane;

void check(bool holds) {
    if (!holds) std::abort();
}

bool oneOf(const int32_t* items, int first, int count) {
    return std::count(items + first, items + first + count, 1) == 1 &&
           std::count(items + first, items + first + count, 0) == count - 1;
}

void checkButtons(const MouseSetting& setting, const MacroStore& store) {
    check(setting.m_nItem[0] == kFunctionLeft);
    for (int k = 1; k < kButtonCount; ++k) {
        check(setting.m_nItem[k] >= 1 && setting.m_nItem[k] <= kFunctionLast);
    }
    check(store.m_nMacroCount < static_cast<uint32_t>(kButtonCount));
    check(store.m_nMacroSel == static_cast<int>(store.m_nMacroCount));
    for (const auto& row : setting.m_KeyData) {
        check(std::all_of(std::begin(row), std::end(row), [](uint8_t key) { return key < kKeyTableRows; }));
    }
}

void checkSettings(const MouseSetting& setting) {
    const int32_t* items = setting.m_nItem;
    check(oneOf(items, 14, 2) && oneOf(items, 20, 4));
    check(oneOf(items, 24, 2) && oneOf(items, 28, 2) && oneOf(items, 32, 2));
    for (int item = 36; item <= 39; ++item) check(items[item] >= 0 && items[item] <= 3);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ButtonReport report{};
    std::copy_n(data, std::min(size, report.size()), report.begin());

    MouseSetting setting;
    setting.ResetToDefaults();
    auto store = std::make_unique<MacroStore>();
    DecodeButtonReport(report, setting, *store);
    checkButtons(setting, *store);

    DecodeSettingsReport(
        std::span<const uint8_t, kSettingsReportLength>(report.data(), kSettingsReportLength), setting);
    checkSettings(setting);
    return 0;
}
