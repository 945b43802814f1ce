#include "cli/command_support.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli/record_output.h"
#include "device/mouse_choice.h"
#include "host/host_pointer_memory.h"
#include "settings/atomic_file.h"
#include "settings/same_file.h"

namespace voltrane {

CliSession::CliSession(const CliOptions& options, CliEnvironment& env)
    : m_ui(env.err), m_controller(options.dir.value_or(env.programDir), m_ui) {
    m_controller.SetLanguage(options.language);
}

namespace {

// Several identical mice and no choice: the command would otherwise work on whichever came first.
int RefuseSeveralMice(CliEnvironment& env, HidTransport& transport) {
    const std::vector<HidNode> nodes = transport.Enumerate();
    const std::vector<MouseUnit> mice = ListMice(nodes);
    if (mice.size() < 2) return kExitDone;
    env.err << "voltranectl: " << mice.size()
            << " mice are plugged in; choose one with --device hid:SERIAL or --device NODE:\n"
            << MiceText(mice);
    return kExitMouseAmbiguous;
}

}  // namespace

int AttachDevice(const CliOptions& options, CliEnvironment& env, Controller& controller) {
    const char* selector = options.device ? options.device->c_str() : env.deviceVariable;
    const DeviceSelection selection = ParseDeviceSelector(selector, env.programDir);
    if (StateFolderMissing(selection)) {
        return Fail(env,
                    selection.statePath.string() +
                        ": the virtual mouse's state file cannot be written: its folder does not exist",
                    kExitUsage);
    }
    std::unique_ptr<HidTransport> transport = env.makeTransport(selection);
    if (!transport) return Fail(env, "cannot reach the HID devices of this system", kExitMouseNotFound);
    if (selection.mouseChoice.empty() && options.command != "devices") {
        if (const int code = RefuseSeveralMice(env, *transport); code != kExitDone) return code;
    }
    std::unique_ptr<HostPointer> host;
    if (options.desktopHost) host = env.makeDesktopHost();
    if (!host) host = std::make_unique<NullHostPointer>();
    controller.AttachDevice(std::make_unique<DeviceSession>(std::move(transport), std::move(host),
                                                            env.sleeper, controller.ProgramDir(),
                                                            selection.mouseChoice));
    return kExitDone;
}

int ReadFailure(CliEnvironment& env, ReadOutcome outcome) {
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

bool LoadProfileFile(const std::filesystem::path& path, CliEnvironment& env, Controller& controller) {
    switch (controller.LoadProfile(path, 0)) {
        case ProfileLoad::Loaded:
            return true;
        case ProfileLoad::Missing:
            Fail(env, path.string() + ": no such profile", kExitUsage);
            return false;
        case ProfileLoad::Unreadable:
            Fail(env, path.string() + ": cannot read the profile (unreadable or too large)", kExitUsage);
            return false;
        case ProfileLoad::NotAProfile:
            Fail(env,
                 path.string() + ": not a profile (no key of the chosen language in section \"Setting\")",
                 kExitUsage);
            return false;
    }
    return false;
}

std::optional<ReportPair> ProfileReports(const Controller& controller, CliEnvironment& env) {
    const ButtonReportBuild buttons = BuildButtonReport(controller.Setting());
    if (buttons.overflowButton != 0) {
        Fail(env,
             "button " + std::to_string(buttons.overflowButton) +
                 " does not fit into the button report; shorten the macros",
             kExitDoesNotFit);
        return std::nullopt;
    }
    return ReportPair{BuildSettingsReport(controller.Setting()), buttons.report};
}

bool OutputsAreDistinct(std::span<const OutputFile> outputs, CliEnvironment& env) {
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        for (std::size_t j = i + 1; j < outputs.size(); ++j) {
            if (!IsSameFile(outputs[i].path, outputs[j].path)) continue;
            Fail(env,
                 outputs[i].what + " and " + outputs[j].what + " are the same file (" +
                     outputs[j].path.string() + "); give each its own",
                 kExitUsage);
            return false;
        }
    }
    return true;
}

bool WriteOutputFile(const std::filesystem::path& path, std::span<const uint8_t> bytes,
                     CliEnvironment& env) {
    const std::string_view view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const WriteResult written = WriteFileAtomically(path, view);
    if (!written) Fail(env, path.string() + ": cannot write the file: " + written.error, kExitUsage);
    return static_cast<bool>(written);
}

void PrintRecord(const CliOptions& options, CliEnvironment& env, const Controller& controller) {
    if (options.json) {
        WriteRecordJson(env.out, controller.Setting(), controller.Store());
    } else {
        WriteRecordText(env.out, controller.Setting(), controller.Store());
    }
}

std::string CollectionLine(const HidCollectionInfo& c) {
    char line[96];
    std::snprintf(line, sizeof line, "usage_page=0x%04X usage=0x%04X input=%d output=%d feature=%d",
                  c.usagePage, c.usage, c.inputReportLength, c.outputReportLength, c.featureReportLength);
    return line;
}

void ReportRefusal(CliEnvironment& env, const std::optional<OpenRefusal>& refusal) {
    if (!refusal) return;
    if (refusal->result.status == OpenResult::Status::AccessDenied) {
        env.err << "voltranectl: the mouse is at " << refusal->path << ", but this user may not open it ("
                << refusal->result.reason << ").\n"
                << "voltranectl: install the udev rule: sudo cp build/res/70-voltrane.rules "
                   "/etc/udev/rules.d/ && "
                   "sudo udevadm control --reload && sudo udevadm trigger, then replug the mouse\n";
        return;
    }
    env.err << "voltranectl: " << refusal->path << " could not be opened: " << refusal->result.reason
            << "\n";
}

namespace {

std::string joined(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts) text += (text.empty() ? "" : "; ") + part;
    return text;
}

}  // namespace

void ReportHostSettings(const CliOptions& options, CliEnvironment& env, Controller& controller,
                        const HostApplyReport& report) {
    if (!options.desktopHost || controller.Device() == nullptr) return;
    env.err << "voltranectl: host settings: " << controller.Device()->Host().Name() << "\n";
    if (report.Ok()) return;
    if (report.written.empty()) {
        env.err << "voltranectl: warning: host settings not written: " << joined(report.failed) << "\n";
        return;
    }
    env.err << "voltranectl: warning: host settings partly written; not written: " << joined(report.failed)
            << "; written: " << joined(report.written) << "\n";
}

int Fail(CliEnvironment& env, const std::string& message, int code) {
    env.err << "voltranectl: " << message << "\n";
    return code;
}

}  // namespace voltrane
