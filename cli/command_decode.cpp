#include <algorithm>

#include "cli/command_support.h"
#include "cli/commands.h"
#include "device/factory_state.h"
#include "device/reports.h"
#include "settings/atomic_file.h"

namespace voltrane {

namespace {

// Fills `report` from `path`, which must hold exactly report.size() bytes. Without a path, or when
// no file is there, the report keeps the factory bytes it holds, as the virtual mouse does.
bool readReport(const std::optional<std::filesystem::path>& path, std::span<uint8_t> report,
                CliEnvironment& env) {
    std::error_code error;
    if (!path || std::filesystem::status(*path, error).type() == std::filesystem::file_type::not_found) {
        return true;
    }
    const std::optional<std::string> bytes = ReadFileLimited(*path, report.size());
    if (!bytes || bytes->size() != report.size()) {
        Fail(env, path->string() + ": not a report of " + std::to_string(report.size()) + " bytes",
             kExitUsage);
        return false;
    }
    std::copy(bytes->begin(), bytes->end(), report.begin());
    return true;
}

}  // namespace

int CommandDecode(const CliOptions& options, CliEnvironment& env) {
    const VirtualMouse::State factory = FactoryState();
    SettingsReport settings;
    ButtonReport buttons;
    std::copy_n(factory.begin(), settings.size(), settings.begin());
    std::copy_n(factory.begin() + settings.size(), buttons.size(), buttons.begin());
    if (!readReport(options.settingsFile, settings, env) ||
        !readReport(options.buttonsFile, buttons, env)) {
        return kExitUsage;
    }
    CliSession session(options, env);
    Controller& controller = session.controller();
    DecodeSettingsReport(settings, controller.Setting());
    DecodeButtonReport(buttons, controller.Setting(), controller.Store());
    PrintRecord(options, env, controller);
    return kExitDone;
}

}  // namespace voltrane
