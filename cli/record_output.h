#pragma once
// Printing a configuration record: one JSON object for scripts, or readable text.

#include <ostream>
#include <string>

#include "settings/macro_store.h"
#include "settings/mouse_setting.h"

namespace voltrane {

// The function of button index `button` (0..9) in English, with its keys for Keyboard, e.g.
// "Keyboard LCtrl+Q"; "code N" for a code outside 1..39.
std::string ButtonFunctionText(const MouseSetting& setting, int button);

// {"items": [...131], "key_data": [[...10] x10], "macro_data_len": [...10], "button_macro": [...10],
//  "macros": [{"name", "count", "length", "steps": [[...11] per step]}] for the store's macros}
void WriteRecordJson(std::ostream& out, const MouseSetting& setting, const MacroStore& store);

// DPI, report rate, lighting, each button's function and the macros with their steps, in English.
void WriteRecordText(std::ostream& out, const MouseSetting& setting, const MacroStore& store);

}  // namespace voltrane
