#pragma once
// The mouse as a USB device: its descriptors and its answers to control transfers, over the firmware
// of the test mice. Two layouts: the pointer collection on interface 0 (a boot-protocol mouse) and
// both vendor collections on interface 1, or everything on one interface.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "tools/faulty_firmware/faulty_firmware.h"

namespace voltrane {

// A control transfer's SETUP packet, its fields in host byte order.
struct UsbSetup {
    uint8_t requestType = 0;
    uint8_t request = 0;
    uint16_t value = 0;
    uint16_t index = 0;
    uint16_t length = 0;

    bool IsIn() const { return (requestType & 0x80) != 0; }
    // From the 8 bytes on the wire (little-endian fields).
    static UsbSetup FromBytes(std::span<const uint8_t, 8> bytes);
};

// How a control transfer ends.
struct UsbReply {
    enum class Kind { Data, Stall, None, Vanish };
    Kind kind = Kind::Stall;
    std::vector<uint8_t> data;  // IN: the bytes sent back (at most the request's length); OUT: empty
};

class UsbMouseDevice {
public:
    // A mouse with serial number `serial`, on two interfaces unless `oneInterface`.
    UsbMouseDevice(std::string serial, bool oneInterface, FaultyFirmware& firmware);

    // Answers one control transfer; `out` holds an OUT transfer's data. Unknown requests stall.
    // Feature report transfers go through the firmware's faults: None leaves the transfer unanswered,
    // Vanish means the device is to disconnect.
    UsbReply Control(const UsbSetup& setup, std::span<const uint8_t> out);

    // The endpoint addresses of the interrupt IN endpoints, one per interface.
    std::vector<uint8_t> InterruptEndpoints() const;

private:
    UsbReply StandardRequest(const UsbSetup& setup) const;
    UsbReply ClassRequest(const UsbSetup& setup, std::span<const uint8_t> out);
    std::optional<std::vector<uint8_t>> Descriptor(uint8_t type, uint8_t index, uint16_t interface) const;
    std::vector<uint8_t> ConfigurationDescriptor() const;
    std::vector<uint8_t> StringDescriptor(uint8_t index) const;
    // The report descriptor of `interface`; empty when the mouse has no such interface.
    std::vector<uint8_t> ReportDescriptor(uint16_t interface) const;
    // The interface that holds the vendor collections.
    uint16_t VendorInterface() const { return m_oneInterface ? 0 : 1; }

    std::string m_serial;
    bool m_oneInterface;
    FaultyFirmware& m_firmware;
};

}  // namespace voltrane
