#include "cli/command_support.h"
#include "cli/commands.h"
#include "device/read_sequence.h"
#include "device/step_records.h"
#include "settings/macro_files.h"
#include "settings/profile.h"

namespace voltrane {

namespace {

int readFailure(CliEnvironment& env, ReadOutcome outcome) {
    switch (outcome) {
        case ReadOutcome::MouseNotFound:
            return Fail(env, "mouse not found", kExitMouseNotFound);
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

// The mouse's macros, as the read decoded them, become the macros of their buttons, so that the
// saved profile applied again gives the mouse back the same macros.
void keepDecodedMacros(const ReadResult& result, CliRecord& record) {
    for (int b = 0; b < kButtonCount; ++b) {
        const int slot = result.macroSlots[b];
        if (slot < 0) continue;
        AssignMacro(record.setting, b, &record.store->m_Macro[slot], record.store->m_strMacroNames[slot]);
    }
}

bool saveOutputs(const CliOptions& options, CliEnvironment& env, const CliRecord& record) {
    const std::filesystem::path macros = options.macrosOut.value_or("");
    if (options.macrosOut && !WriteMacroStore(*record.store, macros, NameFileFor(macros))) {
        Fail(env, macros.string() + ": cannot write the macro file", kExitUsage);
        return false;
    }
    if (options.profileOut && !SaveProfile(record.setting, *options.profileOut, macros, options.language)) {
        Fail(env, options.profileOut->string() + ": cannot write the profile", kExitUsage);
        return false;
    }
    return true;
}

}  // namespace

int CommandRead(const CliOptions& options, CliEnvironment& env) {
    std::unique_ptr<CliDevice> device = CliDevice::Open(options, env);
    if (!device) return kExitMouseNotFound;
    CliRecord record;
    const ReadResult result = RunRead(record.setting, *record.store, device->Context());
    if (result.outcome != ReadOutcome::Done) return readFailure(env, result.outcome);
    keepDecodedMacros(result, record);
    if (!saveOutputs(options, env, record)) return kExitUsage;
    PrintRecord(options, env, record);
    return kExitDone;
}

}  // namespace voltrane
