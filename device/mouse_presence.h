#pragma once
// Whether the mouse is connected, followed through the hot-plug notices, so that only the loss of a
// mouse that had been there ends the program (unplugging a keyboard while no mouse was ever
// connected must not close it).

#include "device/device_change.h"
#include "device/hid_device.h"

namespace voltrane {

class MousePresence {
public:
    explicit MousePresence(CHidDevice& hid) : m_hid(hid) {}

    // Looks for the mouse now; returns whether its settings collection could be opened. An open
    // collection counts as present and stays open.
    bool Probe();

    // Notes `event`. An arrival looks for the mouse when it was not there; a removal returns true when
    // it took away the mouse that had been present. Returns false in every other case.
    bool MouseWentAway(const DeviceEvent& event);

    bool IsPresent() const { return m_bPresent; }

private:
    CHidDevice& m_hid;
    bool m_bPresent = false;
};

}  // namespace voltrane
