#pragma once
// Writing the configuration into the mouse: host pointer settings first, then the settings report
// (sent with retries and read back), then the button report (copied to "download.bin" and sent with
// retries).

#include <filesystem>

#include "device/device_messages.h"
#include "device/hid_device.h"
#include "device/host_pointer.h"
#include "device/sleeper.h"
#include "settings/mouse_setting.h"

namespace voltrane {

// What the apply sequence needs from its surroundings.
struct DeviceContext {
    CHidDevice& hid;
    HostPointer& host;
    Sleeper& sleeper;
    std::filesystem::path programDir;  // where "download.bin" goes
};

// How far an apply got.
enum class ApplyOutcome {
    Done,                   // both reports sent
    MouseNotFound,          // the 8-byte collection is not there
    SettingsRefused,        // the settings report was refused five times
    SettingsReadFailed,     // the settings report could not be fetched back
    ButtonCollectionMissing,  // the settings were written; the 2049-byte collection is not there
    ButtonsDoNotFit,        // the settings were written; a macro would pass the end of the button report
    ButtonsRefused,         // the settings were written; the button report was refused five times
};

struct ApplyResult {
    ApplyOutcome outcome = ApplyOutcome::Done;
    int button = 0;  // ButtonsDoNotFit: the button (2..10) whose macro does not fit
};

// Runs the apply sequence and says how far it got; shows nothing. The HID handle is closed on
// every exit; sleeps go through the context's sleeper (300 ms after each refused transfer, and
// before the read-back).
ApplyResult RunApply(const MouseSetting& setting, DeviceContext& context);

// The apply with its outcome shown to the user in `language`.
void ApplyToDevice(const MouseSetting& setting, DeviceContext& context, DeviceMessages& messages,
                   int language);

// The apply without messages: 0 done (also when the button phase failed), -1 settings report
// refused, -2 settings read-back failed, -3 mouse not found.
int ApplyToDeviceSilently(const MouseSetting& setting, DeviceContext& context);

}  // namespace voltrane
