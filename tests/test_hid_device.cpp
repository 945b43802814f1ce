#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "device/device_change.h"
#include "device/hid_device.h"
#include "device/mouse_presence.h"
#include "device/virtual_mouse.h"

namespace voltrane {
namespace {

// A transport over a scripted list of nodes. It logs what it is asked to do, takes or refuses
// transfers as told, and answers fetches with `fetchReply`: one shorter than the report fails, as a
// transport must report a short answer.
class ScriptedTransport final : public HidTransport {
public:
    std::vector<HidNode> nodes;
    std::set<std::string> unopenable;
    std::set<std::string> denied;
    bool transfersSucceed = true;
    std::vector<uint8_t> fetchReply;

    std::vector<std::string> log;  // "enumerate", "open PATH", "close", "send", "fetch"
    std::optional<std::string> openPath;
    std::vector<uint8_t> lastSent;
    std::optional<uint8_t> lastFetchedId;  // byte 0 of the buffer handed to the last fetch

    std::vector<HidNode> Enumerate() override {
        log.push_back("enumerate");
        return nodes;
    }
    OpenResult OpenPath(const std::string& path) override {
        Close();
        log.push_back("open " + path);
        if (unopenable.count(path) != 0) return {OpenResult::Status::Failed, "Device or resource busy"};
        if (denied.count(path) != 0) return {OpenResult::Status::AccessDenied, "Permission denied"};
        openPath = path;
        return OpenResult::Opened();
    }
    bool SendFeature(std::span<const uint8_t> report) override {
        log.push_back("send");
        lastSent.assign(report.begin(), report.end());
        return transfersSucceed;
    }
    bool GetFeature(std::span<uint8_t> report) override {
        log.push_back("fetch");
        lastFetchedId = report[0];
        if (!transfersSucceed) return false;
        std::copy_n(fetchReply.begin(), std::min(fetchReply.size(), report.size()), report.begin());
        return fetchReply.size() >= report.size();
    }
    void Close() override {
        if (openPath) log.push_back("close");
        openPath.reset();
    }
    bool IsOpen() const override { return openPath.has_value(); }

