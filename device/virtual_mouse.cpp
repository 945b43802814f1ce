#include "device/virtual_mouse.h"

#include <algorithm>
#include <string_view>
#include <system_error>
#include <utility>

#include "device/hid_device.h"
#include "device/report_descriptor.h"
#include "settings/atomic_file.h"

namespace voltrane {

namespace {

// clang-format off
// The pointer interface: five buttons, X and Y of 16 bits, a wheel. No feature reports.
constexpr uint8_t kPointerDescriptor[] = {
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
constexpr uint8_t kVendorDescriptor[] = {
    0x06, 0x00, 0xFF,        // Usage Page (0xFF00)
    0x09, 0x01,              // Usage (1)
    0xA1, 0x01,              // Collection (Application)
    0x85, 0x03,              //   Report ID (3)
    0x09, 0x01,              //   Usage (1)
    0x15, 0x00,              //   Logical Minimum (0)
    0x26, 0xFF, 0x00,        //   Logical Maximum (255)
    0x75, 0x08, 0x95, 0x07,  //   Report Size (8), Report Count (7)
    0xB1, 0x02,              //   Feature (Data, Var, Abs)
    0xC0,                    // End Collection
    0x09, 0x02,              // Usage (2)
    0xA1, 0x01,              // Collection (Application)
    0x85, 0x04,              //   Report ID (4)
    0x09, 0x02,              //   Usage (2)
    0x96, 0x00, 0x08,        //   Report Count (2048)
    0xB1, 0x02,              //   Feature (Data, Var, Abs)
    0xC0,                    // End Collection
};
// clang-format on

// The vendor descriptor up to the end of the settings collection.
constexpr std::size_t kSettingsOnlyDescriptorBytes = 23;

constexpr int kPointerNode = 0;
constexpr int kVendorNode = 1;

HidNode MakeNode(const char* path, std::span<const uint8_t> descriptor) {
    return HidNode{path, kMouseVendorId, kMouseProductId, ParseReportDescriptor(descriptor)};
}

bool IsSoundState(std::string_view bytes) {
    return bytes.size() == VirtualMouse::kStateBytes &&
           static_cast<uint8_t>(bytes[0]) == kSettingsReportId &&
           static_cast<uint8_t>(bytes[VirtualMouse::kButtonOffset]) == kButtonReportId;
}

}  // namespace

VirtualMouse::VirtualMouse(std::span<const uint8_t, kStateBytes> factoryState,
                           std::filesystem::path statePath)
    : m_statePath(std::move(statePath)) {
    std::copy(factoryState.begin(), factoryState.end(), m_reports.begin());
    m_stateFile = Load();
}

std::vector<HidNode> VirtualMouse::Enumerate() {
    if (!m_present) return {};
    std::span<const uint8_t> vendor(kVendorDescriptor);
    if (!m_buttonCollection) vendor = vendor.first(kSettingsOnlyDescriptorBytes);
    return {MakeNode(kPointerPath, kPointerDescriptor), MakeNode(kVendorPath, vendor)};
}

OpenResult VirtualMouse::OpenPath(const std::string& path) {
    Close();
    if (!m_present) return {OpenResult::Status::Failed, "No such device"};
    if (path == kPointerPath) m_openNode = kPointerNode;
    if (path == kVendorPath) m_openNode = kVendorNode;
    if (!m_openNode) return {OpenResult::Status::Failed, "No such device"};
    return OpenResult::Opened();
}

bool VirtualMouse::SendFeature(std::span<const uint8_t> report) {
    ++m_sendCount;
    if (!VendorNodeReady()) return false;
    if (m_refuseSends > 0) {
        --m_refuseSends;
        return false;
    }
    const std::optional<std::size_t> slot = SlotOf(report);
    if (!slot) return false;
    State next = m_reports;
    std::copy(report.begin(), report.end(), next.begin() + static_cast<std::ptrdiff_t>(*slot));
    if (!Save(next)) return false;
    m_reports = next;
    return true;
}

bool VirtualMouse::GetFeature(std::span<uint8_t> report) {
    ++m_fetchCount;
    if (!VendorNodeReady()) return false;
    if (m_failFetches > 0) {
        --m_failFetches;
        return false;
    }
    const std::optional<std::size_t> slot = SlotOf(report);
    if (!slot) return false;
    const auto first = m_reports.begin() + static_cast<std::ptrdiff_t>(*slot);
    std::copy(first, first + static_cast<std::ptrdiff_t>(report.size()), report.begin());
    return true;
}

void VirtualMouse::Close() { m_openNode.reset(); }

bool VirtualMouse::IsOpen() const { return m_openNode.has_value(); }

void VirtualMouse::SetPresent(bool present) {
    if (!present && m_openNode) m_openNode = kDeadHandle;
    m_present = present;
}

void VirtualMouse::SetButtonCollection(bool present) { m_buttonCollection = present; }

void VirtualMouse::RefuseNextSends(int count) { m_refuseSends = std::max(count, 0); }

void VirtualMouse::FailNextFetches(int count) { m_failFetches = std::max(count, 0); }

VirtualMouse::StateFile VirtualMouse::Load() {
    if (m_statePath.empty()) return StateFile::NotKept;
    const std::optional<std::string> bytes = ReadFileLimited(m_statePath, kStateBytes);
    if (!bytes) {
        std::error_code error;
        const bool missing = std::filesystem::symlink_status(m_statePath, error).type() ==
                             std::filesystem::file_type::not_found;
        return missing ? StateFile::Missing : StateFile::Damaged;
    }
    if (!IsSoundState(*bytes)) return StateFile::Damaged;
    std::copy(bytes->begin(), bytes->end(), m_reports.begin());
    return StateFile::Loaded;
}

bool VirtualMouse::Save(const State& reports) const {
    if (m_statePath.empty()) return true;
    return static_cast<bool>(WriteFileAtomically(
        m_statePath, std::string_view(reinterpret_cast<const char*>(reports.data()), reports.size())));
}

bool VirtualMouse::VendorNodeReady() const { return m_present && m_openNode == kVendorNode; }

std::optional<std::size_t> VirtualMouse::SlotOf(std::span<const uint8_t> report) const {
    if (report.empty()) return std::nullopt;
    if (report[0] == kSettingsReportId && report.size() == kSettingsReportLength) return 0;
    if (report[0] == kButtonReportId && report.size() == kButtonReportLength && m_buttonCollection) {
        return kButtonOffset;
    }
    return std::nullopt;
}

}  // namespace voltrane
