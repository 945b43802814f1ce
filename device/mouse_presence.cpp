#include "device/mouse_presence.h"

namespace voltrane {

bool MousePresence::Probe() {
    if (m_hid.IsOpen()) return m_bPresent = true;
    m_bPresent = m_hid.Open(kSettingsCollectionLength) != 0;
    m_hid.Close();
    return m_bPresent;
}

bool MousePresence::MouseWentAway(const DeviceEvent& event) {
    if (event.kind == DeviceEvent::Kind::Arrival) {
        if (!m_bPresent) Probe();
        return false;
    }
    if (!m_bPresent) return false;
    m_bPresent = !MouseWasRemoved(m_hid, event);
    return !m_bPresent;
}

}  // namespace voltrane
