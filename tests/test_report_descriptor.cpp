#include <gtest/gtest.h>

#include <climits>
#include <fstream>
#include <iterator>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "device/report_descriptor.h"

namespace voltrane {

bool operator==(const HidCollectionInfo& a, const HidCollectionInfo& b) {
    return a.usagePage == b.usagePage && a.usage == b.usage && a.inputReportLength == b.inputReportLength &&
           a.outputReportLength == b.outputReportLength && a.featureReportLength == b.featureReportLength;
}

void PrintTo(const HidCollectionInfo& c, std::ostream* os) {
    *os << std::hex << "{page 0x" << c.usagePage << ", usage 0x" << c.usage << std::dec << ", in "
        << c.inputReportLength << ", out " << c.outputReportLength << ", feature " << c.featureReportLength
        << "}";
}

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

Bytes Repeat(const Bytes& part, int times) {
    Bytes out;
    for (int i = 0; i < times; ++i) out.insert(out.end(), part.begin(), part.end());
    return out;
}

// clang-format off
// The mouse's two vendor collections: 7 bytes of settings under report ID 3, 2048 bytes of buttons
// under report ID 4.
const Bytes kVendorCollections = {
    0x06, 0x00, 0xFF,  // Usage Page (0xFF00)
    0x09, 0x01,        // Usage (1)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x03,        //   Report ID (3)
    0x09, 0x02,        //   Usage (2)
    0x15, 0x00,        //   Logical Minimum (0)
    0x26, 0xFF, 0x00,  //   Logical Maximum (255)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x07,        //   Report Count (7)
    0xB1, 0x02,        //   Feature (Data, Var, Abs)
    0xC0,              // End Collection
    0x06, 0x00, 0xFF,  // Usage Page (0xFF00)
    0x09, 0x02,        // Usage (2)
    0xA1, 0x01,        // Collection (Application)
    0x85, 0x04,        //   Report ID (4)
    0x09, 0x03,        //   Usage (3)
    0x96, 0x00, 0x08,  //   Report Count (2048); size and logical range carry over
    0xB1, 0x02,        //   Feature (Data, Var, Abs)
    0xC0,              // End Collection
};

// Boot protocol mouse: 3 buttons, 5 bits padding, X and Y; no report IDs.
const Bytes kBootMouse = {
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01,                    // Generic Desktop, Mouse, Application
    0x09, 0x01, 0xA1, 0x00,                                // Pointer, Physical
    0x05, 0x09, 0x19, 0x01, 0x29, 0x03, 0x15, 0x00, 0x25, 0x01,  // Buttons 1-3, 0..1
    0x95, 0x03, 0x75, 0x01, 0x81, 0x02,                    // 3 x 1 bit input
    0x95, 0x01, 0x75, 0x05, 0x81, 0x01,                    // 5 bits padding
    0x05, 0x01, 0x09, 0x30, 0x09, 0x31, 0x15, 0x81, 0x25, 0x7F,  // X, Y, -127..127
    0x75, 0x08, 0x95, 0x02, 0x81, 0x06,                    // 2 x 8 bit input
    0xC0, 0xC0,
};

// Boot protocol keyboard: modifiers, reserved byte, LED output, six key codes.
const Bytes kBootKeyboard = {
    0x05, 0x01, 0x09, 0x06, 0xA1, 0x01,                    // Generic Desktop, Keyboard, Application
    0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7, 0x15, 0x00, 0x25, 0x01,  // modifier keys
    0x75, 0x01, 0x95, 0x08, 0x81, 0x02,                    // 8 x 1 bit input
    0x95, 0x01, 0x75, 0x08, 0x81, 0x01,                    // reserved byte
    0x95, 0x05, 0x75, 0x01, 0x05, 0x08, 0x19, 0x01, 0x29, 0x05, 0x91, 0x02,  // 5 LEDs
    0x95, 0x01, 0x75, 0x03, 0x91, 0x01,                    // 3 bits LED padding
    0x95, 0x06, 0x75, 0x08, 0x15, 0x00, 0x25, 0x65,        // 6 x 8 bit key codes
    0x05, 0x07, 0x19, 0x00, 0x29, 0x65, 0x81, 0x00,
    0xC0,
};

// Report ID 1 gets 2 + 3 bytes in two pieces, report ID 2 gets 4 bytes in between.
const Bytes kSeveralReportIds = {
    0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x75, 0x08,
    0x85, 0x01, 0x95, 0x02, 0x81, 0x02,  // ID 1: 2 bytes
    0x85, 0x02, 0x95, 0x04, 0x81, 0x02,  // ID 2: 4 bytes
    0x85, 0x01, 0x95, 0x03, 0x81, 0x02,  // ID 1: 3 more bytes
    0x85, 0x02, 0x95, 0x01, 0xB1, 0x02,  // ID 2: 1 feature byte
    0xC0,
};

// Items in nested collections belong to the top-level one, also after the inner ones close; the report
// ID and sizes carry over into the next top-level collection.
const Bytes kNested = {
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x85, 0x05, 0x75, 0x08, 0x95, 0x01,
    0x09, 0x01, 0xA1, 0x00,              //   Pointer, Physical
    0x09, 0x30, 0xA1, 0x02,              //     X, Logical
    0x81, 0x02,                          //       1 byte input
    0xC0,                                //     End Collection
    0x81, 0x02,                          //     1 byte input
    0xC0,                                //   End Collection
    0x91, 0x02,                          //   1 byte output
    0xC0,                                // End Collection
    0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01,  // Consumer, Consumer Control, Application
    0x95, 0x03, 0xB1, 0x02,              //   3 bytes feature, still report ID 5
    0xC0,
};

// The global state saved by Push comes back with Pop: Report Size 8, Count 2, report ID 1.
const Bytes kPushPop = {
    0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x01, 0x75, 0x08, 0x95, 0x02,
    0xA4,                                            // Push
    0x85, 0x02, 0x75, 0x10, 0x95, 0x04, 0x81, 0x02,  // ID 2: 8 bytes
    0xB4,                                            // Pop
    0x81, 0x02,                                      // ID 1: 2 bytes
    0x85, 0x02, 0x81, 0x02,                          // ID 2: 2 more bytes
    0xC0,
};

const Bytes kOpenVendorCollection = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x75, 0x08, 0x95, 0x01};
const Bytes kInputByte = {0x81, 0x02};
// clang-format on

