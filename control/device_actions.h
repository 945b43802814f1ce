#pragma once
// The device actions as the user meets them: apply (the desktop's pointer settings, then the mouse)
// and read with their outcome shown in the skinned message box, and the silent apply with its codes.

#include <optional>
#include <string>

#include "control/user_interface.h"
#include "device/apply_sequence.h"
#include "device/read_sequence.h"
#include "host/host_pointer.h"

namespace voltrane {

// What an apply did: the desktop's pointer settings first, then the mouse.
struct [[nodiscard]] DesktopAndMouseApply {
    HostApplyReport host;  // what the desktop took of the host pointer settings
    ApplyResult mouse;     // how far the mouse's apply got
};

// Writes the host pointer settings of `setting` through `host`, then runs the mouse's apply
// sequence on `context` (RunApply); the mouse is written whatever the desktop took. Shows nothing.
DesktopAndMouseApply ApplyDesktopThenMouse(const MouseSetting& setting, HostPointer& host,
                                           DeviceContext& context);

// Shows the outcome of an apply in `language`: "download complete" when done, otherwise the failure
// (a node that refused access adds a line that names the udev rule; a refused report adds the
// device's reason when it gave one). A missing button collection shows nothing.
void ShowApplyOutcome(const ApplyResult& result, UserInterface& ui, int language);

// Runs the apply (ApplyDesktopThenMouse) and shows the mouse's outcome (ShowApplyOutcome).
void ApplyToDevice(const MouseSetting& setting, HostPointer& host, DeviceContext& context,
                   UserInterface& ui, int language);

// The silent apply's code for an outcome: 0 done (also when the button phase failed or the buttons
// do not fit), -1 settings report refused, -2 settings read-back failed, -3 mouse not found (or not
// opened).
int SilentApplyCode(ApplyOutcome outcome);

// The apply (ApplyDesktopThenMouse) without messages; returns SilentApplyCode of the mouse's outcome.
int ApplyToDeviceSilently(const MouseSetting& setting, HostPointer& host, DeviceContext& context);

// The read at start-up. Returns 1 when both reports were read and decoded; 0 after a failure,
// which is shown as "Please plug your mouse." in English (a node that refused access adds a line in
// `language` that names the udev rule). Each button the mouse holds a macro for keeps the decoded
// macro's records, as AssignMacro gives them, and its macro name from the profile when those records
// are the ones the profile holds for it. `macroNameText`, when given, receives the new text of
// the macro-name box.
int ReadFromDevice(MouseSetting& setting, MacroStore& store, DeviceContext& context, UserInterface& ui,
                   int language, std::optional<std::u16string>* macroNameText = nullptr);

// The read, with the decoded macros kept for their buttons; shows nothing.
ReadResult ReadKeepingMacros(MouseSetting& setting, MacroStore& store, DeviceContext& context);

}  // namespace voltrane
