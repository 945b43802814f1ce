#include "host/host_config_files.h"

#include <optional>
#include <string>
#include <system_error>

#include "settings/ini_file.h"
#include "settings/utf.h"

namespace voltrane {

namespace fs = std::filesystem;

namespace {

constexpr std::u16string_view kWheelSection = u"Wheel";
constexpr std::u16string_view kScreenKey = u"OneScreenAtATime";
constexpr std::u16string_view kLinesKey = u"Lines";

// The file about to be edited: a missing file gives an empty UTF-8 document; a file that exists
// but cannot be read (or is too large) gives std::nullopt, so that it is never replaced by a
// document that lost its contents.
std::optional<IniFile> loadForEdit(const fs::path& path) {
    if (std::optional<IniFile> file = IniFile::Load(path)) return file;
    std::error_code error;
    const bool present = fs::exists(path, error);
    if (present || error) return std::nullopt;
    return IniFile(IniEncoding::Utf8);
}

}  // namespace

fs::path UserConfigHome(const char* xdgConfigHome, const char* home) {
    if (xdgConfigHome != nullptr && fs::path(xdgConfigHome).is_absolute()) return xdgConfigHome;
    if (home != nullptr && fs::path(home).is_absolute()) return fs::path(home) / ".config";
    return {};
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

WriteResult HostPointerFile::save(const HostPointerValues& values) const {
    if (m_path.empty()) return WriteResult::Failed("no configuration folder (HOME is not set)");
    std::optional<IniFile> file = loadForEdit(m_path);
    if (!file) return WriteResult::Failed("cannot read the file");
    file->SetString(kWheelSection, kScreenKey, values.screenAtATime ? u"1" : u"0");
    if (!values.screenAtATime) file->SetString(kWheelSection, kLinesKey, DecimalUtf16(values.wheelLines));
    std::error_code error;
    fs::create_directories(m_path.parent_path(), error);
    if (error) return WriteResult::Failed("cannot create its folder: " + error.message());
    return file->Save(m_path);
}

void HostPointerFile::WriteWheel(const HostPointerValues& values, HostApplyReport& report) const {
    report.Add(m_path.empty() ? std::string("voltrane/host-pointer.ini") : m_path.string(),
               save(values).error);
}

}  // namespace voltrane
