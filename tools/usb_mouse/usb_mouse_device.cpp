#include "tools/usb_mouse/usb_mouse_device.h"

#include <algorithm>
#include <utility>

#include "device/hid_device.h"
#include "device/mouse_descriptors.h"
#include "device/mouse_model.h"

namespace voltrane {

namespace {

// Standard requests, descriptor types and HID class requests.
constexpr uint8_t kGetStatus = 0x00, kClearFeature = 0x01, kSetFeature = 0x03, kGetDescriptor = 0x06,
                  kGetConfiguration = 0x08, kSetConfiguration = 0x09, kGetInterface = 0x0A,
                  kSetInterface = 0x0B;
constexpr uint8_t kDeviceType = 0x01, kConfigurationType = 0x02, kStringType = 0x03, kInterfaceType = 0x04,
                  kEndpointType = 0x05, kHidType = 0x21, kReportType = 0x22;
constexpr uint8_t kGetReport = 0x01, kGetIdle = 0x02, kGetProtocol = 0x03, kSetReport = 0x09,
                  kSetIdle = 0x0A, kSetProtocol = 0x0B;
constexpr uint8_t kFeatureReport = 3;
constexpr uint8_t kHidClass = 0x03, kBootSubclass = 0x01, kMouseProtocol = 0x02;
constexpr uint8_t kMaxPacket0 = 64;
constexpr uint8_t kInterruptPacket = 16;
constexpr uint8_t kFirstInEndpoint = 0x81;
// String descriptor indexes.
constexpr uint8_t kManufacturerString = 1, kProductString = 2, kSerialString = 3;

uint8_t low(std::size_t value) { return static_cast<uint8_t>(value & 0xFF); }
uint8_t high(std::size_t value) { return static_cast<uint8_t>((value >> 8) & 0xFF); }

UsbReply data(std::vector<uint8_t> bytes, uint16_t length) {
    if (bytes.size() > length) bytes.resize(length);
    return {UsbReply::Kind::Data, std::move(bytes)};
}

UsbReply stall() { return {UsbReply::Kind::Stall, {}}; }
UsbReply done() { return {UsbReply::Kind::Data, {}}; }

}  // namespace

UsbSetup UsbSetup::FromBytes(std::span<const uint8_t, 8> b) {
    return {b[0], b[1], static_cast<uint16_t>(b[2] | b[3] << 8), static_cast<uint16_t>(b[4] | b[5] << 8),
            static_cast<uint16_t>(b[6] | b[7] << 8)};
}

UsbMouseDevice::UsbMouseDevice(std::string serial, bool oneInterface, FaultyFirmware& firmware)
    : m_serial(std::move(serial)), m_oneInterface(oneInterface), m_firmware(firmware) {}

std::vector<uint8_t> UsbMouseDevice::InterruptEndpoints() const {
    if (m_oneInterface) return {kFirstInEndpoint};
    return {kFirstInEndpoint, kFirstInEndpoint + 1};
}

UsbReply UsbMouseDevice::Control(const UsbSetup& setup, std::span<const uint8_t> out) {
    const uint8_t kind = setup.requestType & 0x60;
    if (kind == 0x00) return StandardRequest(setup);
    if (kind == 0x20) return ClassRequest(setup, out);
    return stall();
}

UsbReply UsbMouseDevice::StandardRequest(const UsbSetup& setup) const {
    switch (setup.request) {
        case kGetDescriptor: {
            const std::optional<std::vector<uint8_t>> descriptor =
                Descriptor(high(setup.value), low(setup.value), setup.index);
            return descriptor ? data(*descriptor, setup.length) : stall();
        }
        case kGetStatus:
            return data({0, 0}, setup.length);
        case kGetConfiguration:
            return data({1}, setup.length);
        case kGetInterface:
            return data({0}, setup.length);
        case kSetConfiguration:
        case kSetInterface:
        case kClearFeature:
        case kSetFeature:
            return done();
        default:
            return stall();
    }
}

UsbReply UsbMouseDevice::ClassRequest(const UsbSetup& setup, std::span<const uint8_t> out) {
    switch (setup.request) {
        case kSetIdle:
        case kSetProtocol:
            return done();
        case kGetIdle:
            return data({0}, setup.length);
        case kGetProtocol:
            return data({1}, setup.length);
        case kGetReport:
        case kSetReport:
            break;
        default:
            return stall();
    }
    const FaultyFirmware::Arrival arrival = m_firmware.Arrive();
    if (arrival == FaultyFirmware::Arrival::Vanish) return {UsbReply::Kind::Vanish, {}};
    if (arrival == FaultyFirmware::Arrival::Ignore) return {UsbReply::Kind::None, {}};
    if (high(setup.value) != kFeatureReport || setup.index != VendorInterface()) return stall();
    if (setup.request == kSetReport) {
        // The report ID leads the data; a set for another ID than the data's is refused.
        const bool sameId = !out.empty() && out[0] == low(setup.value);
        return sameId && m_firmware.SetFeature(out) ? done() : stall();
    }
    std::vector<uint8_t> report(std::max<std::size_t>(FeatureReportLength(low(setup.value)), 1));
    report[0] = low(setup.value);
    const std::size_t sent = m_firmware.GetFeature(report);
    if (sent == 0) return stall();
    report.resize(sent);
    return data(std::move(report), setup.length);
}

std::optional<std::vector<uint8_t>> UsbMouseDevice::Descriptor(uint8_t type, uint8_t index,
                                                               uint16_t interface) const {
    if (type == kDeviceType) {
        return std::vector<uint8_t>{18,
                                    kDeviceType,
                                    0x10,
                                    0x01,
                                    0,
                                    0,
                                    0,
                                    kMaxPacket0,
                                    low(kMouseVendorId),
                                    high(kMouseVendorId),
                                    low(kMouseProductId),
                                    high(kMouseProductId),
                                    0x00,
                                    0x01,
                                    kManufacturerString,
                                    kProductString,
                                    kSerialString,
                                    1};
    }
    if (type == kConfigurationType && index == 0) return ConfigurationDescriptor();
    if (type == kStringType && index <= kSerialString) return StringDescriptor(index);
    if (type == kReportType) {
        std::vector<uint8_t> report = ReportDescriptor(interface);
        if (!report.empty()) return report;
    }
    return std::nullopt;
}

std::vector<uint8_t> UsbMouseDevice::ReportDescriptor(uint16_t interface) const {
    if (m_oneInterface) return interface == 0 ? SingleInterfaceDescriptor() : std::vector<uint8_t>();
    if (interface == 0) return {kPointerDescriptor.begin(), kPointerDescriptor.end()};
    if (interface == 1) return {kVendorDescriptor.begin(), kVendorDescriptor.end()};
    return {};
}

std::vector<uint8_t> UsbMouseDevice::ConfigurationDescriptor() const {
    const std::vector<uint8_t> endpoints = InterruptEndpoints();
    // Configuration 1: bus powered, no remote wake-up, 100 mA; its total length is filled in below.
    std::vector<uint8_t> bytes = {9, kConfigurationType, 0, 0, low(endpoints.size()), 1, 0, 0x80, 50};
    for (uint8_t number = 0; number < endpoints.size(); ++number) {
        const bool bootMouse = !m_oneInterface && number == 0;
        const std::size_t reportBytes = ReportDescriptor(number).size();
        const std::vector<uint8_t> interface = {
            9, kInterfaceType, number, 0, 1, kHidClass, bootMouse ? kBootSubclass : uint8_t{0},
            bootMouse ? kMouseProtocol : uint8_t{0}, 0,
            // The HID descriptor: HID 1.11, one report descriptor of `reportBytes`.
            9, kHidType, 0x11, 0x01, 0, 1, kReportType, low(reportBytes), high(reportBytes),
            // The interrupt IN endpoint, polled every millisecond.
            7, kEndpointType, endpoints[number], 0x03, kInterruptPacket, 0, 1};
        bytes.insert(bytes.end(), interface.begin(), interface.end());
    }
    bytes[2] = low(bytes.size());
    bytes[3] = high(bytes.size());
    return bytes;
}

std::vector<uint8_t> UsbMouseDevice::StringDescriptor(uint8_t index) const {
    if (index == 0) return {4, kStringType, 0x09, 0x04};  // US English only
    const std::string text = index == kManufacturerString ? "Voltrane test rig"
                             : index == kProductString    ? "USB test mouse"
                                                          : m_serial;
    std::vector<uint8_t> bytes = {low(2 + 2 * text.size()), kStringType};
    for (const char c : text) bytes.insert(bytes.end(), {static_cast<uint8_t>(c), 0});
    return bytes;
}

}  // namespace voltrane
