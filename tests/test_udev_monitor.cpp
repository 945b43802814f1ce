#include <fcntl.h>
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace voltrane
