#include "app/device_watch.h"

#include <QSocketNotifier>
#include <cstdio>

namespace voltrane {

DeviceWatch::DeviceWatch(std::function<void(const DeviceEvent&)> onEvent) : m_onEvent(std::move(onEvent)) {
    if (!m_monitor.IsAvailable()) {
        std::fprintf(stderr, "voltrane: the mouse being plugged in or out goes unnoticed: %s\n",
                     m_monitor.Failure().c_str());
        return;
    }
    m_notifier = new QSocketNotifier(m_monitor.FileDescriptor(), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] { readEvents(); });
}

void DeviceWatch::readEvents() {
    while (const std::optional<DeviceEvent> event = m_monitor.ReadEvent()) m_onEvent(*event);
}

}  // namespace voltrane
