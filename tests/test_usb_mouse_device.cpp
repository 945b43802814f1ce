#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/factory_state.h"
#include "device/mouse_descriptors.h"
#include "device/reports.h"
#include "tools/usb_mouse/usb_mouse_device.h"

namespace voltrane {
namespace {

using Bytes = std::vector<uint8_t>;

UsbSetup Request(uint8_t requestType, uint8_t request, uint16_t value, uint16_t index, uint16_t length) {
    return {requestType, request, value, index, length};
}
UsbSetup GetDescriptor(uint8_t type, uint8_t index, uint16_t length, uint16_t interface = 0) {
    return Request(type == 0x22 ? 0x81 : 0x80, 0x06, static_cast<uint16_t>(type << 8 | index), interface,
                 length);
}
UsbSetup GetFeature(uint8_t id, uint16_t interface, uint16_t length) {
    return Request(0xA1, 0x01, static_cast<uint16_t>(0x0300 | id), interface, length);
}
UsbSetup SetFeature(uint8_t id, uint16_t interface, uint16_t length) {
    return Request(0x21, 0x09, static_cast<uint16_t>(0x0300 | id), interface, length);
}

// A mouse with its firmware and faults, on one or two interfaces.
struct Rig {
    explicit Rig(bool oneInterface = false, MouseFaults given = {})
        : faults(std::move(given)), firmware(faults), device("VT0042", oneInterface, firmware) {}
    Bytes In(const UsbSetup& setup) {
        const UsbReply reply = device.Control(setup, {});
        EXPECT_EQ(reply.kind, UsbReply::Kind::Data);
        return reply.data;
    }
    MouseFaults faults;
    FaultyFirmware firmware;
    UsbMouseDevice device;
};

TEST(UsbMouseDevice, SetupPacketFieldsAreLittleEndian) {
    const uint8_t bytes[8] = {0xA1, 0x01, 0x04, 0x03, 0x01, 0x00, 0x01, 0x08};
    const UsbSetup setup = UsbSetup::FromBytes(bytes);
    EXPECT_EQ(setup.requestType, 0xA1);
    EXPECT_EQ(setup.request, 0x01);
    EXPECT_EQ(setup.value, 0x0304);
    EXPECT_EQ(setup.index, 1);
    EXPECT_EQ(setup.length, 2049);
    EXPECT_TRUE(setup.IsIn());
}

TEST(UsbMouseDevice, DeviceDescriptorNamesTheMouse) {
    Rig rig;
    const Bytes descriptor = rig.In(GetDescriptor(0x01, 0, 64));
    ASSERT_EQ(descriptor.size(), 18u);
    EXPECT_EQ(descriptor[0], 18);
    EXPECT_EQ(descriptor[8] | descriptor[9] << 8, 0x1B80);
    EXPECT_EQ(descriptor[10] | descriptor[11] << 8, 0xB412);
    EXPECT_EQ(descriptor[17], 1);  // one configuration
    // The first eight bytes are all the kernel asks for at first.
    EXPECT_EQ(rig.In(GetDescriptor(0x01, 0, 8)), Bytes(descriptor.begin(), descriptor.begin() + 8));
}

// The configuration descriptor as the kernel walks it: every descriptor's length leads to the next,
// the total matches, and each interface's HID descriptor gives the length of the report descriptor
// that interface returns.
TEST(UsbMouseDevice, ConfigurationDescriptorIsConsistent) {
    struct Row {
        const char* name;
        bool oneInterface;
        std::vector<uint8_t> endpoints;
        std::vector<Bytes> reports;
        std::vector<uint8_t> subclasses;
    };
    const Bytes pointer(kPointerDescriptor.begin(), kPointerDescriptor.end());
    const Bytes vendor(kVendorDescriptor.begin(), kVendorDescriptor.end());
    const Row rows[] = {
        {"TwoInterfaces", false, {0x81, 0x82}, {pointer, vendor}, {1, 0}},
        {"OneInterface", true, {0x81}, {SingleInterfaceDescriptor()}, {0}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Rig rig(row.oneInterface);
        const Bytes head = rig.In(GetDescriptor(0x02, 0, 9));
        ASSERT_EQ(head.size(), 9u);
        const std::size_t total = head[2] | head[3] << 8;
        const Bytes config = rig.In(GetDescriptor(0x02, 0, 0xFFFF));
        ASSERT_EQ(config.size(), total);
        EXPECT_EQ(config[4], row.endpoints.size());
        std::vector<uint8_t> endpoints;
        std::vector<uint8_t> subclasses;
        int interface = -1;
        for (std::size_t at = 0; at < config.size(); at += config[at]) {
            ASSERT_GE(config[at], 2);
            ASSERT_LE(at + config[at], config.size());
            const uint8_t type = config[at + 1];
            if (type == 0x04) {
                interface = config[at + 2];
                EXPECT_EQ(config[at + 5], 0x03);  // HID
                subclasses.push_back(config[at + 6]);
            }
            if (type == 0x05) endpoints.push_back(config[at + 2]);
            if (type == 0x21) {
                ASSERT_GE(interface, 0);
                const std::size_t length = config[at + 7] | config[at + 8] << 8;
                const Bytes report =
                    rig.In(GetDescriptor(0x22, 0, 0xFFFF, static_cast<uint16_t>(interface)));
                EXPECT_EQ(report, row.reports[static_cast<std::size_t>(interface)]);
                EXPECT_EQ(length, report.size());
            }
        }
        EXPECT_EQ(endpoints, row.endpoints);
        EXPECT_EQ(endpoints, rig.device.InterruptEndpoints());
        EXPECT_EQ(subclasses, row.subclasses);
    }
}

TEST(UsbMouseDevice, SerialNumberString) {
    Rig rig;
    const Bytes languages = rig.In(GetDescriptor(0x03, 0, 255));
    EXPECT_EQ(languages, (Bytes{4, 0x03, 0x09, 0x04}));
    const Bytes device = rig.In(GetDescriptor(0x01, 0, 18));
    const Bytes serial = rig.In(GetDescriptor(0x03, device[16], 255));
    EXPECT_EQ(serial, (Bytes{14, 0x03, 'V', 0, 'T', 0, '0', 0, '0', 0, '4', 0, '2', 0}));
}

// Feature reports travel only on the interface of the vendor collections, whole, the report ID first.
TEST(UsbMouseDevice, FeatureReportsOnTheVendorInterface) {
    struct Row {
        const char* name;
        bool oneInterface;
        uint16_t interface;
        bool taken;
    };
    const Row rows[] = {
        {"VendorInterface", false, 1, true},
        {"PointerInterfaceStalls", false, 0, false},
        {"OneInterface", true, 0, true},
        {"NoSuchInterface", true, 1, false},
    };
    const VirtualMouse::State factory = FactoryState();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Rig rig(row.oneInterface);
        const UsbReply got = rig.device.Control(GetFeature(kButtonReportId, row.interface, 2049), {});
        ASSERT_EQ(got.kind, row.taken ? UsbReply::Kind::Data : UsbReply::Kind::Stall);
        if (row.taken) {
            EXPECT_EQ(got.data, Bytes(factory.begin() + 8, factory.end()));
        }

        Bytes settings(factory.begin(), factory.begin() + 8);
        settings[1] ^= 0x01;
        const UsbReply set = rig.device.Control(SetFeature(kSettingsReportId, row.interface, 8), settings);
        EXPECT_EQ(set.kind, row.taken ? UsbReply::Kind::Data : UsbReply::Kind::Stall);
        if (!row.taken) continue;
        EXPECT_EQ(rig.In(GetFeature(kSettingsReportId, row.interface, 8)), settings);
    }
}

TEST(UsbMouseDevice, RefusedReports) {
    Rig rig;
    const VirtualMouse::State factory = FactoryState();
    Bytes settings(factory.begin(), factory.begin() + 8);
    struct Row {
        const char* name;
        UsbSetup setup;
        Bytes data;
    };
    const Row rows[] = {
        {"IdOfRequestAndDataDiffer", SetFeature(kButtonReportId, 1, 8), settings},
        {"ShortSettings", SetFeature(kSettingsReportId, 1, 7),
         Bytes(settings.begin(), settings.begin() + 7)},
        {"NoData", SetFeature(kSettingsReportId, 1, 0), {}},
        {"UnknownReport", GetFeature(5, 1, 8), {}},
        {"InputReport", Request(0xA1, 0x01, 0x0103, 1, 8), {}},
        {"UnknownClassRequest", Request(0xA1, 0x07, 0, 1, 8), {}},
        {"VendorRequest", Request(0xC0, 0x01, 0, 0, 8), {}},
        {"UnknownDescriptor", GetDescriptor(0x0F, 0, 5), {}},
        {"NoSuchString", GetDescriptor(0x03, 9, 255), {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(rig.device.Control(row.setup, row.data).kind, UsbReply::Kind::Stall);
    }
    EXPECT_EQ(rig.In(GetFeature(kSettingsReportId, 1, 8)), settings);
}

TEST(UsbMouseDevice, FaultsOfFeatureTransfers) {
    MouseFaults shortReplies;
    shortReplies.shortReplies = true;
    Rig shortRig(false, shortReplies);
    EXPECT_EQ(shortRig.In(GetFeature(kSettingsReportId, 1, 8)).size(), 7u);

    MouseFaults silent;
    silent.noAnswer = true;
    Rig silentRig(false, silent);
    EXPECT_EQ(silentRig.device.Control(GetFeature(kSettingsReportId, 1, 8), {}).kind, UsbReply::Kind::None);
    // Enumeration still works: only feature transfers go unanswered.
    EXPECT_EQ(silentRig.In(GetDescriptor(0x01, 0, 18)).size(), 18u);

    MouseFaults vanishing;
    vanishing.vanishAfter = 2;
    Rig vanishRig(false, vanishing);
    for (int transfer = 0; transfer < 2; ++transfer) vanishRig.In(GetFeature(kSettingsReportId, 1, 8));
    EXPECT_EQ(vanishRig.device.Control(GetFeature(kSettingsReportId, 1, 8), {}).kind,
              UsbReply::Kind::Vanish);
}

}  // namespace
}  // namespace voltrane
