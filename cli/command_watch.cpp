#include <ostream>

#include "cli/command_support.h"
#include "cli/commands.h"

namespace voltrane {

int CommandWatch(const CliOptions& options, CliEnvironment& env) {
    const std::unique_ptr<DeviceEventSource> source = env.makeEventSource();
    if (!source) {
        return Fail(env, "cannot watch for the mouse: udev's device monitor cannot be reached",
                    kExitNoHotPlug);
    }
    env.err << "voltranectl: watching for the mouse\n" << std::flush;
    for (int lines = 0; !options.count || lines < *options.count;) {
        const std::optional<DeviceEvent> event = source->Wait();
        if (!event) return Fail(env, "udev's device monitor stopped", kExitNoHotPlug);
        if (!IsMouseDevpath(event->devpath)) continue;
        const bool arrived = event->kind == DeviceEvent::Kind::Arrival;
        env.out << (arrived ? "arrived " : "gone ") << event->devnode << std::endl;
        ++lines;
    }
    return kExitDone;
}

}  // namespace voltrane
