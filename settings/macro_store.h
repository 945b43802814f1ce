#pragma once
// The macro store: up to 300 recorded macros with their names, and the state of the macro list.

#include <cstdint>
#include <string>

#include "capture/macro_record.h"

namespace voltrane {

inline constexpr int kMacroStoreSlots = 301;  // 300 macros and one spare slot
inline constexpr uint32_t kMaxMacros = 300;

struct MacroStore {
    MacroRecord m_Macro[kMacroStoreSlots] = {};  // a record whose count is 0 is empty
    uint32_t m_nMacroCount = 0;                  // records in use, 0..300
    std::u16string m_strMacroNames[kMacroStoreSlots];

    // The macro list: row under the cursor, selected row, first visible row.
    int m_nMacroHoverRow = 0;
    int m_nMacroSel = 0;
    int m_nMacroTop = 0;
};

}  // namespace voltrane
