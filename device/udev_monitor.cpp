#include "device/udev_monitor.h"

#include <libudev.h>
#include <poll.h>

#include <cerrno>
#include <cstring>

namespace voltrane {

namespace {

// Whether `fd` has data waiting, without waiting for any.
bool HasWaitingData(int fd) {
    pollfd waiting{fd, POLLIN, 0};
    return ::poll(&waiting, 1, 0) > 0 && (waiting.revents & POLLIN) != 0;
}

}  // namespace

std::optional<DeviceEvent::Kind> EventKindOfAction(const char* action) {
    if (action == nullptr) return std::nullopt;
    if (std::strcmp(action, "add") == 0) return DeviceEvent::Kind::Arrival;
    if (std::strcmp(action, "remove") == 0) return DeviceEvent::Kind::Removal;
    return std::nullopt;
}

UdevMonitor::UdevMonitor() : m_udev(udev_new()) {
    if (m_udev == nullptr) return;
    m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
    if (m_monitor == nullptr) return;
    if (udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(m_monitor) < 0) {
        udev_monitor_unref(m_monitor);
        m_monitor = nullptr;
    }
}

UdevMonitor::~UdevMonitor() {
    if (m_monitor != nullptr) udev_monitor_unref(m_monitor);
    if (m_udev != nullptr) udev_unref(m_udev);
}

bool UdevMonitor::IsAvailable() const { return m_monitor != nullptr; }

int UdevMonitor::FileDescriptor() const {
    return m_monitor != nullptr ? udev_monitor_get_fd(m_monitor) : -1;
}

std::optional<DeviceEvent> UdevMonitor::ReadEvent() {
    if (m_monitor == nullptr) return std::nullopt;
    while (HasWaitingData(udev_monitor_get_fd(m_monitor))) {
        udev_device* device = udev_monitor_receive_device(m_monitor);
        if (device == nullptr) return std::nullopt;  // nothing usable; the descriptor tells of more
        const std::optional<DeviceEvent::Kind> kind = EventKindOfAction(udev_device_get_action(device));
        const char* devnode = udev_device_get_devnode(device);
        std::optional<DeviceEvent> event;
        const char* devpath = udev_device_get_devpath(device);
        if (kind)
            event =
                DeviceEvent{*kind, devnode != nullptr ? devnode : "", devpath != nullptr ? devpath : ""};
        udev_device_unref(device);
        if (event) return event;
    }
    return std::nullopt;
}

std::optional<DeviceEvent> UdevMonitor::WaitEvent() {
    if (m_monitor == nullptr) return std::nullopt;
    pollfd waiting{udev_monitor_get_fd(m_monitor), POLLIN, 0};
    for (;;) {
        if (std::optional<DeviceEvent> event = ReadEvent()) return event;
        const int ready = ::poll(&waiting, 1, -1);
        if (ready < 0 && errno != EINTR) return std::nullopt;
        if (ready > 0 && (waiting.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) return std::nullopt;
    }
}

}  // namespace voltrane
