#include "host/host_pointer_factory.h"

#include <cstdlib>
#include <filesystem>

#include "host/host_config_files.h"
#include "host/host_pointer_gsettings.h"
#include "host/host_pointer_kde.h"
#include "host/host_pointer_memory.h"

namespace voltrane {

namespace {

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

}  // namespace

DesktopKind DetectDesktop(std::string_view currentDesktop, bool gnomeSchemaInstalled) {
    while (!currentDesktop.empty()) {
        const std::size_t colon = currentDesktop.find(':');
        if (equalsIgnoringAsciiCase(currentDesktop.substr(0, colon), "KDE")) return DesktopKind::Kde;
        currentDesktop.remove_prefix(colon == std::string_view::npos ? currentDesktop.size() : colon + 1);
    }
    return gnomeSchemaInstalled ? DesktopKind::Gnome : DesktopKind::Other;
}

std::unique_ptr<HostPointer> CreateDesktopHostPointer() {
    const char* currentDesktop = std::getenv("XDG_CURRENT_DESKTOP");
    const std::filesystem::path configHome =
        UserConfigHome(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    switch (DetectDesktop(currentDesktop ? currentDesktop : "", GSettingsHostPointer::IsAvailable())) {
        case DesktopKind::Kde:
            if (configHome.empty()) break;  // Plasma's files cannot be found
            return std::make_unique<KdeHostPointer>(configHome);
        case DesktopKind::Gnome:
            return std::make_unique<GSettingsHostPointer>(configHome);
        case DesktopKind::Other:
            break;
    }
    return std::make_unique<NullHostPointer>();
}

}  // namespace voltrane
