#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "device/udev_monitor.h"

namespace voltrane {
namespace {

TEST(EventKindOfAction, Table) {
    using Kind = DeviceEvent::Kind;
    struct Row {
        const char* action;
        std::optional<Kind> expected;
    };
    const Row rows[] = {
        {"add", Kind::Arrival},  {"remove", Kind::Removal}, {"change", std::nullopt},
        {"bind", std::nullopt},  {"unbind", std::nullopt},  {"move", std::nullopt},
        {"", std::nullopt},      {"Add", std::nullopt},     {"added", std::nullopt},
        {nullptr, std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.action != nullptr ? row.action : "(null)");
        EXPECT_EQ(EventKindOfAction(row.action), row.expected);
    }
}

// The mouse is known by the name of its HID device in the node's path, however the kernel reaches it.
TEST(IsMouseDevpath, Table) {
    struct Row {
        const char* devpath;
        bool mouse;
    };
    const Row rows[] = {
        {"/devices/pci0000:00/0000:00:14.0/usb1/1-2/1-2:1.1/0003:1B80:B412.0004/hidraw/hidraw3", true},
        {"/devices/virtual/misc/uhid/0003:1B80:B412.0001/hidraw/hidraw0", true},
        {"/devices/virtual/misc/uhid/0003:1B80:B412.000A", true},
        {"/devices/virtual/misc/uhid/0003:1234:5678.0002/hidraw/hidraw1", false},
        {"/devices/virtual/misc/uhid/0005:1B80:B412.0001/hidraw/hidraw0", false},  // Bluetooth
        {"/devices/virtual/misc/uhid/0003:1B80:B413.0001/hidraw/hidraw0", false},
        {"/devices/virtual/misc/uhid/0003:1B80:B412./hidraw/hidraw0", false},
        {"/devices/virtual/misc/uhid/0003:1B80:B412.00x1/hidraw/hidraw0", false},
        {"/devices/x/10003:1B80:B412.0001/hidraw/hidraw0", false},
        {"0003:1B80:B412.0001", false},
        {"", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.devpath);
        EXPECT_EQ(IsMouseDevpath(row.devpath), row.mouse);
    }
}

// Without hot-plugging nothing waits; whether udev is reachable depends on the machine, and both
// outcomes must leave a usable monitor.
TEST(UdevMonitor, QuietWithoutHotPlug) {
    UdevMonitor monitor;
    if (monitor.IsAvailable()) {
        const int fd = monitor.FileDescriptor();
        ASSERT_GE(fd, 0);
        EXPECT_NE(::fcntl(fd, F_GETFD), -1);
    } else {
        EXPECT_EQ(monitor.FileDescriptor(), -1);
    }
    EXPECT_EQ(monitor.ReadEvent(), std::nullopt);
}

// With no descriptor left for the netlink socket, the monitor says which step failed and why.
TEST(UdevMonitor, KeepsTheReasonItCannotStart) {
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &saved), 0);
    const int lowestFree = ::dup(0);
    ASSERT_GE(lowestFree, 0);
    ::close(lowestFree);
    rlimit tight = saved;
    tight.rlim_cur = static_cast<rlim_t>(lowestFree);  // every descriptor number allowed is taken
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &tight), 0);
    UdevMonitor monitor;
    ::setrlimit(RLIMIT_NOFILE, &saved);
    EXPECT_FALSE(monitor.IsAvailable());
    EXPECT_EQ(monitor.FileDescriptor(), -1);
    EXPECT_EQ(monitor.Failure(),
              std::string("cannot open udev's netlink socket: ") + std::strerror(EMFILE));
}

// A working monitor has nothing to report; one that does not work says why.
TEST(UdevMonitor, FailureOnlyWhenUnavailable) {
    UdevMonitor monitor;
    EXPECT_EQ(monitor.Failure().empty(), monitor.IsAvailable()) << monitor.Failure();
}

}  // namespace
}  // namespace voltrane
