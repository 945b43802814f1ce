// voltranectl: the command-line companion of Voltrane. The real mouse through hidapi (or the virtual
// mouse), the desktop's pointer settings when asked for; everything else is RunVoltraneCtl.

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "device/factory_state.h"
#include "device/hidapi_transport.h"
#include "host/host_pointer_factory.h"

namespace {

// The folder of the running executable.
std::filesystem::path programDir() {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path(error) : exe.parent_path();
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
    };
    return RunVoltraneCtl(args, env);
}
