#include <ostream>
#include <string>

#include "cli/command_support.h"
#include "cli/commands.h"

namespace voltrane {

namespace {

// " (reason)" when the source knows why it failed; empty otherwise.
std::string withReason(const DeviceEventSource* source) {
    const std::string reason = source ? source->Failure() : std::string();
    return reason.empty() ? reason : " (" + reason + ")";
}

}  // namespace

int CommandWatch(const CliOptions& options, CliEnvironment& env) {
    const std::unique_ptr<DeviceEventSource> source = env.makeEventSource();
    if (!source || !source->Failure().empty()) {
        return Fail(env,
                    "cannot watch for the mouse: udev's device monitor cannot be reached" +
                        withReason(source.get()),
                    kExitNoHotPlug);
    }
    env.err << "voltranectl: watching for the mouse\n" << std::flush;
    for (int lines = 0; !options.count || lines < *options.count;) {
        const std::optional<DeviceEvent> event = source->Wait();
        if (!event)
            return Fail(env, "udev's device monitor stopped" + withReason(source.get()), kExitNoHotPlug);
        if (!IsMouseDevpath(event->devpath)) continue;
        const bool arrived = event->kind == DeviceEvent::Kind::Arrival;
        env.out << (arrived ? "arrived " : "gone ") << event->devnode << std::endl;
        ++lines;
    }
    return kExitDone;
}

}  // namespace voltrane
