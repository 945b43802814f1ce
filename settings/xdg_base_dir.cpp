#include "settings/xdg_base_dir.h"

namespace voltrane {

std::filesystem::path XdgBaseDir(const char* value, const char* home, std::string_view belowHome) {
    namespace fs = std::filesystem;
    if (value != nullptr && fs::path(value).is_absolute()) return value;
    if (home != nullptr && fs::path(home).is_absolute()) return fs::path(home) / belowHome;
    return {};
}

}  // namespace voltrane
