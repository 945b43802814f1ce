#pragma once
// The user's base folders as the XDG Base Directory rules name them.

#include <filesystem>
#include <string_view>

namespace voltrane {

// The folder an XDG variable names (`value`, e.g. XDG_DATA_HOME; null when unset), or when it is not
// an absolute path, `belowHome` (e.g. ".local/share") inside `home`. Empty when neither is absolute.
std::filesystem::path XdgBaseDir(const char* value, const char* home, std::string_view belowHome);

}  // namespace voltrane
