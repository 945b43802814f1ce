#include "device/virtual_mouse.h"

#include <algorithm>
#include <string_view>
#include <system_error>
#include <utility>

#include "device/hid_device.h"
#include "device/mouse_descriptors.h"
#include "device/report_descriptor.h"
#include "settings/atomic_file.h"

namespace voltrane {

namespace {

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
    : m_firmware(factoryState), m_statePath(std::move(statePath)) {
    m_stateFile = Load();
}

std::vector<HidNode> VirtualMouse::Enumerate() {
    if (!m_present) return {};
    std::span<const uint8_t> vendor = kVendorDescriptor;
    if (!m_firmware.HasButtonCollection()) vendor = vendor.first(kSettingsOnlyDescriptorBytes);
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
    const std::optional<State> next = m_firmware.SetFeature(report);
    if (!next || !Save(*next)) return false;
    m_firmware.Store(*next);
    return true;
}

bool VirtualMouse::GetFeature(std::span<uint8_t> report) {
    ++m_fetchCount;
    return VendorNodeReady() && m_firmware.GetFeature(report);
}

void VirtualMouse::Close() { m_openNode.reset(); }

bool VirtualMouse::IsOpen() const { return m_openNode.has_value(); }

void VirtualMouse::SetPresent(bool present) {
    if (!present && m_openNode) m_openNode = kDeadHandle;
    m_present = present;
}

void VirtualMouse::SetButtonCollection(bool present) { m_firmware.SetButtonCollection(present); }

void VirtualMouse::RefuseNextSends(int count) { m_firmware.RefuseNextSets(count); }

void VirtualMouse::FailNextFetches(int count) { m_firmware.FailNextGets(count); }

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
    State loaded;
    std::copy(bytes->begin(), bytes->end(), loaded.begin());
    m_firmware.Store(loaded);
    return StateFile::Loaded;
}

bool VirtualMouse::Save(const State& reports) const {
    if (m_statePath.empty()) return true;
    return static_cast<bool>(WriteFileAtomically(
        m_statePath, std::string_view(reinterpret_cast<const char*>(reports.data()), reports.size())));
}

bool VirtualMouse::VendorNodeReady() const { return m_present && m_openNode == kVendorNode; }

}  // namespace voltrane
