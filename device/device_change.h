#pragma once
// Hot-plug: what a HID node arriving or going away means for the program.

#include <string>

#include "device/hid_device.h"

namespace voltrane {

// One HID node arriving or going away, as the system's device monitor reports it.
struct DeviceEvent {
    enum class Kind { Arrival, Removal };
    Kind kind = Kind::Arrival;
    std::string devnode;  // e.g. "/dev/hidraw3"; may be empty
};

// Decides whether `event` took the mouse away, in which case the program ends. Only a removal is
// looked at: it took the mouse away when the mouse's settings collection can no longer be opened
// through `hid`. When the collection is still there, it is closed again: some other node went away.
// Either way, a removal leaves nothing open in `hid`. Arrivals change nothing and return false.
bool MouseWasRemoved(CHidDevice& hid, const DeviceEvent& event);

}  // namespace voltrane
