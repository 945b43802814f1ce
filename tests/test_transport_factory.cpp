#include <gtest/gtest.h>

#include <filesystem>

#include "device/transport_factory.h"
#include "file_bytes.h"
#include "temp_dir.h"

namespace voltrane {
namespace {

TEST(DeviceSelector, Table) {
    const std::filesystem::path programDir = "/opt/voltrane/";
    const std::filesystem::path defaultFile = programDir / "virtual-mouse.bin";
    struct Row {
        const char* name;
        const char* value;
        DeviceKind kind;
        std::filesystem::path statePath;
        std::string mouseChoice{};
    };
    const Row rows[] = {
        {"Unset", nullptr, DeviceKind::Real, {}},
        {"Empty", "", DeviceKind::Real, {}},
        {"Virtual", "virtual", DeviceKind::Virtual, defaultFile},
        {"VirtualEmptyPath", "virtual:", DeviceKind::Virtual, defaultFile},
        {"AbsolutePath", "virtual:/tmp/state.bin", DeviceKind::Virtual, "/tmp/state.bin"},
        {"RelativePath", "virtual:mice/a.bin", DeviceKind::Virtual, "mice/a.bin"},
        {"ColonInPath", "virtual:a:b", DeviceKind::Virtual, "a:b"},
        {"UpperCase", "Virtual", DeviceKind::Real, {}},
        {"LongerWord", "virtually", DeviceKind::Real, {}},
        {"LeadingSpace", " virtual", DeviceKind::Real, {}},
        {"OtherSeparator", "virtual=/tmp/x", DeviceKind::Real, {}},
        {"Real", "real", DeviceKind::Real, {}},
        {"Hid", "hid", DeviceKind::Real, {}},
        {"HidSerial", "hid:A1B2", DeviceKind::Real, {}, "A1B2"},
        {"HidSerialWithColon", "hid:A:B", DeviceKind::Real, {}, "A:B"},
        {"HidNode", "hid:/dev/hidraw3", DeviceKind::Real, {}, "/dev/hidraw3"},
        {"BareNode", "/dev/hidraw3", DeviceKind::Real, {}, "/dev/hidraw3"},
        {"HidEmptyChoice", "hid:", DeviceKind::Real, {}, ""},
        {"VirtualKeepsNoChoice", "virtual:/dev/x", DeviceKind::Virtual, "/dev/x", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const DeviceSelection selection = ParseDeviceSelector(row.value, programDir);
        EXPECT_EQ(selection.kind, row.kind);
        EXPECT_EQ(selection.statePath, row.statePath);
        EXPECT_EQ(selection.mouseChoice, row.mouseChoice);
    }
}

// A state file can be written only into a folder that exists.
TEST(StateFolderMissing, Table) {
    TempDir dir;
    WriteBytes(dir.path() / "file", "");
    struct Row {
        const char* name;
        DeviceSelection selection;
        bool expected;
    };
    const Row rows[] = {
        {"real mouse", {DeviceKind::Real, {}}, false},
        {"folder exists", {DeviceKind::Virtual, dir.path() / "state.bin"}, false},
        {"working folder", {DeviceKind::Virtual, "state.bin"}, false},
        {"folder missing", {DeviceKind::Virtual, dir.path() / "missing" / "state.bin"}, true},
        {"folder is a file", {DeviceKind::Virtual, dir.path() / "file" / "state.bin"}, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(StateFolderMissing(row.selection), row.expected);
    }
}

}  // namespace
}  // namespace voltrane
