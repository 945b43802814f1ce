#pragma once
// Reading the configuration back from the mouse, once at start-up: items back to their defaults,
// then both reports fetched and decoded. The desktop's pointer settings are left alone.

#include <array>
#include <optional>
#include <string>

#include "device/apply_sequence.h"
#include "device/reports.h"
#include "settings/macro_store.h"

namespace voltrane {

enum class [[nodiscard]] ReadOutcome{
    Done,                     // both reports read and decoded; the 2049-byte collection is left open
    MouseNotFound,            // the 8-byte collection is not there
    MouseAccessDenied,        // the 8-byte collection is there, but this user may not open its node
    SettingsReadFailed,       // the settings report could not be fetched
    ButtonCollectionMissing,  // the settings were decoded; the 2049-byte collection is not there
    ButtonsReadFailed,        // the settings were decoded; the button report could not be fetched
};

struct [[nodiscard]] ReadResult {
    ReadOutcome outcome = ReadOutcome::Done;
    std::optional<std::u16string> macroNameText{};  // new text of the macro-name box, when macros were read
    std::array<int, kButtonCount> macroSlots{-1, -1, -1, -1, -1, -1,
                                             -1, -1, -1, -1};  // store slot of each button's macro, -1 none
    std::optional<OpenRefusal> refusal{};  // MouseNotFound, MouseAccessDenied: a node that would not open
};

// The two reports as the mouse holds them, fetched without decoding.
struct [[nodiscard]] FetchedReports {
    ReadOutcome outcome = ReadOutcome::Done;
    SettingsReport settings{kSettingsReportId};  // fetched unless the outcome is one of the first three
    ButtonReport buttons{kButtonReportId};       // fetched when the outcome is Done
    std::optional<OpenRefusal> refusal{};  // MouseNotFound, MouseAccessDenied: a node that would not open
};

// Fetches both reports, writing nothing to the mouse or the desktop, and says how far it got. On
// Done the 2049-byte collection is left open; on every other outcome nothing is open.
FetchedReports FetchReports(DeviceContext& context);

// Runs the read and says how far it got; shows nothing. Items are reset to their defaults whatever
// the mouse does; the desktop's pointer settings are left alone.
ReadResult RunRead(MouseSetting& setting, MacroStore& store, DeviceContext& context);

}  // namespace voltrane
