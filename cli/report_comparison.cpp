#include "cli/report_comparison.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <span>

#include "cli/record_output.h"
#include "settings/step_record_layout.h"

namespace voltrane {

namespace {

std::string rateText(uint8_t code) {
    static const char* const kRates[] = {"125 Hz", "250 Hz", "500 Hz", "1000 Hz"};
    return code < std::size(kRates) ? kRates[code] : "code " + std::to_string(code);
}

std::string lightingText(uint8_t mode) {
    return std::string(mode & 0x02 ? "colour shift" : "single colour") + ", breathing " +
           (mode & 0x01 ? "on" : "off");
}

std::string ledText(uint8_t value) {
    constexpr int kLevelStep = 3;
    if (value == 0) return "off";
    if (value % kLevelStep == 0 && value / kLevelStep <= 3)
        return "level " + std::to_string(value / kLevelStep);
    return "byte " + std::to_string(value);
}

// The settings report's fields after the report ID.
struct SettingsField {
    const char* field;
    const char* label;
    int offset;
    std::string (*describe)(uint8_t);
};
const SettingsField kSettingsFields[] = {
    {"dpi_level", "DPI level", 1, [](uint8_t v) { return std::to_string(v); }},
    {"report_rate", "Report rate", 2, rateText},
    {"lighting_mode", "Lighting", 3, lightingText},
    {"shine", "Shine", 4, [](uint8_t v) { return "code " + std::to_string(v); }},
    {"led_r", "LED R", 5, ledText},
    {"led_y", "LED Y", 6, ledText},
    {"led_g", "LED G", 7, ledText},
};

// The records of `button` (2..10): from its address entry on, every whole record that carries the
// button's number. Nothing when its entry says it has no records.
std::optional<std::span<const uint8_t>> recordGroup(const ButtonReport& report, int button) {
    const std::span<const uint8_t> data = std::span(report).subspan(1);
    const int entry = 2 * (button - 1);
    const int address = data[entry] | data[entry + 1] << 8;
    if (address == kNoRecords) return std::nullopt;
    int end = std::min(address, kButtonDataLength);
    while (end + kStepRecordBytes <= kButtonDataLength && (data[end] & kRecordButtonMask) == button) {
        end += kStepRecordBytes;
    }
    return data.subspan(std::min(address, end), end - std::min(address, end));
}

bool sameGroup(const std::optional<std::span<const uint8_t>>& a,
               const std::optional<std::span<const uint8_t>>& b) {
    if (a.has_value() != b.has_value()) return false;
    return !a || std::equal(a->begin(), a->end(), b->begin(), b->end());
}

// A button report decoded, for describing its buttons.
struct DecodedButtons {
    explicit DecodedButtons(const ButtonReport& report) { DecodeButtonReport(report, setting, *store); }
    MouseSetting setting;
    std::unique_ptr<MacroStore> store = std::make_unique<MacroStore>();
};

std::string groupText(const DecodedButtons& decoded, int button,
                      const std::optional<std::span<const uint8_t>>& group) {
    std::string text = ButtonFunctionText(decoded.setting, button - 1);
    if (decoded.setting.m_nItem[button - 1] == kFunctionMacro && group) {
        text += " (" + std::to_string(group->size() / kStepRecordBytes) + " records)";
    }
    return text;
}

void compareButton(int button, const ReportPair& mouse, const ReportPair& profile,
                   const DecodedButtons& mouseDecoded, const DecodedButtons& profileDecoded,
                   std::vector<ReportDifference>& differences) {
    const auto mouseGroup = recordGroup(mouse.buttons, button);
    const auto profileGroup = recordGroup(profile.buttons, button);
    if (sameGroup(mouseGroup, profileGroup)) return;
    ReportDifference difference{"button_" + std::to_string(button), "Button " + std::to_string(button),
                                groupText(mouseDecoded, button, mouseGroup),
                                groupText(profileDecoded, button, profileGroup)};
    if (difference.mouse == difference.profile) {
        difference.mouse += ", other records";
    }
    differences.push_back(difference);
}

}  // namespace

std::vector<ReportDifference> CompareReports(const ReportPair& mouse, const ReportPair& profile) {
    std::vector<ReportDifference> differences;
    for (const SettingsField& f : kSettingsFields) {
        const uint8_t held = mouse.settings[f.offset];
        const uint8_t wanted = profile.settings[f.offset];
        if (held != wanted) differences.push_back({f.field, f.label, f.describe(held), f.describe(wanted)});
    }
    const DecodedButtons mouseDecoded(mouse.buttons);
    const DecodedButtons profileDecoded(profile.buttons);
    const size_t settingsDifferences = differences.size();
    for (int button = 2; button <= kButtonCount; ++button) {
        compareButton(button, mouse, profile, mouseDecoded, profileDecoded, differences);
    }
    const auto [held, wanted] =
        std::mismatch(mouse.buttons.begin(), mouse.buttons.end(), profile.buttons.begin());
    if (differences.size() == settingsDifferences && held != mouse.buttons.end()) {
        const std::string offset = "byte " + std::to_string(held - mouse.buttons.begin());
        differences.push_back({"button_layout", "Button report", offset + ": " + std::to_string(*held),
                               offset + ": " + std::to_string(*wanted)});
    }
    return differences;
}

}  // namespace voltrane
