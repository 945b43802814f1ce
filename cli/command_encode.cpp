#include "cli/command_support.h"
#include "cli/commands.h"

namespace voltrane {

int CommandEncode(const CliOptions& options, CliEnvironment& env) {
    CliSession session(options, env);
    Controller& controller = session.controller();
    const OutputFile outputs[] = {{"--settings", *options.settingsFile},
                                  {"--buttons", *options.buttonsFile}};
    if (!OutputsAreDistinct(outputs, env)) return kExitUsage;
    if (!LoadProfileFile(options.operands.at(0), env, controller)) return kExitUsage;
    const std::optional<ReportPair> reports = ProfileReports(controller, env);
    if (!reports) return kExitDoesNotFit;
    if (!WriteOutputFile(*options.settingsFile, reports->settings, env)) return kExitUsage;
    if (!WriteOutputFile(*options.buttonsFile, reports->buttons, env)) return kExitUsage;
    return kExitDone;
}

}  // namespace voltrane
