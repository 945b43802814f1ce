#include "settings/program_dir_care.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstring>

namespace voltrane {

namespace {

// The files the program saves into its directory, and the probe FolderWriteProblem makes.
constexpr std::array<std::string_view, 11> kSavedFiles = {
    "Setting1.ini", "Setting2.ini", "Setting3.ini", "Setting4.ini",      "Setting5.ini",   "LANGUAGE.ini",
    "mouse.mac",    "mouse.name",   "download.bin", "virtual-mouse.bin", "voltrane-probe",
};
constexpr std::size_t kUniqueLength = 6;  // the letters mkostemp puts in place of "XXXXXX"

}  // namespace

bool IsLeftoverSave(std::string_view name) {
    if (name.size() < 2 + kUniqueLength || name.front() != '.') return false;
    const std::string_view unique = name.substr(name.size() - kUniqueLength);
    const std::string_view saved = name.substr(1, name.size() - kUniqueLength - 2);
    return name[name.size() - kUniqueLength - 1] == '.' &&
           std::all_of(unique.begin(), unique.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)); }) &&
           std::find(kSavedFiles.begin(), kSavedFiles.end(), saved) != kSavedFiles.end();
}

std::vector<std::string> RemoveLeftoverSaves(const std::filesystem::path& dir) {
    std::vector<std::string> removed;
    std::error_code error;
    for (const std::filesystem::directory_entry& entry : std::filesystem::directory_iterator(dir, error)) {
        const std::string name = entry.path().filename().string();
        if (!IsLeftoverSave(name) || !entry.is_regular_file(error) || entry.is_symlink(error)) continue;
        if (std::filesystem::remove(entry.path(), error)) removed.push_back(name);
    }
    return removed;
}

std::optional<std::string> FolderWriteProblem(const std::filesystem::path& dir) {
    std::string probe = (dir / ".voltrane-probe.XXXXXX").string();
    const int fd = ::mkostemp(probe.data(), O_CLOEXEC);
    if (fd < 0) return std::string(std::strerror(errno));
    ::close(fd);
    ::unlink(probe.c_str());
    return std::nullopt;
}

}  // namespace voltrane
