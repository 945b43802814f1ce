#include "app/device_watch.h"

#include <QSocketNotifier>

namespace voltrane {

DeviceWatch::DeviceWatch(std::function<void(const DeviceEvent&)> onEvent) : m_onEvent(std::move(onEvent)) {
    if (!m_monitor.IsAvailable()) return;
    m_notifier = new QSocketNotifier(m_monitor.FileDescriptor(), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] { readEvents(); });
}

void DeviceWatch::readEvents() {
    while (const std::optional<DeviceEvent> event = m_monitor.ReadEvent()) m_onEvent(*event);
}

}  // namespace voltrane
