#pragma once
// The macro store: up to 300 recorded macros with their names, and the state of the macro list.

#include <cstdint>
#include <string>

#include "settings/macro_record.h"
#include "settings/utf.h"

namespace voltrane {

inline constexpr int kMacroStoreSlots = 301;  // 300 macros and one spare slot
inline constexpr uint32_t kMaxMacros = 300;

// "Macro_<number>": the key of a macro's name in a name file, and the name of a macro read from
// the mouse.
inline std::u16string MacroName(int number) { return u"Macro_" + DecimalUtf16(number); }

// The longest macro name kept, in UTF-16 code units: far more than a list row shows, and short
// enough that 300 names and ten button names stay well inside what a file load accepts.
inline constexpr std::size_t kMaxNameLength = 256;

// `name` cut to kMaxNameLength code units (without splitting a surrogate pair). Every name that
// enters a record or the store passes through here.
std::u16string BoundedName(std::u16string_view name);

// The macro list shows this many rows of this height, in skin pixels.
inline constexpr int kMacroListRows = 20;
inline constexpr int kMacroRowHeight = 12;

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
