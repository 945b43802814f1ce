#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/hid_device.h"
#include "device/mouse_choice.h"

namespace voltrane {
namespace {

HidNode Node(const std::string& path, const std::string& serial, uint16_t product = kMouseProductId) {
    return {path, kMouseVendorId, product, {}, serial};
}

std::vector<std::string> PathsOf(const std::vector<HidNode>& nodes) {
    std::vector<std::string> paths;
    for (const HidNode& node : nodes) paths.push_back(node.path);
    return paths;
}

// Two identical mice on two interfaces each, an unrelated device between them with a serial of its own
// and one with the first mouse's serial.
const std::vector<HidNode> kTwoMice = {
    Node("/dev/hidraw0", "A1"), Node("/dev/hidraw1", "A1"), Node("/dev/hidraw2", "K9", 0x1234),
    Node("/dev/hidraw3", "B2"), Node("/dev/hidraw4", "B2"), Node("/dev/hidraw5", "A1", 0x1234),
};

TEST(ListMice, Table) {
    struct Row {
        const char* name;
        std::vector<HidNode> nodes;
        std::vector<MouseUnit> expected;
    };
    const Row rows[] = {
        {"None", {}, {}},
        {"OnlyOtherDevices", {Node("/dev/hidraw0", "A1", 0x1234)}, {}},
        {"TwoMiceTwoInterfacesEach",
         kTwoMice,
         {{"A1", {"/dev/hidraw0", "/dev/hidraw1"}}, {"B2", {"/dev/hidraw3", "/dev/hidraw4"}}}},
        {"InterleavedNodesGrouped",
         {Node("/dev/hidraw3", "B2"), Node("/dev/hidraw0", "A1"), Node("/dev/hidraw4", "B2")},
         {{"B2", {"/dev/hidraw3", "/dev/hidraw4"}}, {"A1", {"/dev/hidraw0"}}}},
        {"WithoutSerialsOneMouse",
         {Node("/dev/hidraw0", ""), Node("/dev/hidraw1", "")},
         {{"", {"/dev/hidraw0", "/dev/hidraw1"}}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::vector<MouseUnit> mice = ListMice(row.nodes);
        ASSERT_EQ(mice.size(), row.expected.size());
        for (std::size_t i = 0; i < mice.size(); ++i) {
            EXPECT_EQ(mice[i].serial, row.expected[i].serial);
            EXPECT_EQ(mice[i].paths, row.expected[i].paths);
        }
    }
}

TEST(ChosenNodes, Table) {
    struct Row {
        const char* name;
        std::vector<HidNode> nodes;
        std::string choice;
        std::vector<std::string> expected;
    };
    const Row rows[] = {
        {"NoChoiceKeepsAll",
         kTwoMice,
         "",
         {"/dev/hidraw0", "/dev/hidraw1", "/dev/hidraw2", "/dev/hidraw3", "/dev/hidraw4", "/dev/hidraw5"}},
        // Another device's serial number may equal the mouse's; the mouse is told apart by its IDs later.
        {"SerialPicksItsNodes", kTwoMice, "B2", {"/dev/hidraw3", "/dev/hidraw4"}},
        {"SerialOfFirst", kTwoMice, "A1", {"/dev/hidraw0", "/dev/hidraw1", "/dev/hidraw5"}},
        {"SerialCaseMatters", kTwoMice, "b2", {}},
        {"SerialPrefixIsNotTheSerial", kTwoMice, "B", {}},
        {"UnknownSerial", kTwoMice, "C3", {}},
        {"PathPicksTheWholeMouse", kTwoMice, "/dev/hidraw4", {"/dev/hidraw3", "/dev/hidraw4"}},
        {"PathOfPointerInterface", kTwoMice, "/dev/hidraw3", {"/dev/hidraw3", "/dev/hidraw4"}},
        {"UnknownPath", kTwoMice, "/dev/hidraw9", {}},
        {"PathWithoutSerialOnlyItself",
         {Node("/dev/hidraw0", ""), Node("/dev/hidraw1", "")},
         "/dev/hidraw1",
         {"/dev/hidraw1"}},
        {"SerialNeverPicksNodesWithout", {Node("/dev/hidraw0", "")}, "A1", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(PathsOf(ChosenNodes(row.nodes, row.choice)), row.expected);
    }
}

TEST(SteadyChoice, Table) {
    struct Row {
        const char* name;
        std::vector<HidNode> nodes;
        std::string choice;
        std::string expected;
    };
    const Row rows[] = {
        {"FirstMouseFound", kTwoMice, "", "A1"},
        {"FirstMouseAfterOtherDevice",
         {Node("/dev/hidraw2", "K9", 0x1234), Node("/dev/hidraw3", "B2")},
         "",
         "B2"},
        {"PathBecomesSerial", kTwoMice, "/dev/hidraw4", "B2"},
        {"SerialStays", kTwoMice, "B2", "B2"},
        {"NoMouseKeepsChoice", {}, "", ""},
        {"UnknownPathKept", kTwoMice, "/dev/hidraw9", "/dev/hidraw9"},
        {"PathWithoutSerialKept", {Node("/dev/hidraw0", "")}, "/dev/hidraw0", "/dev/hidraw0"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(SteadyChoice(row.nodes, row.choice), row.expected);
    }
}

TEST(MiceText, OneLinePerMouse) {
    const std::vector<MouseUnit> mice = {{"A1", {"/dev/hidraw0", "/dev/hidraw1"}}, {"", {"/dev/hidraw7"}}};
    EXPECT_EQ(MiceText(mice), "  serial A1: /dev/hidraw0 /dev/hidraw1\n  serial (none): /dev/hidraw7\n");
}

}  // namespace
}  // namespace voltrane
