#include "cli/command_support.h"
#include "cli/commands.h"
#include "device/reports.h"

namespace voltrane {

int CommandEncode(const CliOptions& options, CliEnvironment& env) {
    CliRecord record;
    if (!LoadProfileFile(options.operands.at(0), options, env, record)) return kExitUsage;
    const ButtonReportBuild buttons = BuildButtonReport(record.setting);
    if (buttons.overflowButton != 0) {
        return Fail(env,
                    "button " + std::to_string(buttons.overflowButton) +
                        " does not fit into the button report; shorten the macros",
                    kExitDoesNotFit);
    }
    const SettingsReport settings = BuildSettingsReport(record.setting);
    if (!WriteOutputFile(*options.settingsFile, settings, env)) return kExitUsage;
    if (!WriteOutputFile(*options.buttonsFile, buttons.report, env)) return kExitUsage;
    return kExitDone;
}

}  // namespace voltrane
