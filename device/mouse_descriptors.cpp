#include "device/mouse_descriptors.h"

#include "device/mouse_model.h"

namespace voltrane {

namespace {

constexpr uint8_t lowByte(int value) { return static_cast<uint8_t>(value & 0xFF); }
constexpr uint8_t highByte(int value) { return static_cast<uint8_t>((value >> 8) & 0xFF); }

// Feature report counts: the data bytes of each report, its ID not counted.
constexpr int kSettingsDataBytes = kSettingsReportLength - 1;
constexpr int kButtonDataBytes = kButtonReportLength - 1;
static_assert(kSettingsDataBytes < 0x100, "the settings report count is a one-byte item");

// clang-format off
// The pointer interface: five buttons, X and Y of 16 bits, a wheel. No feature reports.
const uint8_t kPointerDescriptorBytes[] = {
    0x05, 0x01,              // Usage Page (Generic Desktop)
    0x09, 0x02,              // Usage (Mouse)
    0xA1, 0x01,              // Collection (Application)
    0x09, 0x01,              //   Usage (Pointer)
    0xA1, 0x00,              //   Collection (Physical)
    0x05, 0x09,              //     Usage Page (Buttons)
    0x19, 0x01, 0x29, 0x05,  //     Usage Minimum (1), Usage Maximum (5)
    0x15, 0x00, 0x25, 0x01,  //     Logical Minimum (0), Logical Maximum (1)
    0x75, 0x01, 0x95, 0x05,  //     Report Size (1), Report Count (5)
    0x81, 0x02,              //     Input (Data, Var, Abs)
    0x75, 0x03, 0x95, 0x01,  //     Report Size (3), Report Count (1)
    0x81, 0x01,              //     Input (Const): padding
    0x05, 0x01,              //     Usage Page (Generic Desktop)
    0x09, 0x30, 0x09, 0x31,  //     Usage (X), Usage (Y)
    0x16, 0x01, 0x80,        //     Logical Minimum (-32767)
    0x26, 0xFF, 0x7F,        //     Logical Maximum (32767)
    0x75, 0x10, 0x95, 0x02,  //     Report Size (16), Report Count (2)
    0x81, 0x06,              //     Input (Data, Var, Rel)
    0x09, 0x38,              //     Usage (Wheel)
    0x15, 0x81, 0x25, 0x7F,  //     Logical Minimum (-127), Logical Maximum (127)
    0x75, 0x08, 0x95, 0x01,  //     Report Size (8), Report Count (1)
    0x81, 0x06,              //     Input (Data, Var, Rel)
    0xC0,                    //   End Collection
    0xC0,                    // End Collection
};

// The vendor interface: the settings collection (report ID 3, 7 data bytes), then the button
// collection (report ID 4, 2048 data bytes).
const uint8_t kVendorDescriptorBytes[] = {
    0x06, lowByte(kMouseUsagePage), highByte(kMouseUsagePage),    // Usage Page (0xFF00)
    0x09, 0x01,                                                   // Usage (1)
    0xA1, 0x01,                                                   // Collection (Application)
    0x85, kSettingsReportId,                                      //   Report ID (3)
    0x09, 0x01,                                                   //   Usage (1)
    0x15, 0x00,                                                   //   Logical Minimum (0)
    0x26, 0xFF, 0x00,                                             //   Logical Maximum (255)
    0x75, 0x08, 0x95, kSettingsDataBytes,                         //   Report Size (8), Report Count (7)
    0xB1, 0x02,                                                   //   Feature (Data, Var, Abs)
    0xC0,                                                         // End Collection
    0x09, 0x02,                                                   // Usage (2)
    0xA1, 0x01,                                                   // Collection (Application)
    0x85, kButtonReportId,                                        //   Report ID (4)
    0x09, 0x02,                                                   //   Usage (2)
    0x96, lowByte(kButtonDataBytes), highByte(kButtonDataBytes),  //   Report Count (2048)
    0xB1, 0x02,                                                   //   Feature (Data, Var, Abs)
    0xC0,                                                         // End Collection
};
// clang-format on

}  // namespace

const std::span<const uint8_t> kPointerDescriptor(kPointerDescriptorBytes);
const std::span<const uint8_t> kVendorDescriptor(kVendorDescriptorBytes);

std::vector<uint8_t> SingleInterfaceDescriptor() {
    constexpr std::size_t kPointerHeader = 6;  // Usage Page, Usage (Mouse), Collection (Application)
    std::vector<uint8_t> bytes(kPointerDescriptor.begin(), kPointerDescriptor.begin() + kPointerHeader);
    bytes.insert(bytes.end(), {0x85, kPointerReportId});
    bytes.insert(bytes.end(), kPointerDescriptor.begin() + kPointerHeader, kPointerDescriptor.end());
    bytes.insert(bytes.end(), kVendorDescriptor.begin(), kVendorDescriptor.end());
    return bytes;
}

}  // namespace voltrane
