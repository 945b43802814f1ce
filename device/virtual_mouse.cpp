#include "device/virtual_mouse.h"

#include <algorithm>
#include <string>
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

bool HasReportIds(std::string_view bytes) {
    return static_cast<uint8_t>(bytes[0]) == kSettingsReportId &&
           static_cast<uint8_t>(bytes[VirtualMouse::kButtonOffset]) == kButtonReportId;
}

// What is wrong with the state file at `path`, which is there but not a sound state; `bytes` is what
// could be read of it (nothing when it is not a readable file of at most kStateBytes bytes).
std::string damageOf(const std::filesystem::path& path, const std::optional<std::string>& bytes) {
    const std::string file = "the virtual mouse's state file " + path.string();
    const std::string remedy = "; remove it to start from the factory state";
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return file + " is not a file" + remedy;
    const std::uintmax_t size = bytes ? bytes->size() : std::filesystem::file_size(path, error);
    if (error) return file + " cannot be read: " + error.message() + remedy;
    if (size != VirtualMouse::kStateBytes) {
        return file + " is damaged: it holds " + std::to_string(size) + " bytes, not " +
               std::to_string(VirtualMouse::kStateBytes) + remedy;
    }
    if (!bytes) return file + " cannot be read" + remedy;
    return file + " is damaged: byte 0 must be report ID 3 and byte 8 report ID 4" + remedy;
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
    if (path == kVendorPath) {
        if (m_stateFile == StateFile::Damaged) return {OpenResult::Status::Failed, m_damage};
        m_openNode = kVendorNode;
    }
    if (!m_openNode) return {OpenResult::Status::Failed, "No such device"};
    return OpenResult::Opened();
}

bool VirtualMouse::SendFeature(std::span<const uint8_t> report) {
    ++m_sendCount;
    if (!VendorNodeReady()) return false;
    m_lastFailure.clear();
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
    if (!bytes || bytes->size() != kStateBytes || !HasReportIds(*bytes)) {
        std::error_code error;
        const bool missing = std::filesystem::symlink_status(m_statePath, error).type() ==
                             std::filesystem::file_type::not_found;
        if (missing) return StateFile::Missing;
        m_damage = damageOf(m_statePath, bytes);
        return StateFile::Damaged;
    }
    State loaded;
    std::copy(bytes->begin(), bytes->end(), loaded.begin());
    m_firmware.Store(loaded);
    return StateFile::Loaded;
}

bool VirtualMouse::Save(const State& reports) {
    if (m_statePath.empty()) return true;
    const WriteResult written = WriteFileAtomically(
        m_statePath, std::string_view(reinterpret_cast<const char*>(reports.data()), reports.size()));
    if (!written)
        m_lastFailure =
            "cannot write the virtual mouse's state file " + m_statePath.string() + ": " + written.error;
    return written.ok();
}

bool VirtualMouse::VendorNodeReady() const { return m_present && m_openNode == kVendorNode; }

}  // namespace voltrane
