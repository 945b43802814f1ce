#pragma once
// What the desktop backends of the host pointer settings share: the user's configuration folder,
// careful edits of configuration files that belong to the desktop, and the program's own file for
// settings a desktop keeps no key for.

#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

#include "host/host_pointer.h"
#include "settings/ini_file.h"

namespace voltrane {

// The user's configuration folder: `xdgConfigHome` when it is an absolute path, else
// `home`/.config; empty when neither is usable. Either argument may be null.
std::filesystem::path UserConfigHome(const char* xdgConfigHome, const char* home);

// A configuration file about to be edited. A missing file gives an empty UTF-8 document; a file
// that exists but cannot be read (or is too large) gives std::nullopt, so that it is never
// replaced by a document that lost its contents.
std::optional<IniFile> LoadIniForEdit(const std::filesystem::path& path);

// Loads `path` with LoadIniForEdit, lets `edit` change the document and saves it atomically,
// creating the folder first. Returns false when the file could not be read or written; it is then
// unchanged.
bool EditIniFile(const std::filesystem::path& path, const std::function<void(IniFile&)>& edit);

// The program's own file, <config home>/voltrane/host-pointer.ini, for the wheel settings a
// desktop has no key for. Section "Wheel": "OneScreenAtATime" (0 or 1) and "Lines".
class HostPointerFile {
public:
    explicit HostPointerFile(const std::filesystem::path& configHome);

    // Sets values.screenAtATime and values.wheelLines from the file; a key the file lacks (or a
    // missing or unreadable file) leaves that value as it is.
    void ReadWheel(HostPointerValues& values) const;

    // Stores the wheel mode, and the line count when scrolling by lines. Returns false when the
    // file could not be written (an unreadable file is left as it is).
    bool WriteWheel(const HostPointerValues& values) const;

private:
    std::filesystem::path m_path;
};

}  // namespace voltrane