    int Count(const std::string& entry) const {
        return static_cast<int>(std::count(log.begin(), log.end(), entry));
    }
};

HidCollectionInfo Vendor(int featureLength, uint16_t usagePage = kMouseUsagePage) {
    return {usagePage, 1, 0, 0, featureLength};
}

HidNode MouseNode(const std::string& path, std::vector<HidCollectionInfo> collections) {
    return {path, kMouseVendorId, kMouseProductId, std::move(collections)};
}

const HidCollectionInfo kPointer = {0x0001, 0x0002, 8, 0, 0};

struct MatchCase {
    const char* name;
    std::vector<HidNode> nodes;
    std::set<std::string> unopenable;
    int length;
    const char* expected;  // path left open, or null when none matches
};

const std::vector<MatchCase> kMatchCases = {
    {"OneNodeBothCollections8", {MouseNode("a", {Vendor(8), Vendor(2049)})}, {}, 8, "a"},
    {"OneNodeBothCollections2049", {MouseNode("a", {Vendor(8), Vendor(2049)})}, {}, 2049, "a"},
    {"SettingsNotTakenForButtons",
     {MouseNode("s", {Vendor(8)}), MouseNode("b", {Vendor(2049)})},
     {},
     2049,
     "b"},
    {"ButtonsNotTakenForSettings",
     {MouseNode("b", {Vendor(2049)}), MouseNode("s", {Vendor(8)})},
     {},
     8,
     "s"},
    {"OnlySettingsPresent", {MouseNode("s", {Vendor(8)})}, {}, 2049, nullptr},
    {"OnlyButtonsPresent", {MouseNode("b", {Vendor(2049)})}, {}, 8, nullptr},
    {"NeighbouringLengthsNotTaken",
     {MouseNode("x", {Vendor(7), Vendor(9), Vendor(2048), Vendor(2050)})},
     {},
     8,
     nullptr},
    {"WrongVendorSkipped",
     {{"other", 0x1B81, kMouseProductId, {Vendor(8)}}, MouseNode("mouse", {Vendor(8)})},
     {},
     8,
     "mouse"},
    {"WrongProductSkipped",
     {{"other", kMouseVendorId, 0xB413, {Vendor(8)}}, MouseNode("mouse", {Vendor(8)})},
     {},
     8,
     "mouse"},
    {"WrongUsagePageSkipped",
     {MouseNode("other", {Vendor(8, 0xFF01)}), MouseNode("mouse", {Vendor(8)})},
     {},
     8,
     "mouse"},
    {"PointerInterfaceSkipped",
     {MouseNode("pointer", {kPointer}), MouseNode("vendor", {Vendor(8)})},
     {},
     8,
     "vendor"},
    {"MatchAfterOtherCollectionOfNode", {MouseNode("a", {kPointer, Vendor(8)})}, {}, 8, "a"},
    {"UnreadableDescriptorSkipped",
     {MouseNode("blank", {}), MouseNode("mouse", {Vendor(8)})},
     {},
     8,
     "mouse"},
    {"TwoMiceFirstWins",
     {MouseNode("first", {Vendor(8)}), MouseNode("second", {Vendor(8)})},
     {},
     8,
     "first"},
    {"UnopenableSkipped",
     {MouseNode("first", {Vendor(8)}), MouseNode("second", {Vendor(8)})},
     {"first"},
     8,
     "second"},
    {"AllUnopenable", {MouseNode("first", {Vendor(8)})}, {"first"}, 8, nullptr},
    {"NothingPresent", {}, {}, 8, nullptr},
    {"ZeroLengthNeverMatches", {MouseNode("a", {Vendor(0)})}, {}, 0, nullptr},
};

TEST(HidDeviceOpen, MatchingRules) {
    for (const MatchCase& row : kMatchCases) {
        SCOPED_TRACE(row.name);
        ScriptedTransport transport;
        transport.nodes = row.nodes;
        transport.unopenable = row.unopenable;
        CHidDevice hid(transport);

        EXPECT_EQ(hid.Open(row.length), row.expected != nullptr ? 1 : 0);
        EXPECT_EQ(hid.IsOpen(), row.expected != nullptr);
        EXPECT_EQ(transport.openPath,
                  row.expected != nullptr ? std::optional<std::string>(row.expected) : std::nullopt);
    }
}

HidNode SerialMouse(const std::string& path, const std::string& serial,
                    std::vector<HidCollectionInfo> collections) {
    HidNode node = MouseNode(path, std::move(collections));
    node.serial = serial;
    return node;
}

// Two identical mice: the pointer and vendor interfaces of mouse A1, then those of mouse B2.
const std::vector<HidNode> kTwoMice = {
    SerialMouse("/dev/hidraw0", "A1", {kPointer}),
    SerialMouse("/dev/hidraw1", "A1", {Vendor(8), Vendor(2049)}),
    SerialMouse("/dev/hidraw2", "B2", {kPointer}),
    SerialMouse("/dev/hidraw3", "B2", {Vendor(8), Vendor(2049)}),
};

// With a choice every Open keeps to the chosen mouse, whatever comes first in the enumeration.
TEST(HidDeviceOpen, KeepsToTheChosenMouse) {
    struct Row {
        const char* name;
        std::string choice;
        int length;
        const char* expected;  // path left open, or null when none matches
    };
    const Row rows[] = {
        {"NoChoiceFirstFound", "", 8, "/dev/hidraw1"},
        {"SecondBySerialSettings", "B2", 8, "/dev/hidraw3"},
        {"SecondBySerialButtons", "B2", 2049, "/dev/hidraw3"},
        {"FirstBySerial", "A1", 2049, "/dev/hidraw1"},
        {"ByPointerNodePath", "/dev/hidraw2", 8, "/dev/hidraw3"},
        {"ByVendorNodePath", "/dev/hidraw3", 2049, "/dev/hidraw3"},
        {"UnknownSerial", "C3", 8, nullptr},
        {"UnknownPath", "/dev/hidraw7", 8, nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ScriptedTransport transport;
        transport.nodes = kTwoMice;
        CHidDevice hid(transport, row.choice);
        EXPECT_EQ(hid.Open(row.length), row.expected != nullptr ? 1 : 0);
        EXPECT_EQ(transport.openPath,
                  row.expected != nullptr ? std::optional<std::string>(row.expected) : std::nullopt);
    }
}

// The chosen mouse unplugged while the other stays: the program's mouse is gone.
TEST(HidDeviceOpen, ChosenMouseGoneWhileTheOtherStays) {
    ScriptedTransport transport;
    transport.nodes = kTwoMice;
    CHidDevice hid(transport, "A1");
    EXPECT_FALSE(MouseWasRemoved(hid, {DeviceEvent::Kind::Removal, "/dev/hidraw5", {}}));
    transport.nodes.erase(transport.nodes.begin(), transport.nodes.begin() + 2);
    EXPECT_TRUE(MouseWasRemoved(hid, {DeviceEvent::Kind::Removal, "/dev/hidraw1", {}}));
}

TEST(HidDeviceOpen, ClosesFirstEvenWhenNothingIsFound) {
    ScriptedTransport transport;
    transport.nodes = {MouseNode("mouse", {Vendor(8)})};
    CHidDevice hid(transport);
    ASSERT_EQ(hid.Open(8), 1);

    transport.nodes.clear();
    transport.log.clear();
    EXPECT_EQ(hid.Open(8), 0);
    EXPECT_EQ(transport.log, (std::vector<std::string>{"close", "enumerate"}));
    EXPECT_FALSE(hid.IsOpen());
    const std::array<uint8_t, 8> report = {3};
    EXPECT_EQ(hid.SetFeature(report.data(), 8), 0);
    EXPECT_EQ(transport.Count("send"), 0);
}

TEST(HidDeviceOpen, LooksAgainEveryTime) {
    ScriptedTransport transport;
    transport.nodes = {MouseNode("/dev/hidraw3", {Vendor(8)})};
    CHidDevice hid(transport);
    ASSERT_EQ(hid.Open(8), 1);

    // Unplugged and plugged in again under another name.
    transport.nodes = {MouseNode("/dev/hidraw7", {Vendor(8)})};
    EXPECT_EQ(hid.Open(8), 1);
    EXPECT_EQ(transport.openPath, "/dev/hidraw7");
    EXPECT_EQ(transport.Count("enumerate"), 2);
}

TEST(HidDevice, DestructorCloses) {
    ScriptedTransport transport;
    transport.nodes = {MouseNode("mouse", {Vendor(8)})};
    {
        CHidDevice hid(transport);
        ASSERT_EQ(hid.Open(8), 1);
    }
    EXPECT_FALSE(transport.IsOpen());
}

// A device with the settings collection open through a scripted transport.
class HidDeviceTransfer : public testing::Test {
protected:
    void SetUp() override {
        transport.nodes = {MouseNode("mouse", {Vendor(8), Vendor(2049)})};
        ASSERT_EQ(hid.Open(8), 1);
    }

    ScriptedTransport transport;
    CHidDevice hid{transport};
    std::array<uint8_t, 8> report = {3, 1, 2, 3, 4, 5, 6, 7};
};

TEST_F(HidDeviceTransfer, SendPassesTheBufferUnchanged) {
    EXPECT_NE(hid.SetFeature(report.data(), 8), 0);
    EXPECT_EQ(transport.lastSent, std::vector<uint8_t>(report.begin(), report.end()));
}

TEST_F(HidDeviceTransfer, FetchHandsOverTheReportIdAndFillsTheBuffer) {
    transport.fetchReply = {3, 9, 8, 7, 6, 5, 4, 3};
    std::array<uint8_t, 8> buffer = {3};
    EXPECT_NE(hid.GetFeature(buffer.data(), 8), 0);
    EXPECT_EQ(transport.lastFetchedId, 3);
    EXPECT_EQ(std::vector<uint8_t>(buffer.begin(), buffer.end()), transport.fetchReply);
}

TEST_F(HidDeviceTransfer, FailureIsReportedAndTheCollectionStaysOpen) {
    transport.transfersSucceed = false;
    EXPECT_EQ(hid.SetFeature(report.data(), 8), 0);
    EXPECT_EQ(hid.GetFeature(report.data(), 8), 0);
    EXPECT_TRUE(hid.IsOpen());
}

TEST_F(HidDeviceTransfer, LengthOtherThanTheOpenCollectionsIsNotSent) {
    std::vector<uint8_t> big(2049, 0);
    big[0] = 4;
    struct Row {
        const char* name;
        uint8_t* buffer;
        int length;
    };
    for (const Row& row : {Row{"ButtonLength", big.data(), 2049}, Row{"Shorter", report.data(), 7},
                           Row{"Zero", report.data(), 0}, Row{"Negative", report.data(), -1},
                           Row{"NullBuffer", nullptr, 8}}) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(hid.SetFeature(row.buffer, row.length), 0);
        EXPECT_EQ(hid.GetFeature(row.buffer, row.length), 0);
    }
    EXPECT_EQ(transport.Count("send") + transport.Count("fetch"), 0);
}

TEST_F(HidDeviceTransfer, NothingIsSentAfterClose) {
    hid.Close();
    EXPECT_EQ(hid.SetFeature(report.data(), 8), 0);
    EXPECT_EQ(hid.GetFeature(report.data(), 8), 0);
    EXPECT_EQ(transport.Count("send") + transport.Count("fetch"), 0);
}

// A mouse state of zeros but for the two report IDs.
VirtualMouse::State EmptyState() {
    VirtualMouse::State state{};
    state[0] = kSettingsReportId;
    state[VirtualMouse::kButtonOffset] = kButtonReportId;
    return state;
}

// The virtual mouse declares both collections on one node, as its vendor interface does under
// hidraw: each Open still admits only its own collection's reports.
TEST(HidDeviceVirtualMouse, EachCollectionTakesOnlyItsOwnReport) {
    VirtualMouse mouse(EmptyState());
    CHidDevice hid(mouse);
    std::array<uint8_t, 8> settings = {3, 1, 1, 1, 1, 1, 1, 1};
    std::vector<uint8_t> buttons(2049, 0x55);
    buttons[0] = 4;

    ASSERT_EQ(hid.Open(kSettingsCollectionLength), 1);
    EXPECT_EQ(hid.SetFeature(buttons.data(), 2049), 0);
    EXPECT_NE(hid.SetFeature(settings.data(), 8), 0);

    ASSERT_EQ(hid.Open(kButtonCollectionLength), 1);
    EXPECT_EQ(hid.SetFeature(settings.data(), 8), 0);
    EXPECT_NE(hid.SetFeature(buttons.data(), 2049), 0);

    EXPECT_EQ(mouse.SendCount(), 2);
    EXPECT_TRUE(std::equal(buttons.begin(), buttons.end(), mouse.Reports().begin() + 8));
}

struct RemovalCase {
    const char* name;
    std::vector<HidNode> nodes;
    std::set<std::string> unopenable;
    DeviceEvent::Kind kind;
    bool expectedRemoved;
};

const std::vector<RemovalCase> kRemovalCases = {
    {"OtherNodeRemoved",
     {MouseNode("m", {Vendor(8), Vendor(2049)})},
     {},
     DeviceEvent::Kind::Removal,
     false},
    {"MouseRemoved", {}, {}, DeviceEvent::Kind::Removal, true},
    {"ButtonCollectionAloneLeft", {MouseNode("b", {Vendor(2049)})}, {}, DeviceEvent::Kind::Removal, true},
    {"SettingsCollectionAloneLeft", {MouseNode("s", {Vendor(8)})}, {}, DeviceEvent::Kind::Removal, false},
    {"MouseCannotBeOpened", {MouseNode("m", {Vendor(8)})}, {"m"}, DeviceEvent::Kind::Removal, true},
    {"ArrivalWithoutMouse", {}, {}, DeviceEvent::Kind::Arrival, false},
    {"ArrivalWithMouse",
     {MouseNode("m", {Vendor(8), Vendor(2049)})},
     {},
     DeviceEvent::Kind::Arrival,
     false},
};

TEST(MouseWasRemoved, Decisions) {
    for (const RemovalCase& row : kRemovalCases) {
        SCOPED_TRACE(row.name);
        ScriptedTransport transport;
        transport.nodes = row.nodes;
        transport.unopenable = row.unopenable;
        CHidDevice hid(transport);

        EXPECT_EQ(MouseWasRemoved(hid, {row.kind, "/dev/hidraw2", {}}), row.expectedRemoved);
        EXPECT_FALSE(transport.IsOpen());
        // An arrival does not even look for the mouse.
        EXPECT_EQ(transport.Count("enumerate"), row.kind == DeviceEvent::Kind::Removal ? 1 : 0);
    }
}

TEST(MouseWasRemoved, ArrivalLeavesAnOpenCollectionOpen) {
    VirtualMouse mouse(EmptyState());
    CHidDevice hid(mouse);
    ASSERT_EQ(hid.Open(kButtonCollectionLength), 1);
    EXPECT_FALSE(MouseWasRemoved(hid, {DeviceEvent::Kind::Arrival, "/dev/hidraw5", {}}));
    EXPECT_TRUE(hid.IsOpen());
}

TEST(MouseWasRemoved, RemovalDuringAnOpenCollectionClosesIt) {
    VirtualMouse mouse(EmptyState());
    CHidDevice hid(mouse);
    ASSERT_EQ(hid.Open(kButtonCollectionLength), 1);
    EXPECT_FALSE(MouseWasRemoved(hid, {DeviceEvent::Kind::Removal, "/dev/hidraw5", {}}));
    EXPECT_FALSE(hid.IsOpen());
    EXPECT_FALSE(mouse.IsOpen());
}

TEST(MouseWasRemoved, UnpluggedVirtualMouse) {
    VirtualMouse mouse(EmptyState());
    CHidDevice hid(mouse);
    mouse.SetPresent(false);
    EXPECT_TRUE(MouseWasRemoved(hid, {DeviceEvent::Kind::Removal, "/dev/hidraw5", {}}));
}

// A run of plug events against the virtual mouse: whether each one ends the program.
struct PresenceStep {
    bool mousePlugged;  // the mouse's state after the event
    DeviceEvent::Kind kind;
    bool expectedGone;
};

struct PresenceCase {
    const char* name;
    bool pluggedAtStart;
    std::vector<PresenceStep> steps;
};

const std::vector<PresenceCase> kPresenceCases = {
    {"OtherDeviceUnpluggedWithoutMouse", false, {{false, DeviceEvent::Kind::Removal, false}}},
    {"MouseUnplugged", true, {{false, DeviceEvent::Kind::Removal, true}}},
    {"OtherDeviceUnpluggedWithMouse", true, {{true, DeviceEvent::Kind::Removal, false}}},
    {"MousePluggedInLaterThenUnplugged",
     false,
     {{true, DeviceEvent::Kind::Arrival, false}, {false, DeviceEvent::Kind::Removal, true}}},
    {"SecondRemovalAfterTheMouseWentAway",
     true,
     {{false, DeviceEvent::Kind::Removal, true}, {false, DeviceEvent::Kind::Removal, false}}},
};

TEST(MousePresence, OnlyTheLossOfAPresentMouseCounts) {
    for (const PresenceCase& row : kPresenceCases) {
        SCOPED_TRACE(row.name);
        VirtualMouse mouse(EmptyState());
        mouse.SetPresent(row.pluggedAtStart);
        CHidDevice hid(mouse);
        MousePresence presence(hid);
        EXPECT_EQ(presence.Probe(), row.pluggedAtStart);
        for (const PresenceStep& step : row.steps) {
            mouse.SetPresent(step.mousePlugged);
            EXPECT_EQ(presence.MouseWentAway({step.kind, "/dev/hidraw4", {}}), step.expectedGone);
            EXPECT_FALSE(mouse.IsOpen());
        }
    }
}

TEST(MousePresence, ProbeKeepsAnOpenCollectionOpen) {
    VirtualMouse mouse(EmptyState());
    CHidDevice hid(mouse);
    ASSERT_EQ(hid.Open(kButtonCollectionLength), 1);
    MousePresence presence(hid);
    EXPECT_TRUE(presence.Probe());
    EXPECT_TRUE(hid.IsOpen());
}

}  // namespace
}  // namespace voltrane
