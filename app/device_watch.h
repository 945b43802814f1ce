#pragma once
// udev's hot-plug notices watched from the event loop: each arrival or removal of a HID node is
// handed on as it comes.

#include <QObject>
#include <functional>

#include "device/udev_monitor.h"

class QSocketNotifier;

namespace voltrane {

class DeviceWatch : public QObject {
public:
    // Calls `onEvent` for every event; without udev nothing is ever reported.
    explicit DeviceWatch(std::function<void(const DeviceEvent&)> onEvent);

private:
    void readEvents();

    UdevMonitor m_monitor;
    std::function<void(const DeviceEvent&)> m_onEvent;
    QSocketNotifier* m_notifier = nullptr;
};

}  // namespace voltrane