struct DescriptorCase {
    std::string name;
    Bytes descriptor;
    std::vector<HidCollectionInfo> expected;
};

// clang-format off
const std::vector<DescriptorCase> kCases = {
    {"VendorCollections", kVendorCollections, {{0xFF00, 1, 0, 0, 8}, {0xFF00, 2, 0, 0, 2049}}},
    {"BootMouseWithoutReportIds", kBootMouse, {{0x0001, 0x0002, 4, 0, 0}}},
    {"BootKeyboard", kBootKeyboard, {{0x0001, 0x0006, 9, 2, 0}}},
    {"LongestReportIdWins", kSeveralReportIds, {{0xFF00, 1, 6, 0, 2}}},
    {"NestedCollections", kNested, {{0x0001, 0x0002, 3, 2, 0}, {0x000C, 0x0001, 0, 0, 4}}},
    {"PushPop", kPushPop, {{0xFF00, 1, 11, 0, 0}}},
    {"Empty", {}, {}},
    // Bits round up to whole bytes; an item of zero bits still makes a report of its kind.
    {"PartialByteRoundsUp",
     Concat({kOpenVendorCollection, {0x75, 0x01, 0x95, 0x09}, kInputByte, {0x95, 0x00, 0xB1, 0x02, 0xC0}}),
     {{0xFF00, 1, 3, 0, 1}}},

    // The collection's usage.
    {"ExtendedUsageCarriesPage",
     {0x05, 0x01, 0x0B, 0x01, 0x00, 0x0C, 0x00, 0xA1, 0x01, 0xC0},
     {{0x000C, 0x0001, 0, 0, 0}}},
    {"UsageMinimumNamesCollection",
     {0x05, 0x0C, 0x19, 0x03, 0x29, 0x05, 0xA1, 0x01, 0xC0},
     {{0x000C, 3, 0, 0, 0}}},
    {"FirstUsageNamesCollection",
     {0x05, 0x01, 0x09, 0x04, 0x09, 0x05, 0xA1, 0x01, 0xC0},
     {{0x0001, 4, 0, 0, 0}}},
    {"UsagePageAtCollectionApplies", {0x09, 0x02, 0x05, 0x01, 0xA1, 0x01, 0xC0}, {{0x0001, 2, 0, 0, 0}}},
    {"UsageEndsAtMainItem",
     {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0xC0, 0xA1, 0x01, 0xC0},
     {{0x0001, 2, 0, 0, 0}, {0x0001, 0, 0, 0, 0}}},
    {"LongItemSkipped",
     Concat({kOpenVendorCollection, {0xFE, 0x02, 0x10, 0x81, 0x02}, kInputByte, {0xC0}}),
     {{0xFF00, 1, 2, 0, 0}}},
    {"ReservedItemTypeSkipped",
     Concat({kOpenVendorCollection, {0x0D, 0x81}, kInputByte, {0xC0}}),
     {{0xFF00, 1, 2, 0, 0}}},

    // Untrusted input.
    {"TruncatedCollectionItem", {0x05, 0x01, 0x09, 0x02, 0xA1}, {}},
    {"TruncatedShortItem",
     Concat({kOpenVendorCollection, kInputByte, {0x96, 0x10}}),
     {{0xFF00, 1, 2, 0, 0}}},
    {"TruncatedLongItemData",
     Concat({kOpenVendorCollection, kInputByte, {0xFE, 0x05, 0x10, 0x81, 0x02}}),
     {{0xFF00, 1, 2, 0, 0}}},
    {"TruncatedLongItemHeader",
     Concat({kOpenVendorCollection, kInputByte, {0xFE, 0x05}}),
     {{0xFF00, 1, 2, 0, 0}}},
    {"MainItemsOutsideCollectionsIgnored",
     Concat({{0x75, 0x08, 0x95, 0x04, 0x81, 0x02, 0xB1, 0x02}, kOpenVendorCollection, {0xC0}, kInputByte}),
     {{0xFF00, 1, 0, 0, 0}}},
    {"UnbalancedEndCollectionIgnored",
     Concat({{0xC0, 0xC0}, kOpenVendorCollection, {0xC0, 0xC0}, kInputByte, {0xA1, 0x01}, kInputByte}),
     {{0xFF00, 1, 0, 0, 0}, {0xFF00, 0, 2, 0, 0}}},
    {"DeepNestingStaysInOneCollection",
     Concat({kOpenVendorCollection, Repeat({0xA1, 0x00}, 300), kInputByte, Repeat({0xC0}, 301), kInputByte,
             {0xA1, 0x01}}),
     {{0xFF00, 1, 2, 0, 0}, {0xFF00, 0, 0, 0, 0}}},
    {"ReportSizeTimesCountNeeds64Bits",
     Concat({kOpenVendorCollection, {0x76, 0x00, 0x01, 0x97, 0x00, 0x00, 0x00, 0x01}, kInputByte}),
     {{0xFF00, 1, (1 << 29) + 1, 0, 0}}},
    {"AbsurdLengthSaturates",
     Concat({kOpenVendorCollection, {0x77, 0xFF, 0xFF, 0xFF, 0xFF, 0x97, 0xFF, 0xFF, 0xFF, 0xFF},
             kInputByte, kInputByte, {0x75, 0x08, 0x95, 0x01, 0x85, 0x02}, kInputByte}),
     {{0xFF00, 1, INT_MAX, 0, 0}}},
    {"PushStackFull",
     Concat({kOpenVendorCollection, Repeat({0xA4}, kHidGlobalStackDepth), kInputByte, {0xA4}, kInputByte}),
     {{0xFF00, 1, 2, 0, 0}}},
    {"PopWithEmptyStack",
     Concat({kOpenVendorCollection, kInputByte, {0xB4}, kInputByte}),
     {{0xFF00, 1, 2, 0, 0}}},
};
// clang-format on

