#pragma once
// The mouse's 10-byte step records: how a macro travels in the button report, and how a group of
// records read back from the mouse becomes a macro again.

#include <cstdint>
#include <span>
#include <string>

#include "settings/button_records.h"
#include "settings/macro_record.h"
#include "settings/mouse_setting.h"
#include "settings/step_record_layout.h"

namespace voltrane {

// A macro converted into step records (button bits 0), as stored in a button's macro row.
struct MacroSteps {
    uint8_t bytes[kMacroRowBytes] = {};
    int length = 0;   // bytes in use, a multiple of 10; 0 when the macro does not fit
    int records = 0;  // records the macro needs, also when it does not fit
    bool Fits() const { return records <= kMaxButtonRecords; }
};

// Converts a macro into step records. A Delay sets the delay bytes of the record before it (a later
// Delay overwrites an earlier one); a Delay before any record is dropped. Kinds without a record form
// write nothing. A macro that needs more than 25 records does not fit: then no bytes are produced.
MacroSteps EncodeMacroSteps(const MacroRecord& macro);

// Gives button `button` (0..9) the function Macro with the converted macro and its name. A macro
// that does not fit the button's 255-byte row is refused as a whole: the setting is left unchanged
// and false is returned (the notice kNoticeMacroTooLong tells the user). A null macro assigns an
// empty macro.
bool AssignMacro(MouseSetting& setting, int button, const MacroRecord* macro, std::u16string_view name);

// Builds the key-index string of a keyboard record into `chord` (all 10 bytes written): one row per
// set modifier bit in bit order, then for each usage up to the first zero the first key-table row
// with that usage ("Unknown" when no key has it); at most 10 rows, the rest 0.
void DecodeChord(std::span<const uint8_t, kStepRecordBytes> record,
                 std::span<uint8_t, kKeyStringLength> chord);

// Decodes a group of `length` bytes of step records (only whole records inside `group` are read)
// into `target`, which is cleared first. Press, release, DPI and keyboard records become steps,
// a nonzero delay on a press, release or keyboard record adds a Delay step, and a keyboard record
// with nothing pressed becomes a KeyUp of the last chord pressed. Other kinds give no step. Steps
// past the record's 256 slots are dropped, and the budget saturates at 255.
void DecodeMacroGroup(std::span<const uint8_t> group, int length, MacroRecord& target);

}  // namespace voltrane
