#include "host/host_config_files.h"

#include <cstdlib>
#include <string>
#include <system_error>

#include "settings/utf.h"

namespace voltrane {

namespace fs = std::filesystem;

namespace {

constexpr std::u16string_view kWheelSection = u"Wheel";
constexpr std::u16string_view kScreenKey = u"OneScreenAtATime";
constexpr std::u16string_view kLinesKey = u"Lines";

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
            file.SetString(kWheelSection, kLinesKey, DecimalUtf16(values.wheelLines));
        }
    });
}

}  // namespace voltrane
