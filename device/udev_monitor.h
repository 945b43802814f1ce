#pragma once
// Hot-plug notices for HID nodes from udev. The monitor's file descriptor becomes readable when an
// event waits, so an event loop can watch it and call ReadEvent then.

#include <optional>
#include <string>
#include <string_view>

#include "device/device_change.h"

struct udev;
struct udev_monitor;

namespace voltrane {

// The event kind of a udev action: "add" is an arrival, "remove" a removal; any other action (and a
// null one) is of no interest.
std::optional<DeviceEvent::Kind> EventKindOfAction(const char* action);

class UdevMonitor {
public:
    // Starts listening for hidraw nodes arriving and going away. When udev cannot be reached the
    // monitor is unavailable: it then has no descriptor, never reports an event, and Failure() says
    // which step failed and why.
    UdevMonitor();
    ~UdevMonitor();
    UdevMonitor(const UdevMonitor&) = delete;
    UdevMonitor& operator=(const UdevMonitor&) = delete;

    // Whether events can arrive.
    bool IsAvailable() const;

    // Why events cannot arrive (any more): the step that failed and the system's reason, e.g.
    // "cannot open udev's netlink socket: Too many open files"; empty while the monitor works.
    const std::string& Failure() const { return m_failure; }

    // The descriptor to watch for readability; -1 when unavailable.
    int FileDescriptor() const;

    // The next waiting arrival or removal, skipping other events. Never blocks: empty when no such
    // event waits or the monitor is unavailable.
    std::optional<DeviceEvent> ReadEvent();

    // The next arrival or removal, waiting for it as long as it takes. Empty when the monitor is
    // unavailable or its descriptor fails (then Failure() says why).
    std::optional<DeviceEvent> WaitEvent();

private:
    // Keeps why `step` failed, with the system's error number `error`.
    void NoteFailure(const char* step, int error);

    udev* m_udev = nullptr;
    udev_monitor* m_monitor = nullptr;
    std::string m_failure;
};

}  // namespace voltrane
