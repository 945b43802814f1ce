#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <vector>

#include "device/hid_device.h"
#include "device/hidapi_transport.h"

namespace voltrane {
namespace {

using Bytes = std::vector<uint8_t>;

// clang-format off
// One vendor collection with 7-byte feature reports under report ID 3.
const Bytes kSettingsDescriptor = {
    0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x03, 0x09, 0x01,
    0x75, 0x08, 0x95, 0x07, 0xB1, 0x02, 0xC0,
};
// A keyboard collection and a consumer collection, input only.
const Bytes kKeyboardDescriptor = {
    0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x85, 0x01, 0x75, 0x08, 0x95, 0x08, 0x81, 0x02, 0xC0,
    0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x02, 0x75, 0x10, 0x95, 0x01, 0x81, 0x00, 0xC0,
};
// clang-format on

// What a node should come out as: path, IDs, and (usage page, feature length) of each collection.
struct ExpectedNode {
    std::string path;
    uint16_t vendorId;
    uint16_t productId;
    std::vector<std::pair<uint16_t, int>> collections;
    std::string serial{};
};

struct GroupCase {
    const char* name;
    std::vector<HidEntry> entries;
    std::vector<ExpectedNode> expected;
};

const std::map<std::string, Bytes> kDescriptors = {
    {"/dev/hidraw0", kKeyboardDescriptor},
    {"/dev/hidraw1", kSettingsDescriptor},
    {"/dev/hidraw2", kSettingsDescriptor},
};

const std::vector<GroupCase> kGroupCases = {
    {"OneEntryPerUsageBecomesOneNode",
     {{"/dev/hidraw0", 0x1111, 0x2222}, {"/dev/hidraw0", 0x1111, 0x2222}},
     {{"/dev/hidraw0", 0x1111, 0x2222, {{0x0001, 0}, {0x000C, 0}}}}},
    {"FirstSeenOrderKept",
     {{"/dev/hidraw2", 1, 2}, {"/dev/hidraw0", 3, 4}, {"/dev/hidraw2", 1, 2}, {"/dev/hidraw1", 5, 6}},
     {{"/dev/hidraw2", 1, 2, {{0xFF00, 8}}},
      {"/dev/hidraw0", 3, 4, {{0x0001, 0}, {0x000C, 0}}},
      {"/dev/hidraw1", 5, 6, {{0xFF00, 8}}}}},
    {"IdsOfFirstEntry",
     {{"/dev/hidraw1", 7, 8}, {"/dev/hidraw1", 9, 10}},
     {{"/dev/hidraw1", 7, 8, {{0xFF00, 8}}}}},
    {"SerialOfFirstEntry",
     {{"/dev/hidraw1", 7, 8, "A1"}, {"/dev/hidraw1", 7, 8, "B2"}, {"/dev/hidraw2", 7, 8, "B2"}},
     {{"/dev/hidraw1", 7, 8, {{0xFF00, 8}}, "A1"}, {"/dev/hidraw2", 7, 8, {{0xFF00, 8}}, "B2"}}},
    {"UnreadableDescriptorGivesNoCollections", {{"/dev/hidraw9", 1, 2}}, {{"/dev/hidraw9", 1, 2, {}}}},
    {"EmptyPathDropped", {{"", 1, 2}, {"/dev/hidraw1", 1, 2}}, {{"/dev/hidraw1", 1, 2, {{0xFF00, 8}}}}},
    {"NoEntries", {}, {}},
};

TEST(GroupEntriesByPath, Table) {
    for (const GroupCase& row : kGroupCases) {
        SCOPED_TRACE(row.name);
        std::map<std::string, int> reads;
        auto reader = [&](const std::string& path) -> std::optional<Bytes> {
            ++reads[path];
            auto it = kDescriptors.find(path);
            if (it == kDescriptors.end()) return std::nullopt;
            return it->second;
        };
        const std::vector<HidNode> nodes = GroupEntriesByPath(row.entries, reader);
        ASSERT_EQ(nodes.size(), row.expected.size());
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            SCOPED_TRACE(i);
            const ExpectedNode& expected = row.expected[i];
            EXPECT_EQ(nodes[i].path, expected.path);
            EXPECT_EQ(nodes[i].vendorId, expected.vendorId);
            EXPECT_EQ(nodes[i].productId, expected.productId);
            EXPECT_EQ(nodes[i].serial, expected.serial);
            std::vector<std::pair<uint16_t, int>> collections;
            for (const HidCollectionInfo& c : nodes[i].collections) {
                collections.emplace_back(c.usagePage, c.featureReportLength);
            }
            EXPECT_EQ(collections, expected.collections);
            EXPECT_EQ(reads[expected.path], 1);
        }
    }
}

// hidapi's wide-character serial numbers, as the UTF-8 the program lists and compares.
TEST(SerialText, Table) {
    struct Row {
        const char* name;
        const wchar_t* serial;
        const char* expected;
    };
    const wchar_t surrogate[] = {L'A', static_cast<wchar_t>(0xD800), L'B', L'\0'};
    const wchar_t beyondUnicode[] = {static_cast<wchar_t>(0x110000), L'\0'};
    const Row rows[] = {
        {"Null", nullptr, ""},
        {"Empty", L"", ""},
        {"Ascii", L"VT0001", "VT0001"},
        {"TwoByte", L"N\u00B0 7", "N\xC2\xB0 7"},
        {"BeyondBmp", L"\U0001F5B1", "\xF0\x9F\x96\xB1"},
        {"LoneSurrogate", surrogate,
         "A\xEF\xBF\xBD"
         "B"},
        {"BeyondUnicode", beyondUnicode, "\xEF\xBF\xBD"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(SerialText(row.serial), row.expected);
    }
}

TEST(ReportDescriptorFile, OnlyHidrawNodesReachSysfs) {
    struct Row {
        const char* devicePath;
        const char* expected;  // empty: refused
    };
    const Row rows[] = {
        {"/dev/hidraw0", "/sys/class/hidraw/hidraw0/device/report_descriptor"},
        {"/dev/hidraw12", "/sys/class/hidraw/hidraw12/device/report_descriptor"},
        {"hidraw3", "/sys/class/hidraw/hidraw3/device/report_descriptor"},
        {"/dev/hidraw", ""},
        {"/dev/hidrawX", ""},
        {"/dev/hidraw1x", ""},
        {"/dev/hidraw-1", ""},
        {"/dev/hidraw1/", ""},
        {"/dev/hidraw1/../../etc/passwd", ""},
        {"/dev/usb/hiddev0", ""},
        {"1-2:1.0", ""},
        {"", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.devicePath);
        EXPECT_EQ(ReportDescriptorFile(row.devicePath), std::filesystem::path(row.expected));
    }
}

// hid_get_feature_report tells how many bytes the device sent. Only the whole report counts: the
// missing bytes of a short reply must never be read as the zeros the buffer held.
TEST(TransferredWholeReport, OnlyTheWholeReportCounts) {
    struct Row {
        const char* name;
        int transferred;
        std::size_t length;
        bool expected;
    };
    const Row rows[] = {
        {"failure", -1, 8, false},
        {"nothing", 0, 8, false},
        {"report ID only", 1, 8, false},
        {"one byte short", 7, 8, false},
        {"whole settings report", 8, 8, true},
        {"button report cut after 64 bytes", 64, 2049, false},
        {"whole button report", 2049, 2049, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(TransferredWholeReport(row.transferred, row.length), row.expected);
    }
}

TEST(HidapiTransport, MissingNodeCannotBeOpened) {
    HidapiTransport transport;
    EXPECT_FALSE(transport.OpenPath("/dev/hidraw-voltrane-none"));
    EXPECT_FALSE(transport.IsOpen());
    std::array<uint8_t, 8> report = {3};
    EXPECT_FALSE(transport.SendFeature(report));
    EXPECT_FALSE(transport.GetFeature(report));
}

TEST(CreateTransport, FollowsTheSelection) {
    VirtualMouse::State factory{};
    factory[0] = kSettingsReportId;
    factory[VirtualMouse::kButtonOffset] = kButtonReportId;
    const auto virtualMouse =
        CreateTransport({DeviceKind::Virtual, "/nonexistent/virtual-mouse.bin"}, factory);
    auto* mouse = dynamic_cast<VirtualMouse*>(virtualMouse.get());
    ASSERT_NE(mouse, nullptr);
    EXPECT_EQ(mouse->StateFileStatus(), VirtualMouse::StateFile::Missing);
    EXPECT_EQ(mouse->Reports(), factory);

    const auto real = CreateTransport({DeviceKind::Real, {}}, factory);
    EXPECT_NE(dynamic_cast<HidapiTransport*>(real.get()), nullptr);
}

// Reads both reports from a plugged-in mouse; writes nothing, so the mouse keeps its configuration.
TEST(HidapiTransportHardware, ReadsBothReports) {
    HidapiTransport transport;
    CHidDevice hid(transport);
    if (!hid.Open(kSettingsCollectionLength)) GTEST_SKIP() << "no mouse that can be opened is plugged in";

    std::array<uint8_t, kSettingsReportLength> settings = {kSettingsReportId};
    EXPECT_NE(hid.GetFeature(settings.data(), kSettingsReportLength), 0);
    EXPECT_EQ(settings[0], kSettingsReportId);

    ASSERT_EQ(hid.Open(kButtonCollectionLength), 1);
    std::vector<uint8_t> buttons(kButtonReportLength);
    buttons[0] = kButtonReportId;
    EXPECT_NE(hid.GetFeature(buttons.data(), kButtonReportLength), 0);
    EXPECT_EQ(buttons[0], kButtonReportId);
}

}  // namespace
}  // namespace voltrane
