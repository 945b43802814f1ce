#include "device/host_pointer_desktop.h"

#include <cstdlib>
#include <string>
#include <system_error>

#include "device/host_pointer_gsettings.h"
#include "device/host_pointer_kde.h"
#include "device/host_pointer_memory.h"
#include "settings/utf.h"

namespace voltrane {

namespace fs = std::filesystem;

namespace {

constexpr std::u16string_view kWheelSection = u"Wheel";
constexpr std::u16string_view kScreenKey = u"OneScreenAtATime";
constexpr std::u16string_view kLinesKey = u"Lines";

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

}  // namespace

fs::path UserConfigHome(const char* xdgConfigHome, const char* home) {
    if (xdgConfigHome != nullptr && fs::path(xdgConfigHome).is_absolute()) return xdgConfigHome;
    if (home != nullptr && fs::path(home).is_absolute()) return fs::path(home) / ".config";
    return {};
}

std::optional<IniFile> LoadIniForEdit(const fs::path& path) {
    if (std::optional<IniFile> file = IniFile::Load(path)) return file;
    std::error_code error;
    const bool present = fs::exists(path, error);
    if (present || error) return std::nullopt;
    return IniFile(IniEncoding::Utf8);
}

bool EditIniFile(const fs::path& path, const std::function<void(IniFile&)>& edit) {
    std::optional<IniFile> file = LoadIniForEdit(path);
    if (!file) return false;
    edit(*file);
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    return !error && file->Save(path);
}

HostPointerFile::HostPointerFile(const fs::path& configHome)
    : m_path(configHome.empty() ? fs::path() : configHome / "voltrane" / "host-pointer.ini") {}

void HostPointerFile::ReadWheel(HostPointerValues& values) const {
    if (m_path.empty()) return;
    const std::optional<IniFile> file = IniFile::Load(m_path);
    if (!file) return;
    values.screenAtATime = file->GetInt(kWheelSection, kScreenKey, values.screenAtATime ? 1 : 0) != 0;
    values.wheelLines = file->GetInt(kWheelSection, kLinesKey, values.wheelLines);
}

bool HostPointerFile::WriteWheel(const HostPointerValues& values) const {
    if (m_path.empty()) return false;
    return EditIniFile(m_path, [&](IniFile& file) {
        file.SetString(kWheelSection, kScreenKey, values.screenAtATime ? u"1" : u"0");
        if (!values.screenAtATime) {
            file.SetString(kWheelSection, kLinesKey, Utf8ToUtf16(std::to_string(values.wheelLines)));
        }
    });
}

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
    const fs::path configHome = UserConfigHome(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
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
