#include "device/device_change.h"

namespace voltrane {

bool MouseWasRemoved(CHidDevice& hid, const DeviceEvent& event) {
    if (event.kind != DeviceEvent::Kind::Removal) return false;
    const bool present = hid.Open(kSettingsCollectionLength) != 0;
    hid.Close();
    return !present;
}

}  // namespace voltrane
