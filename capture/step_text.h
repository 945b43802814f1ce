#pragma once
// The texts of the step lists of the macro editor and the macro choice dialog: one row per step,
// the row of the keys being held, the budget and the delay value. Words come from the text tables
// in the language the caller names (0..5; others read as English); keys have the names of `keys`.

#include <cstdint>
#include <string>

#include "capture/key_chord.h"
#include "settings/macro_record.h"

namespace voltrane {

// The row of step `index` (0-based; the row shows index + 1), fields separated by tabs:
//   mouse button press / release   "n:\t<Key Down>\t<Left>", "n:\t<Key Up>\t<Left>" (lowest button bit)
//   wheel step                     "n:\t<Mouse>\t<Scroll up>", "n:\t<Mouse>\t<Scroll down>"
//   pause                          "n:\t<Delay>\t<100 ms>"
//   key chord press / release      "n:\t<Key Down>\t<LCtrl+A>", "n:\t<Key Up>\t<LCtrl+A>"
//   key stroke read from the mouse "n:\t<Keyboard>\t<LCtrl+A>" (its modifiers, then its key)
//   DPI step read from the mouse   "n:\t<Mouse>\t<DPI+>", "<DPI->", "<Switch DPI>"
// A mouse step with neither a button bit nor a known wheel value shows "<Mouse 00 03>" (its data
// bytes in hex); a step of any other kind, or a DPI step with an unknown action, "n:\t<Unknown K>\t<..>".
std::u16string StepRowText(const MacroEvent& step, int index, int language, const KeyNames& keys);

// The row drawn under the steps while keys are held: "<Hold down the button>\tLCtrl+A".
std::u16string HeldChordText(const KeyChord& chord, int language, const KeyNames& keys);

// The budget in use out of the budget shown to the user: "12/254".
std::u16string BudgetText(const MacroRecord& record);

// A delay value: "10 ms".
std::u16string DelayText(uint16_t milliseconds);

}  // namespace voltrane
