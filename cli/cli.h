#pragma once
// voltranectl, the command-line companion: the same configuration code as the window, driven from
// a shell. RunVoltraneCtl is the whole tool; main() only supplies the real mouse and desktop.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <span>
#include <string>

#include "device/device_change.h"
#include "device/hid_transport.h"
#include "device/sleeper.h"
#include "device/transport_factory.h"
#include "host/host_pointer.h"

namespace voltrane {

// Exit codes.
enum CliExit : int {
    kExitDone = 0,
    kExitUsage = 2,  // bad command line, or a file that cannot be read or written
    kExitMouseNotFound = 3,
    kExitSettingsRefused = 4,
    kExitSettingsReadFailed = 5,
    kExitButtonCollectionMissing = 6,
    kExitButtonsRefused = 7,
    kExitDoesNotFit = 8,
    kExitAccessDenied = 9,     // the mouse is there, but this user may not open it (udev rule missing)
    kExitDiffers = 10,         // verify: the mouse does not hold what the profile would write
    kExitNoHotPlug = 11,       // watch: the system's device monitor (udev) cannot be reached
    kExitMouseAmbiguous = 12,  // several mice are plugged in and none was chosen
};

// Hot-plug notices of HID nodes, for `watch`.
class DeviceEventSource {
public:
    virtual ~DeviceEventSource() = default;
    // The next arrival or removal of a HID node, waiting for it; empty when no notice can come any more.
    virtual std::optional<DeviceEvent> Wait() = 0;
    // Why no notice can come (at the start, or after Wait came back empty); empty when one can.
    virtual std::string Failure() const { return {}; }
};

// What the tool reaches outside itself.
struct CliEnvironment {
    std::ostream& out;
    std::ostream& err;
    // Creates the transport for --device; null when it cannot be created (reported as an error).
    std::function<std::unique_ptr<HidTransport>(const DeviceSelection&)> makeTransport;
    // Creates the host pointer backend for --host desktop (the tool uses a do-nothing one for none).
    std::function<std::unique_ptr<HostPointer>()> makeDesktopHost;
    Sleeper& sleeper;
    std::filesystem::path programDir;  // the window's program directory: download.bin, virtual-mouse.bin
    const char* deviceVariable = nullptr;  // VOLTRANE_DEVICE, used when --device is not given
    // Starts listening for hot-plug notices; null, or a source with a Failure(), when the system's device
    // monitor cannot be reached.
    std::function<std::unique_ptr<DeviceEventSource>()> makeEventSource = [] { return nullptr; };
};

// Runs one command line (without the program name). Returns the exit code.
int RunVoltraneCtl(std::span<const std::string> args, CliEnvironment& env);

}  // namespace voltrane
