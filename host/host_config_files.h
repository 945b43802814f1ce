#pragma once
// What the desktop backends of the host pointer settings share: the user's configuration folder
// and the program's own file for settings a desktop keeps no key for.

#include <filesystem>

#include "host/host_pointer.h"
#include "settings/atomic_file.h"

namespace voltrane {

// The user's configuration folder: `xdgConfigHome` when it is an absolute path, else
// `home`/.config; empty when neither is usable. Either argument may be null.
std::filesystem::path UserConfigHome(const char* xdgConfigHome, const char* home);

// The program's own file, <config home>/voltrane/host-pointer.ini, for the wheel settings a
// desktop has no key for. Section "Wheel": "OneScreenAtATime" (0 or 1) and "Lines".
class HostPointerFile {
public:
    explicit HostPointerFile(const std::filesystem::path& configHome);

    // The file's path; empty without a configuration folder.
    const std::filesystem::path& Path() const { return m_path; }

    // Sets values.screenAtATime and values.wheelLines from the file; a key the file lacks (or a
    // missing or unreadable file) leaves that value as it is.
    void ReadWheel(HostPointerValues& values) const;

    // Stores the wheel mode, and the line count when scrolling by lines, keeping the rest of the
    // file and creating its folder; records the file in `report` by its path. On failure (no
    // configuration folder, a file that cannot be read or written) the file is left as it was and
    // the report says why.
    void WriteWheel(const HostPointerValues& values, HostApplyReport& report) const;

private:
    WriteResult save(const HostPointerValues& values) const;

    std::filesystem::path m_path;
};

}  // namespace voltrane