void PrintTo(const DescriptorCase& c, std::ostream* os) { *os << c.name; }

class HandWrittenDescriptor : public testing::TestWithParam<DescriptorCase> {};

TEST_P(HandWrittenDescriptor, GivesCollections) {
    const DescriptorCase& c = GetParam();
    EXPECT_EQ(ParseReportDescriptor(c.descriptor), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, HandWrittenDescriptor, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<DescriptorCase>& info) {
                             return info.param.name;
                         });

// Every prefix of the vendor descriptor parses without reading past its end, and gives the collections
// the full descriptor opens, in the same order, never more of them.
TEST(ReportDescriptor, EveryPrefixOfTheVendorCollectionsIsSafe) {
    const auto full = ParseReportDescriptor(kVendorCollections);
    for (size_t n = 0; n < kVendorCollections.size(); ++n) {
        SCOPED_TRACE("prefix of " + std::to_string(n) + " bytes");
        const Bytes prefix(kVendorCollections.begin(), kVendorCollections.begin() + n);
        const auto parsed = ParseReportDescriptor(prefix);
        ASSERT_LE(parsed.size(), full.size());
        for (size_t i = 0; i < parsed.size(); ++i) {
            EXPECT_EQ(parsed[i].usagePage, full[i].usagePage);
            EXPECT_EQ(parsed[i].usage, full[i].usage);
            EXPECT_LE(parsed[i].featureReportLength, full[i].featureReportLength);
        }
    }
}

