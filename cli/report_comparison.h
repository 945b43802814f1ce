#pragma once
// What the mouse holds against what applying a profile would write: the settings report field by
// field, the button report button by button.

#include <string>
#include <vector>

#include "device/reports.h"

namespace voltrane {

// The two reports of one side of the comparison.
struct ReportPair {
    SettingsReport settings{};
    ButtonReport buttons{};
};

// One place where the mouse differs from the profile, described in English.
struct ReportDifference {
    std::string field;    // "dpi_level", "report_rate", "lighting_mode", "shine", "led_r", "led_y",
                          // "led_g", "button_2" ... "button_10", or "button_layout"
    std::string label;    // "DPI level", "Button 3", ...
    std::string mouse;    // what the mouse holds
    std::string profile;  // what the profile would write
};

// Every difference between `mouse` and `profile`, settings first, then buttons 2..10 by their record
// groups (the run of records carrying the button's number from its address entry on). When every
// group agrees but the button reports still differ, one "button_layout" difference names the first
// differing byte. Empty when the reports agree byte for byte.
std::vector<ReportDifference> CompareReports(const ReportPair& mouse, const ReportPair& profile);

}  // namespace voltrane
