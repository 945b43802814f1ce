#pragma once
// What several subcommands share: the record every command starts from, the device link, profile
// loading and file writing with their error reports.

#include <filesystem>
#include <memory>
#include <span>

#include "cli/cli.h"
#include "cli/options.h"
#include "device/apply_sequence.h"
#include "settings/macro_store.h"
#include "settings/mouse_setting.h"

namespace voltrane {

// The record every command starts from: built-in defaults, key and macro bytes zero, names empty,
// an empty macro store.
struct CliRecord {
    MouseSetting setting;
    std::unique_ptr<MacroStore> store = std::make_unique<MacroStore>();
    CliRecord() { setting.ResetToDefaults(); }
};

// The mouse and desktop a device command works with.
class CliDevice {
public:
    // Null when the transport of --device cannot be created (reported on env.err).
    static std::unique_ptr<CliDevice> Open(const CliOptions& options, CliEnvironment& env);
    DeviceContext& Context() { return m_context; }
    HidTransport& Transport() { return *m_transport; }

private:
    CliDevice(std::unique_ptr<HidTransport> transport, std::unique_ptr<HostPointer> host, Sleeper& sleeper,
              const std::filesystem::path& dir);

    std::unique_ptr<HidTransport> m_transport;
    std::unique_ptr<HostPointer> m_host;
    CHidDevice m_hid;
    DeviceContext m_context;
};

// Loads a profile file into the record with the keys of options.language. A missing or unreadable
// file is reported on env.err; returns false then.
bool LoadProfileFile(const std::filesystem::path& path, const CliOptions& options, CliEnvironment& env,
                     CliRecord& record);

// Replaces `path` with `bytes`; a failure is reported on env.err. Returns whether it was written.
bool WriteOutputFile(const std::filesystem::path& path, std::span<const uint8_t> bytes,
                     CliEnvironment& env);

// The record as JSON (--json) or readable text on env.out.
void PrintRecord(const CliOptions& options, CliEnvironment& env, const CliRecord& record);

// One top-level collection as "usage_page=0x%04X usage=0x%04X input=N output=N feature=N".
std::string CollectionLine(const HidCollectionInfo& collection);

// Prints "voltranectl: <message>" on env.err and returns `code`.
int Fail(CliEnvironment& env, const std::string& message, int code);

}  // namespace voltrane
