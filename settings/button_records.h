#pragma once
// How much of a button a macro takes: a button's macro row holds at most 25 step records, one for
// each step of a kind the mouse can play (mouse button or wheel, key chord, raw key, DPI step); a
// pause rides on the record before it and costs nothing.

#include <string>
#include <string_view>

#include "settings/macro_record.h"
#include "settings/mouse_setting.h"
#include "settings/step_record_layout.h"

namespace voltrane {

inline constexpr int kMaxButtonRecords = kMacroRowBytes / kStepRecordBytes;  // 25

// Whether a step of `kind` becomes a step record of its own.
bool MakesButtonRecord(uint8_t kind);

// The step records `macro` makes on a button (steps past `count`, and at most 256, are ignored).
int ButtonRecordCount(const MacroRecord& macro);

// The macro editor's line under its steps in `language`: how many records the macro makes and that
// a button holds 25, or, past 25, that the macro is too long for a button.
std::u16string ButtonRecordText(const MacroRecord& macro, int language);

// A macro's name as the macro lists show it: the name alone, or for a macro too long for a button the
// name followed by its record count out of 25: "Combo (31/25)".
std::u16string MacroListName(std::u16string_view name, const MacroRecord& macro);

}  // namespace voltrane
