#pragma once
// Reading the configuration back from the mouse, once at start-up: items back to their defaults,
// the default host pointer settings applied, then both reports fetched and decoded.

#include <array>
#include <optional>
#include <string>

#include "device/apply_sequence.h"
#include "settings/macro_store.h"

namespace voltrane {

enum class ReadOutcome {
    Done,                     // both reports read and decoded; the 2049-byte collection is left open
    MouseNotFound,            // the 8-byte collection is not there
    MouseAccessDenied,        // the 8-byte collection is there, but this user may not open its node
    SettingsReadFailed,       // the settings report could not be fetched
    ButtonCollectionMissing,  // the settings were decoded; the 2049-byte collection is not there
    ButtonsReadFailed,        // the settings were decoded; the button report could not be fetched
};

struct ReadResult {
    ReadOutcome outcome = ReadOutcome::Done;
    std::optional<std::u16string> macroNameText{};  // new text of the macro-name box, when macros were read
    std::array<int, kButtonCount> macroSlots{-1, -1, -1, -1, -1, -1,
                                             -1, -1, -1, -1};  // store slot of each button's macro, -1 none
    std::optional<OpenRefusal> refusal{};  // MouseNotFound, MouseAccessDenied: a node that would not open
    HostApplyReport host{};                // what the desktop took of the default host pointer settings
};

// Runs the read and says how far it got; shows nothing. Items are reset to their defaults and the
// default host pointer settings applied whatever the mouse does.
ReadResult RunRead(MouseSetting& setting, MacroStore& store, DeviceContext& context);

}  // namespace voltrane
