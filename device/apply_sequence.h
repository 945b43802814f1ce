#pragma once
// Writing the configuration into the mouse: the settings report (sent with retries and read back),
// then the button report (copied to "download.bin" and sent with retries).

#include <filesystem>
#include <optional>
#include <string>

#include "device/hid_device.h"
#include "device/sleeper.h"
#include "settings/mouse_setting.h"

namespace voltrane {

// What the apply sequence needs from its surroundings.
struct DeviceContext {
    CHidDevice& hid;
    Sleeper& sleeper;
    std::filesystem::path programDir;  // where "download.bin" goes; empty: it is not written
};

// How far an apply got.
enum class [[nodiscard]] ApplyOutcome{
    Done,                     // both reports sent
    MouseNotFound,            // the 8-byte collection is not there
    MouseAccessDenied,        // the 8-byte collection is there, but this user may not open its node
    SettingsRefused,          // the settings report was refused five times
    SettingsReadFailed,       // the settings report could not be fetched back
    ButtonCollectionMissing,  // the settings were written; the 2049-byte collection is not there
    ButtonsDoNotFit,  // nothing was sent: the buttons' records would pass the end of the button report
    ButtonsRefused,   // the settings were written; the button report was refused five times
};

struct [[nodiscard]] ApplyResult {
    ApplyOutcome outcome = ApplyOutcome::Done;
    int button = 0;                        // ButtonsDoNotFit: the first button (2..10) that does not fit
    bool downloadCopyFailed = false;       // "download.bin" could not be written (the apply went on)
    std::optional<OpenRefusal> refusal{};  // MouseNotFound, MouseAccessDenied: a node that would not open
    std::string
        transferFailure{};  // SettingsRefused, ButtonsRefused: why, when the device says; else empty
};

// Runs the apply sequence and says how far it got; shows nothing. A configuration whose button
// records do not fit the button report is refused before the mouse is touched. The HID handle is closed on
// every exit; sleeps go through the context's sleeper (kDeviceWait after each refused transfer, and before
// the read-back). Without a program directory the copy "download.bin" is not written and counts as failed.
ApplyResult RunApply(const MouseSetting& setting, DeviceContext& context);

}  // namespace voltrane
