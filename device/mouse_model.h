#pragma once
// The mouse this program configures, written once: how it identifies itself on USB, its two vendor
// collections and the feature report each carries. The transport, the report codec, the hot-plug
// filter, the firmware model, the uhid mouse and the udev rule (generated from this file by CMake)
// all take these values from here. A second model would get a file like this one beside it.

#include <cstdint>

namespace voltrane {

// The mouse as it identifies itself. CMake reads the two ids from these lines for the udev rule.
inline constexpr uint16_t kMouseBusType = 0x0003;  // USB
inline constexpr uint16_t kMouseVendorId = 0x1B80;
inline constexpr uint16_t kMouseProductId = 0xB412;
inline constexpr uint16_t kMouseUsagePage = 0xFF00;  // both vendor collections

// The settings collection carries the settings report, the button collection the button report.
// Lengths count the report-ID byte; they also tell the two collections apart.
inline constexpr uint8_t kSettingsReportId = 3;
inline constexpr int kSettingsReportLength = 8;
inline constexpr uint8_t kButtonReportId = 4;
inline constexpr int kButtonReportLength = 2049;
inline constexpr int kSettingsCollectionLength = kSettingsReportLength;
inline constexpr int kButtonCollectionLength = kButtonReportLength;

// The length, report ID included, of the mouse's feature report with this ID; 0 for an ID it lacks.
constexpr int FeatureReportLength(uint8_t reportId) {
    if (reportId == kSettingsReportId) return kSettingsReportLength;
    if (reportId == kButtonReportId) return kButtonReportLength;
    return 0;
}

}  // namespace voltrane
