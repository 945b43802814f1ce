// voltranectl: the command-line companion of Voltrane. The real mouse through hidapi (or the virtual
// mouse), the desktop's pointer settings when asked for, the window's program directory; everything
// else is RunVoltraneCtl.

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "device/factory_state.h"
#include "device/hidapi_transport.h"
#include "device/udev_monitor.h"
#include "host/host_pointer_factory.h"
#include "settings/program_paths.h"

namespace {

// The program directory, as the window chooses it for the executable's folder.
std::filesystem::path programDir() {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path exeDir = error ? std::filesystem::current_path(error) : exe.parent_path();
    return voltrane::LocateProgramPaths(exeDir, std::getenv("XDG_DATA_HOME"), std::getenv("HOME"))
        .programDir;
}

// udev's hot-plug notices, listened for from the moment it is made.
class UdevEventSource final : public voltrane::DeviceEventSource {
public:
    std::optional<voltrane::DeviceEvent> Wait() override { return m_monitor.WaitEvent(); }
    std::string Failure() const override { return m_monitor.Failure(); }

private:
    voltrane::UdevMonitor m_monitor;
};

std::unique_ptr<voltrane::DeviceEventSource> makeEventSource() {
    return std::make_unique<UdevEventSource>();
}

}  // namespace

int main(int argc, char** argv) {
    using namespace voltrane;
    const std::vector<std::string> args(argv + 1, argv + argc);
    const VirtualMouse::State factory = FactoryState();
    ThreadSleeper sleeper;
    CliEnvironment env{
        std::cout,
        std::cerr,
        [&](const DeviceSelection& selection) { return CreateTransport(selection, factory); },
        [] { return CreateDesktopHostPointer(); },
        sleeper,
        programDir(),
        std::getenv(kDeviceVariable),
        makeEventSource,
    };
    return RunVoltraneCtl(args, env);
}