const std::string kDataDir = VOLTRANE_SOURCE_DIR "/tests/data/hid-descriptors/";

std::optional<Bytes> ReadBinary(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct MeasuredRow {
    std::string file;
    HidCollectionInfo expected;
};

// Rows of expected.tsv: file, usage page, usage, input, output and feature lengths; after a header.
std::vector<MeasuredRow> ReadMeasuredRows(std::istream& in) {
    std::vector<MeasuredRow> rows;
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        if (line.empty()) continue;
        std::istringstream fields(line);
        MeasuredRow row;
        std::string page, usage;
        int input = -1, output = -1, feature = -1;
        fields >> row.file >> page >> usage >> input >> output >> feature;
        row.expected = {uint16_t(std::stoul(page, nullptr, 16)), uint16_t(std::stoul(usage, nullptr, 16)),
                        input, output, feature};
        rows.push_back(row);
    }
    return rows;
}

// Lengths the other platform's HID parser measured for real devices.
TEST(ReportDescriptor, AgreesWithMeasuredLengthsOfRealDevices) {
    std::ifstream tsv(kDataDir + "expected.tsv");
    ASSERT_TRUE(tsv) << "missing " << kDataDir << "expected.tsv";
    const std::vector<MeasuredRow> rows = ReadMeasuredRows(tsv);
    ASSERT_FALSE(rows.empty());
    for (const MeasuredRow& row : rows) {
        SCOPED_TRACE(row.file);
        const std::optional<Bytes> descriptor = ReadBinary(kDataDir + row.file);
        ASSERT_TRUE(descriptor && !descriptor->empty()) << "missing or empty " << row.file;
        const auto collections = ParseReportDescriptor(*descriptor);
        bool found = false;
        for (const HidCollectionInfo& c : collections) {
            if (c.usagePage != row.expected.usagePage || c.usage != row.expected.usage) continue;
            found = true;
            EXPECT_EQ(c, row.expected);
        }
        EXPECT_TRUE(found) << "no top-level collection with that usage";
    }
}

}  // namespace
}  // namespace voltrane
