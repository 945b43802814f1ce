#pragma once
// "LANGUAGE.ini": the interface language the user chose last, section "Setting", key "Language".

#include <filesystem>

namespace voltrane {

// Sets g_nLanguage from the language file at `path`. A missing or unreadable file, or a value
// outside 0..5, gives English (2); a file without the key gives 0.
void ReadLanguage(const std::filesystem::path& path);

// Stores g_nLanguage in a new language file at `path`, replacing any file there atomically.
// Returns false when the file could not be written.
bool WriteLanguage(const std::filesystem::path& path);

}  // namespace voltrane
