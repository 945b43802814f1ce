#pragma once
// Hot-plug: what a HID node arriving or going away means for the program.

#include <string>
#include <string_view>

#include "device/hid_device.h"

namespace voltrane {

// One HID node arriving or going away, as the system's device monitor reports it.
struct DeviceEvent {
    enum class Kind { Arrival, Removal };
    Kind kind = Kind::Arrival;
    std::string devnode;  // e.g. "/dev/hidraw3"; may be empty
    std::string
        devpath;  // the node's place in sysfs, e.g. "/devices/.../0003:1B80:B412.0001/hidraw/hidraw3"
};

// Whether `devpath` is a node of the mouse: it lies under a HID device named after the mouse on USB,
// "0003:1B80:B412.NNNN" (the name the kernel gives it however it reaches the mouse). Also true of a
// node that has already gone away, since only the path is looked at.
bool IsMouseDevpath(std::string_view devpath);

// Decides whether `event` took the mouse away, in which case the program ends. Only a removal is
// looked at: it took the mouse away when the mouse's settings collection can no longer be opened
// through `hid`. When the collection is still there, it is closed again: some other node went away.
// Either way, a removal leaves nothing open in `hid`. Arrivals change nothing and return false.
bool MouseWasRemoved(CHidDevice& hid, const DeviceEvent& event);

}  // namespace voltrane
