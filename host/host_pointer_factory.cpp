#include "host/host_pointer_factory.h"

#include <cstdlib>
#include <string>

#include "host/host_config_files.h"
#include "host/host_pointer_gsettings.h"
#include "host/host_pointer_kde.h"
#include "host/host_pointer_memory.h"
#include "host/kconfig_file.h"
#include "host/kconfig_tools.h"

namespace voltrane {

namespace {

struct KnownDesktop {
    std::string_view name;
    DesktopKind kind;
};

// The names desktops give themselves in XDG_CURRENT_DESKTOP.
constexpr KnownDesktop kKnownDesktops[] = {
    {"GNOME", DesktopKind::Gnome},
    {"GNOME-Classic", DesktopKind::Gnome},
    {"GNOME-Flashback", DesktopKind::Gnome},
    {"Unity", DesktopKind::Gnome},
    {"Budgie", DesktopKind::Gnome},
    {"Pantheon", DesktopKind::Gnome},
    {"X-Cinnamon", DesktopKind::Cinnamon},
    {"Cinnamon", DesktopKind::Cinnamon},
    {"KDE", DesktopKind::Kde},
};

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

std::optional<DesktopKind> knownDesktop(std::string_view name) {
    for (const KnownDesktop& known : kKnownDesktops) {
        if (equalsIgnoringAsciiCase(name, known.name)) return known.kind;
    }
    return std::nullopt;
}

std::unique_ptr<HostPointer> leaveAlone(std::string_view currentDesktop, const std::string& why) {
    const std::string desktop = currentDesktop.empty() ? "unknown desktop (XDG_CURRENT_DESKTOP is not set)"
                                                       : "desktop " + std::string(currentDesktop);
    return std::make_unique<NullHostPointer>(desktop + ": " + why);
}

std::unique_ptr<HostPointer> gsettingsDesktop(const char* name, const std::string& schema,
                                              std::string_view currentDesktop,
                                              const std::filesystem::path& configHome) {
    const std::string unavailable = GSettingsHostPointer::Unavailable(schema);
    if (!unavailable.empty()) return leaveAlone(currentDesktop, unavailable);
    return std::make_unique<GSettingsHostPointer>(name, schema, configHome);
}

std::unique_ptr<HostPointer> plasma(std::string_view currentDesktop,
                                    const std::filesystem::path& configHome) {
    if (configHome.empty()) return leaveAlone(currentDesktop, "no configuration folder (HOME is not set)");
    std::unique_ptr<KConfigStore> store = KConfigTools::Find();
    if (!store) store = std::make_unique<KConfigFile>();
    return std::make_unique<KdeHostPointer>(configHome, std::move(store));
}

}  // namespace

DesktopKind DetectDesktop(std::string_view currentDesktop) {
    while (!currentDesktop.empty()) {
        const std::size_t colon = currentDesktop.find(':');
        if (const std::optional<DesktopKind> kind = knownDesktop(currentDesktop.substr(0, colon)))
            return *kind;
        currentDesktop.remove_prefix(colon == std::string_view::npos ? currentDesktop.size() : colon + 1);
    }
    return DesktopKind::Other;
}

std::unique_ptr<HostPointer> CreateHostPointerFor(DesktopKind kind, std::string_view currentDesktop,
                                                  const std::filesystem::path& configHome) {
    switch (kind) {
        case DesktopKind::Gnome:
            return gsettingsDesktop("gnome", "org.gnome.desktop.peripherals.mouse", currentDesktop,
                                    configHome);
        case DesktopKind::Cinnamon:
            return gsettingsDesktop("cinnamon", "org.cinnamon.desktop.peripherals.mouse", currentDesktop,
                                    configHome);
        case DesktopKind::Kde:
            return plasma(currentDesktop, configHome);
        case DesktopKind::Other:
            break;
    }
    return leaveAlone(
        currentDesktop,
        "pointer settings are written on GNOME (and desktops built on its settings), Cinnamon "
        "and Plasma only");
}

std::unique_ptr<HostPointer> CreateDesktopHostPointer() {
    const char* currentDesktop = std::getenv("XDG_CURRENT_DESKTOP");
    const std::string_view names = currentDesktop ? currentDesktop : "";
    return CreateHostPointerFor(DetectDesktop(names), names,
                                UserConfigHome(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")));
}

}  // namespace voltrane
