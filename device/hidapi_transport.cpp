#include "device/hidapi_transport.h"

#include <hidapi.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <unordered_map>

#include "device/report_descriptor.h"
#include "settings/atomic_file.h"
#include "settings/utf.h"

namespace voltrane {

namespace {

// Larger than any descriptor the kernel keeps (4096 bytes).
constexpr std::size_t kMaxDescriptorBytes = 64 * 1024;

// hidapi is set up when the first transport is made and torn down after the last one goes.
std::mutex g_hidapiMutex;
int g_hidapiUsers = 0;

void AcquireHidapi() {
    std::lock_guard lock(g_hidapiMutex);
    if (g_hidapiUsers++ == 0) hid_init();
}

void ReleaseHidapi() {
    std::lock_guard lock(g_hidapiMutex);
    if (--g_hidapiUsers == 0) hid_exit();
}

bool IsHidrawName(std::string_view name) {
    constexpr std::string_view kPrefix = "hidraw";
    if (!name.starts_with(kPrefix) || name.size() == kPrefix.size()) return false;
    name.remove_prefix(kPrefix.size());
    return std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::vector<HidEntry> ListEntries() {
    std::vector<HidEntry> entries;
    hid_device_info* list = hid_enumerate(0, 0);
    for (const hid_device_info* info = list; info != nullptr; info = info->next) {
        entries.push_back({info->path != nullptr ? info->path : "", info->vendor_id, info->product_id,
                           SerialText(info->serial_number)});
    }
    hid_free_enumeration(list);
    return entries;
}

}  // namespace

std::vector<HidNode> GroupEntriesByPath(std::span<const HidEntry> entries,
                                        const DescriptorReader& readDescriptor) {
    std::vector<HidNode> nodes;
    std::unordered_map<std::string, std::size_t> seen;
    for (const HidEntry& entry : entries) {
        if (entry.path.empty() || !seen.emplace(entry.path, nodes.size()).second) continue;
        HidNode node{entry.path, entry.vendorId, entry.productId, {}, entry.serial};
        if (std::optional<std::vector<uint8_t>> descriptor = readDescriptor(entry.path)) {
            node.collections = ParseReportDescriptor(*descriptor);
        }
        nodes.push_back(std::move(node));
    }
    return nodes;
}

std::filesystem::path ReportDescriptorFile(std::string_view devicePath) {
    const std::string name = std::filesystem::path(devicePath).filename().string();
    if (!IsHidrawName(name)) return {};
    return std::filesystem::path("/sys/class/hidraw") / name / "device" / "report_descriptor";
}

std::string SerialText(const wchar_t* serial) {
    std::u16string text;
    for (const wchar_t* c = serial; c != nullptr && *c != L'\0'; ++c) {
        const auto cp = static_cast<char32_t>(*c);
        const bool scalar = cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
        AppendCodePoint(text, scalar ? cp : char32_t{kReplacementChar});
    }
    return Utf16ToUtf8(text);
}

bool TransferredWholeReport(int transferred, std::size_t length) {
    return transferred >= 0 && static_cast<std::size_t>(transferred) == length;
}

std::optional<std::vector<uint8_t>> ReadSysfsDescriptor(const std::string& devicePath) {
    const std::filesystem::path file = ReportDescriptorFile(devicePath);
    if (file.empty()) return std::nullopt;
    const std::optional<std::string> bytes = ReadFileLimited(file, kMaxDescriptorBytes);
    if (!bytes) return std::nullopt;
    return std::vector<uint8_t>(bytes->begin(), bytes->end());
}

HidapiTransport::HidapiTransport() { AcquireHidapi(); }

HidapiTransport::~HidapiTransport() {
    Close();
    ReleaseHidapi();
}

std::vector<HidNode> HidapiTransport::Enumerate() {
    const std::vector<HidEntry> entries = ListEntries();
    return GroupEntriesByPath(entries, ReadSysfsDescriptor);
}

OpenResult HidapiTransport::OpenPath(const std::string& path) {
    Close();
    errno = 0;
    m_device = hid_open_path(path.c_str());
    if (m_device != nullptr) return OpenResult::Opened();
    const int error = errno;
    const bool denied = error == EACCES || error == EPERM;
    return {denied ? OpenResult::Status::AccessDenied : OpenResult::Status::Failed,
            error != 0 ? std::strerror(error) : "the node could not be opened"};
}

bool HidapiTransport::SendFeature(std::span<const uint8_t> report) {
    if (m_device == nullptr || report.empty()) return false;
    return TransferredWholeReport(hid_send_feature_report(m_device, report.data(), report.size()),
                                  report.size());
}

bool HidapiTransport::GetFeature(std::span<uint8_t> report) {
    if (m_device == nullptr || report.empty()) return false;
    return TransferredWholeReport(hid_get_feature_report(m_device, report.data(), report.size()),
                                  report.size());
}

void HidapiTransport::Close() {
    if (m_device != nullptr) hid_close(m_device);
    m_device = nullptr;
}

bool HidapiTransport::IsOpen() const { return m_device != nullptr; }

std::unique_ptr<HidTransport> CreateTransport(
    const DeviceSelection& selection, std::span<const uint8_t, VirtualMouse::kStateBytes> factoryState) {
    if (selection.kind == DeviceKind::Virtual) {
        return std::make_unique<VirtualMouse>(factoryState, selection.statePath);
    }
    return std::make_unique<HidapiTransport>();
}

}  // namespace voltrane
