#pragma once
// The edit operations of a macro record: what the macro editor does to the steps and the budget.

#include <cstdint>

#include "settings/key_table.h"
#include "settings/macro_record.h"

namespace voltrane {

// The wheel byte of a MouseDown wheel step: one notch up, one notch down.
inline constexpr uint8_t kWheelUp = 1;
inline constexpr uint8_t kWheelDown = 255;

// What a new step carries: a button mask, a wheel value, a pause or a key-index string.
struct StepData {
    uint8_t buttons = 0;                  // MouseDown / MouseUp
    uint8_t wheel = 0;                    // MouseDown only: 1 up, 255 down
    uint16_t milliseconds = 0;            // Delay
    uint8_t keys[kKeyStringLength] = {};  // KeyDown / KeyUp
};

// The budget a step of `kind` gives back when deleted (0 for kinds that cost nothing).
int StepCost(uint8_t kind);

// The steps in use: count, kept within 0..256 even when a damaged file says otherwise. Every loop
// over a record's steps stops here.
int StepCount(const MacroRecord& record);

// Whether the budget has no room for 5 more, so that AppendStep refuses every step (length >= 249).
bool BudgetExhausted(const MacroRecord& record);

// Appends a step of `kind`. Returns the new step's index, or -1 when refused: the budget has no
// room for 5 more (length >= 249) whatever the step's own cost, or the kind is not one the editor
// appends (MouseDown, MouseUp, Delay, KeyDown, KeyUp, DpiStep).
int AppendStep(MacroRecord& record, uint8_t kind, const StepData& data);

// Inserts a pause before step `index`, or lengthens it when that step is already a Delay (the sum
// stops at 65535 ms). An index past the end inserts at the end. Does nothing when the budget has no
// room for 3 more or the record is full.
void InsertDelay(MacroRecord& record, int index, uint16_t milliseconds);

// Removes step `index` (when below count), gives back its cost and moves later steps forward.
void DeleteStep(MacroRecord& record, int index);

// Zero steps, zero budget, all slots cleared.
void ClearRecord(MacroRecord& record);

}  // namespace voltrane
