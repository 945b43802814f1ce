#pragma once
// Hot-plug notices for HID nodes from udev. The monitor's file descriptor becomes readable when an
// event waits, so an event loop can watch it and call ReadEvent then.

#include <optional>
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
    // monitor is unavailable: it then has no descriptor and never reports an event.
    UdevMonitor();
    ~UdevMonitor();
    UdevMonitor(const UdevMonitor&) = delete;
    UdevMonitor& operator=(const UdevMonitor&) = delete;

    // Whether events can arrive.
    bool IsAvailable() const;

    // The descriptor to watch for readability; -1 when unavailable.
    int FileDescriptor() const;

    // The next waiting arrival or removal, skipping other events. Never blocks: empty when no such
    // event waits or the monitor is unavailable.
    std::optional<DeviceEvent> ReadEvent();

    // The next arrival or removal, waiting for it as long as it takes. Empty when the monitor is
    // unavailable or its descriptor fails.
    std::optional<DeviceEvent> WaitEvent();

private:
    udev* m_udev = nullptr;
    udev_monitor* m_monitor = nullptr;
};

}  // namespace voltrane
