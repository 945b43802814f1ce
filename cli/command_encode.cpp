#include "cli/command_support.h"
#include "cli/commands.h"
#include "device/reports.h"

namespace voltrane {

int CommandEncode(const CliOptions& options, CliEnvironment& env) {
    CliSession session(options, env);
    Controller& controller = session.controller();
    const OutputFile outputs[] = {{"--settings", *options.settingsFile},
                                  {"--buttons", *options.buttonsFile}};
    if (!OutputsAreDistinct(outputs, env)) return kExitUsage;
    if (!LoadProfileFile(options.operands.at(0), env, controller)) return kExitUsage;
    const ButtonReportBuild buttons = BuildButtonReport(controller.Setting());
    if (buttons.overflowButton != 0) {
        return Fail(env,
                    "button " + std::to_string(buttons.overflowButton) +
                        " does not fit into the button report; shorten the macros",
                    kExitDoesNotFit);
    }
    const SettingsReport settings = BuildSettingsReport(controller.Setting());
    if (!WriteOutputFile(*options.settingsFile, settings, env)) return kExitUsage;
    if (!WriteOutputFile(*options.buttonsFile, buttons.report, env)) return kExitUsage;
    return kExitDone;
}

}  // namespace voltrane
