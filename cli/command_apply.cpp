#include <string>

#include "cli/command_support.h"
#include "cli/commands.h"

namespace voltrane {

namespace {

// ": reason" when the device said why it refused a report; empty otherwise.
std::string because(const ApplyResult& result) {
    return result.transferFailure.empty() ? std::string() : ": " + result.transferFailure;
}

}  // namespace

int CommandApply(const CliOptions& options, CliEnvironment& env) {
    CliSession session(options, env);
    Controller& controller = session.controller();
    if (!LoadProfileFile(options.operands.at(0), env, controller)) return kExitUsage;
    if (const int code = AttachDevice(options, env, controller); code != kExitDone) return code;
    const DesktopAndMouseApply applied = controller.Apply();
    ReportHostSettings(options, env, controller, applied.host);
    const ApplyResult& result = applied.mouse;
    if (result.downloadCopyFailed) {
        env.err << "voltranectl: warning: cannot write " << controller.ProgramFile("download.bin").string()
                << "\n";
    }
    ReportRefusal(env, result.refusal);
    switch (result.outcome) {
        case ApplyOutcome::Done:
            return kExitDone;
        case ApplyOutcome::MouseNotFound:
            return Fail(env, "mouse not found", kExitMouseNotFound);
        case ApplyOutcome::MouseAccessDenied:
            return Fail(env, "access to the mouse refused", kExitAccessDenied);
        case ApplyOutcome::SettingsRefused:
            return Fail(env, "the mouse refused the settings report five times" + because(result),
                        kExitSettingsRefused);
        case ApplyOutcome::SettingsReadFailed:
            return Fail(env, "the settings report could not be read back", kExitSettingsReadFailed);
        case ApplyOutcome::ButtonCollectionMissing:
            return Fail(env, "settings written; the mouse's button collection was not found",
                        kExitButtonCollectionMissing);
        case ApplyOutcome::ButtonsDoNotFit:
            return Fail(env,
                        "button " + std::to_string(result.button) +
                            " does not fit into the button report; shorten the macros (nothing was sent)",
                        kExitDoesNotFit);
        case ApplyOutcome::ButtonsRefused:
            return Fail(
                env, "settings written; the mouse refused the button report five times" + because(result),
                kExitButtonsRefused);
    }
    return kExitDone;
}

}  // namespace voltrane
