#include "cli/command_support.h"

#include <cstdio>
#include <string_view>

#include "cli/record_output.h"
#include "device/host_pointer_memory.h"
#include "settings/atomic_file.h"
#include "settings/profile.h"

namespace voltrane {

std::unique_ptr<CliDevice> CliDevice::Open(const CliOptions& options, CliEnvironment& env) {
    const char* selector = options.device ? options.device->c_str() : env.deviceVariable;
    std::unique_ptr<HidTransport> transport =
        env.makeTransport(ParseDeviceSelector(selector, env.programDir));
    if (!transport) {
        Fail(env, "cannot reach the HID devices of this system", kExitMouseNotFound);
        return nullptr;
    }
    std::unique_ptr<HostPointer> host;
    if (options.desktopHost) host = env.makeDesktopHost();
    if (!host) host = std::make_unique<NullHostPointer>();
    return std::unique_ptr<CliDevice>(
        new CliDevice(std::move(transport), std::move(host), env.sleeper, options.dir));
}

CliDevice::CliDevice(std::unique_ptr<HidTransport> transport, std::unique_ptr<HostPointer> host,
                     Sleeper& sleeper, const std::filesystem::path& dir)
    : m_transport(std::move(transport)),
      m_host(std::move(host)),
      m_hid(*m_transport),
      m_context{m_hid, *m_host, sleeper, dir} {}

bool LoadProfileFile(const std::filesystem::path& path, const CliOptions& options, CliEnvironment& env,
                     CliRecord& record) {
    switch (LoadProfile(record.setting, path, options.language, 0)) {
        case ProfileLoad::Loaded:
            return true;
        case ProfileLoad::Missing:
            Fail(env, path.string() + ": no such profile", kExitUsage);
            return false;
        case ProfileLoad::Unreadable:
            Fail(env, path.string() + ": cannot read the profile (unreadable or too large)", kExitUsage);
            return false;
    }
    return false;
}

bool WriteOutputFile(const std::filesystem::path& path, std::span<const uint8_t> bytes,
                     CliEnvironment& env) {
    const std::string_view view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (WriteFileAtomically(path, view)) return true;
    Fail(env, path.string() + ": cannot write the file", kExitUsage);
    return false;
}

void PrintRecord(const CliOptions& options, CliEnvironment& env, const CliRecord& record) {
    if (options.json) {
        WriteRecordJson(env.out, record.setting, *record.store);
    } else {
        WriteRecordText(env.out, record.setting, *record.store);
    }
}

std::string CollectionLine(const HidCollectionInfo& c) {
    char line[96];
    std::snprintf(line, sizeof line, "usage_page=0x%04X usage=0x%04X input=%d output=%d feature=%d",
                  c.usagePage, c.usage, c.inputReportLength, c.outputReportLength, c.featureReportLength);
    return line;
}

int Fail(CliEnvironment& env, const std::string& message, int code) {
    env.err << "voltranectl: " << message << "\n";
    return code;
}

}  // namespace voltrane
