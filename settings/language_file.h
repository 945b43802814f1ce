#pragma once
// "LANGUAGE.ini": the interface language the user chose last, section "Setting", key "Language".

#include <filesystem>

#include "settings/atomic_file.h"

namespace voltrane {

// The language stored in the language file at `path`. A missing or unreadable file, or a value
// outside 0..5, gives English (2); a file without the key gives 0.
int ReadLanguage(const std::filesystem::path& path);

// Stores `language` in a new language file at `path`, replacing any file there atomically.
WriteResult WriteLanguage(const std::filesystem::path& path, int language);

}  // namespace voltrane
