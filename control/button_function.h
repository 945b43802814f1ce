#pragma once
// The commands of the button-function menu: what a chosen function does to a button.

#include "control/capture_dialogs.h"
#include "control/controller.h"

namespace voltrane {

// Gives button `button` (0..9) the function `code` chosen in the menu. Keyboard (7) runs the
// single-key dialog and, on OK, assigns the captured keys (MouseSetting::AssignKeyCombo). Macro (8)
// runs the choice dialog and, on OK, converts the chosen macro into the button's step records (none
// when the store is empty); a macro that does not fit the button is refused with the notice
// kNoticeMacroTooLong and the button keeps its function. Every other code 1..39 is set directly;
// the submenu headings 9..11 and codes outside 1..39 do nothing. Cancel changes nothing.
void AssignButtonFunction(Controller& controller, CaptureDialogs& dialogs, int button, int code);

}  // namespace voltrane
