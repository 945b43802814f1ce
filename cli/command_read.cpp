#include <vector>

#include "cli/command_support.h"
#include "cli/commands.h"
#include "device/read_sequence.h"
#include "settings/macro_files.h"

namespace voltrane {

namespace {

int readFailure(CliEnvironment& env, ReadOutcome outcome) {
    switch (outcome) {
        case ReadOutcome::MouseNotFound:
            return Fail(env, "mouse not found", kExitMouseNotFound);
        case ReadOutcome::MouseAccessDenied:
            return Fail(env, "access to the mouse refused", kExitAccessDenied);
        case ReadOutcome::SettingsReadFailed:
            return Fail(env, "the settings report could not be read", kExitSettingsReadFailed);
        case ReadOutcome::ButtonCollectionMissing:
            return Fail(env, "the mouse's button collection was not found", kExitButtonCollectionMissing);
        case ReadOutcome::ButtonsReadFailed:
            return Fail(env, "the mouse refused to send its button report", kExitButtonsRefused);
        case ReadOutcome::Done:
            break;
    }
    return kExitDone;
}

bool saveOutputs(const CliOptions& options, CliEnvironment& env, Controller& controller) {
    controller.m_strMacroFile = options.macrosOut.value_or("");
    if (options.macrosOut) {
        const WriteResult written =
            WriteMacroStore(controller.Store(), *options.macrosOut, NameFileFor(*options.macrosOut));
        if (!written) {
            Fail(env, "cannot write the macro files: " + written.error, kExitUsage);
            return false;
        }
    }
    if (options.profileOut) {
        const WriteResult written = controller.SaveProfile(*options.profileOut);
        if (!written) {
            Fail(env, options.profileOut->string() + ": cannot write the profile: " + written.error,
                 kExitUsage);
            return false;
        }
    }
    return true;
}

// The profile, the macro file and its name file must be three files.
bool outputsAreDistinct(const CliOptions& options, CliEnvironment& env) {
    std::vector<OutputFile> outputs;
    if (options.profileOut) outputs.push_back({"--profile", *options.profileOut});
    if (options.macrosOut) {
        outputs.push_back({"--macros", *options.macrosOut});
        outputs.push_back({"the name file of --macros", NameFileFor(*options.macrosOut)});
    }
    return OutputsAreDistinct(outputs, env);
}

}  // namespace

int CommandRead(const CliOptions& options, CliEnvironment& env) {
    CliSession session(options, env);
    Controller& controller = session.controller();
    if (!outputsAreDistinct(options, env)) return kExitUsage;
    if (const int code = AttachDevice(options, env, controller); code != kExitDone) return code;
    const ReadResult result = controller.Read();
    ReportHostSettings(options, env, controller, result.host);
    ReportRefusal(env, result.refusal);
    if (result.outcome != ReadOutcome::Done) return readFailure(env, result.outcome);
    if (!saveOutputs(options, env, controller)) return kExitUsage;
    PrintRecord(options, env, controller);
    return kExitDone;
}

}  // namespace voltrane
