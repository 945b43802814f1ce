#pragma once
// The profile actions that go through a file dialog or the save-as menu: "Load setting", "Setting
// Save As" and "Save Setting1" .. "Save Setting5". Their dialogs show INI files.

#include <vector>

#include "control/controller.h"

namespace voltrane {

inline constexpr FileFilter kProfileFilter{u"ini", u"*.ini", u"INI File (*.ini)", u"*.ini"};

// "Load setting": asks for a file and loads it into the record. A file that cannot be read, or is
// not a profile, leaves the record as it was and is told with message row 2 ("Error") under the title
// row 3 ("Fail"). Returns whether a profile was loaded; false also when the user cancelled.
bool LoadChosenProfile(Controller& controller, int page);

// Save-as command `command`: 0 "Setting Save As" (no profile tab lit, then the record is saved to a
// file chosen in a save dialog), 1..5 "Save Setting<command>" (that profile's tab lit, then the
// record saved as that profile). A file that cannot be written is left as it was and the failure is
// told with message row 7 ("The file save failed") titled with row 2 ("Error"). Returns the items
// whose value changed (the profile label and tabs, 114..119); none for a command outside 0..5.
std::vector<int> SaveSettingAs(Controller& controller, int command);

// Saves the record as numbered profile `number` (1..5). A failure is told as SaveSettingAs tells it
// and returned with its reason.
WriteResult SaveNumberedProfile(Controller& controller, int number);

// Loads numbered profile `number` (1..5); without its file the record gets the built-in defaults. A
// file that cannot be read, or is not a profile, leaves the record as it was and is told as
// LoadChosenProfile tells it.
ProfileLoad LoadNumberedProfile(Controller& controller, int number, int page);

// Whether a load left the record holding the profile asked for (its file, or the defaults without one).
inline bool ProfileTaken(ProfileLoad load) {
    return load == ProfileLoad::Loaded || load == ProfileLoad::Missing;
}

}  // namespace voltrane
