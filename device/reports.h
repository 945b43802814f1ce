#pragma once
// The two feature reports that carry the configuration to and from the mouse: the 8-byte settings
// report (DPI level, report rate, lighting) and the 2049-byte button report (an address table, then
// the step records of buttons 2 to 10). Pure functions over bytes; byte 0 is the report ID.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "device/mouse_model.h"
#include "settings/macro_store.h"
#include "settings/mouse_setting.h"

namespace voltrane {

using SettingsReport = std::array<uint8_t, kSettingsReportLength>;
using ButtonReport = std::array<uint8_t, kButtonReportLength>;

// Button report layout, in data offsets (buffer offset - 1).
inline constexpr int kAddressEntries = kButtonCount;  // entry b-1 belongs to button b
inline constexpr int kFirstRecordOffset = 48;
inline constexpr int kButtonDataLength = kButtonReportLength - 1;  // records end before this
inline constexpr uint16_t kNoRecords = 0xFFFF;  // address entry of a button without records

// The shine code sent for each HShine step (item 36); only the low byte travels.
inline constexpr std::array<uint16_t, 8> g_HShineCodes = {4, 8, 11, 15, 15, 15, 15, 15};

// The payload of each function code's record, indexed by code (0..39): the modifier or media byte
// first. Only the leading bytes are kept; the rest of every row is zero. Rows 24-26 hold the DPI
// step first; they take part only in reading keyboard records back.
inline constexpr int kFunctionCodes = kFunctionLast + 1;
inline constexpr int kFunctionRowBytes = 3;
using FunctionReportRow = std::array<uint8_t, kFunctionRowBytes>;
// clang-format off
inline constexpr std::array<FunctionReportRow, kFunctionCodes> g_FunctionReportTable = {{
    {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {},  // 0-12: no fixed payload
    {0x01, 0x06}, {0x01, 0x19}, {0x01, 0x1B}, {0x01, 0x04},  // 13 Copy, Paste, Cut, SelectAll
    {0x01, 0x09}, {0x01, 0x11}, {0x01, 0x13}, {0x01, 0x16},  // 17 Search, New, Print, Save
    {0x01, 0x1D}, {0x00, 0x00, 0x02}, {0x08},                 // 21 Undo, IE Key, Start
    {0x01, 0x01}, {0x02, 0x01}, {0x00, 0x01},                 // 24 DPI+, DPI-, Switch DPI
    {0x04, 0x2B}, {0x04, 0x3D}, {0x08, 0x08}, {0x08, 0x15},  // 27 Alt+Tab, Close, Control Panel, CMD
    {0x08, 0x07}, {0x08, 0x0F},                               // 31 Desktop, LockComputer
    {0x08}, {0x04}, {0x01}, {0x02}, {0x40}, {0x80}, {0x10},   // 33 Play/Pause ... Mute
}};
// clang-format on

// Builds the settings report from items 15, 16, 20-23, 25, 29, 33, 36-39 and 55. Out-of-range item
// values are sent safely: an HShine step or an LED level takes the nearest valid one.
SettingsReport BuildSettingsReport(const MouseSetting& setting);

// The button report, or the button that made it overflow.
struct ButtonReportBuild {
    ButtonReport report{};
    int overflowButton = 0;  // 0: the report is complete; else the button (2..10) whose records would
                             // pass data offset 2047; the report is then incomplete and must not be sent
};

// Builds the button report from items 1-9, m_KeyData, m_MacroData and m_nMacroDataLen. A code outside
// 1..39 is sent as Disable; a macro sends only the whole records inside its 255-byte row within
// m_nMacroDataLen (clamped to 0..255). Stops at the first button whose group does not fit.
ButtonReportBuild BuildButtonReport(const MouseSetting& setting);

// Sets items 14-16, 20-25, 28, 29, 32, 33, 36-39 and 55 from a settings report; other items are left
// as they are. A report-rate value other than 0..3 leaves items 20-23 unchanged.
void DecodeSettingsReport(std::span<const uint8_t, kSettingsReportLength> report, MouseSetting& setting);

// Decodes a button report read from the mouse: sets items 0-9, the key data of buttons decoded as
// Keyboard or a shortcut, and puts each macro found into the store from slot 0 on (named "Macro_%d"
// with slot + 1; list state and m_nMacroCount reset first, then count the non-empty macros).
// m_MacroData and m_nMacroDataLen are not touched. Any content stays inside the report, the key
// rows and the store's slots. Returns "<New Macro>" for the macro-name box when a macro was
// decoded, else nothing. When `macroSlots` is given, entry b gets the store slot of button b's
// macro, or -1 when the button holds no (non-empty) macro.
std::optional<std::u16string> DecodeButtonReport(std::span<const uint8_t, kButtonReportLength> report,
                                                 MouseSetting& setting, MacroStore& store,
                                                 std::array<int, kButtonCount>* macroSlots = nullptr);

}  // namespace voltrane
