#pragma once
// Printing a configuration record: one JSON object for scripts, or readable text.

#include <ostream>

#include "settings/macro_store.h"
#include "settings/mouse_setting.h"

namespace voltrane {

// {"items": [...131], "key_data": [[...10] x10], "macro_data_len": [...10], "button_macro": [...10],
//  "macros": [{"name", "count", "length", "steps": [[...11] per step]}] for the store's macros}
void WriteRecordJson(std::ostream& out, const MouseSetting& setting, const MacroStore& store);

// DPI, report rate, lighting, each button's function and the macros with their steps, in English.
void WriteRecordText(std::ostream& out, const MouseSetting& setting, const MacroStore& store);

}  // namespace voltrane
