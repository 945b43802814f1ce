#include "device/factory_state.h"

#include <algorithm>

#include "device/reports.h"

namespace voltrane {

VirtualMouse::State FactoryState() {
    MouseSetting defaults;
    defaults.ResetToDefaults();
    const SettingsReport settings = BuildSettingsReport(defaults);
    const ButtonReportBuild buttons = BuildButtonReport(defaults);
    VirtualMouse::State state{};
    std::copy(settings.begin(), settings.end(), state.begin());
    std::copy(buttons.report.begin(), buttons.report.end(), state.begin() + kSettingsReportLength);
    return state;
}

}  // namespace voltrane
