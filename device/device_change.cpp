#include "device/device_change.h"

#include <cstdio>

namespace voltrane {

namespace {

// "/BBBB:VVVV:PPPP.": the start of the name the kernel gives the mouse's HID device.
std::string mouseHidName() {
    char name[32];
    std::snprintf(name, sizeof name, "/%04X:%04X:%04X.", kMouseBusType, kMouseVendorId, kMouseProductId);
    return name;
}

}  // namespace

bool IsMouseDevpath(std::string_view devpath) {
    static const std::string kMouseHidName = mouseHidName();
    for (size_t at = devpath.find(kMouseHidName); at != std::string_view::npos;
         at = devpath.find(kMouseHidName, at + 1)) {
        const std::string_view rest = devpath.substr(at + kMouseHidName.size());
        const size_t digits = rest.find_first_not_of("0123456789ABCDEF");
        if (digits != 0 && (digits == std::string_view::npos || rest[digits] == '/')) return true;
    }
    return false;
}

bool MouseWasRemoved(CHidDevice& hid, const DeviceEvent& event) {
    if (event.kind != DeviceEvent::Kind::Removal) return false;
    const bool present = hid.Open(kSettingsCollectionLength) != 0;
    hid.Close();
    return !present;
}

}  // namespace voltrane
