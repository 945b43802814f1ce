#include "device/udev_monitor.h"

#include <libudev.h>
#include <poll.h>

#include <cerrno>
#include <cstring>
#include <string>

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
    if (m_udev == nullptr) {
        NoteFailure("cannot start the udev library", errno);
        return;
    }
    m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
    if (m_monitor == nullptr) {
        NoteFailure("cannot open udev's netlink socket", errno);
        return;
    }
    // Both return a negative error number on failure.
    int result = udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "hidraw", nullptr);
    const char* step = "cannot ask udev for hidraw nodes only";
    if (result >= 0) {
        result = udev_monitor_enable_receiving(m_monitor);
        step = "cannot receive udev's notices";
    }
    if (result < 0) {
        udev_monitor_unref(m_monitor);
        m_monitor = nullptr;
        NoteFailure(step, -result);
    }
}

void UdevMonitor::NoteFailure(const char* step, int error) {
    m_failure = std::string(step) + ": " + (error > 0 ? std::strerror(error) : "no reason given");
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
        if (ready < 0 && errno != EINTR) {
            NoteFailure("cannot wait for udev's notices", errno);
            return std::nullopt;
        }
        if (ready > 0 && (waiting.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) {
            m_failure = "udev's notice socket failed";
            return std::nullopt;
        }
    }
}

}  // namespace voltrane
