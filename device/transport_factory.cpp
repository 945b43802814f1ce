#include "device/transport_factory.h"

#include <string_view>
#include <system_error>

namespace voltrane {

DeviceSelection ParseDeviceSelector(const char* selector, const std::filesystem::path& programDir) {
    constexpr std::string_view kVirtual = "virtual";
    constexpr std::string_view kHidChoice = "hid:";
    const std::string_view value = selector == nullptr ? std::string_view() : std::string_view(selector);
    if (value.starts_with('/')) return {DeviceKind::Real, {}, std::string(value)};
    if (value.starts_with(kHidChoice)) {
        return {DeviceKind::Real, {}, std::string(value.substr(kHidChoice.size()))};
    }
    if (!value.starts_with(kVirtual)) return {};
    std::string_view path = value.substr(kVirtual.size());
    if (!path.empty() && !path.starts_with(':')) return {};
    if (!path.empty()) path.remove_prefix(1);
    if (path.empty()) return {DeviceKind::Virtual, programDir / kVirtualStateFileName};
    return {DeviceKind::Virtual, std::filesystem::path(path)};
}

bool StateFolderMissing(const DeviceSelection& selection) {
    if (selection.kind != DeviceKind::Virtual) return false;
    const std::filesystem::path folder = selection.statePath.parent_path();
    std::error_code error;
    return !folder.empty() && !std::filesystem::is_directory(folder, error);
}

}  // namespace voltrane
