#include "host/kconfig_file.h"

#include <string>
#include <system_error>

#include "host/kconfig_lock.h"
#include "host/kconfig_text.h"
#include "settings/atomic_file.h"
#include "settings/ini_file.h"

namespace voltrane {

namespace {

// The file's text; empty for a missing file; std::nullopt when it exists but cannot be read.
std::optional<std::string> readText(const std::filesystem::path& path) {
    if (std::optional<std::string> text = ReadFileLimited(path, kMaxIniFileBytes)) return text;
    std::error_code error;
    const bool present = std::filesystem::exists(path, error);
    if (present || error) return std::nullopt;
    return std::string();
}

}  // namespace

std::optional<std::string> KConfigFile::Read(const KConfigEntry& entry) {
    const std::optional<std::string> text = readText(entry.file);
    if (!text) return std::nullopt;
    return LookUpKConfigEntry(*text, entry.group, entry.key).value.value_or("");
}

std::string KConfigFile::Write(const KConfigEntry& entry, const std::string& value) {
    std::error_code error;
    std::filesystem::create_directories(entry.file.parent_path(), error);
    if (error) return "cannot create the folder: " + error.message();
    const KConfigLock lock(entry.file);
    if (!lock.Error().empty()) return lock.Error();
    const std::optional<std::string> text = readText(entry.file);
    if (!text)
        return "cannot read the file (unreadable, or larger than " +
               std::to_string(kMaxIniFileBytes / 1024) + " KiB)";
    const std::optional<std::string> edited = SetKConfigEntry(*text, entry.group, entry.key, value);
    if (!edited) return "the entry is marked immutable ([$i])";
    return WriteFileAtomically(entry.file, *edited).error;
}

std::string KConfigFile::Name() const { return "file edits"; }

}  // namespace voltrane
