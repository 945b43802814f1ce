#pragma once
// Care of the program directory at start-up, done while holding its ProgramLock: the temporary
// files of saves that a crash interrupted are removed, and a folder where nothing can be saved is
// noticed before the user loses a change to it.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace voltrane {

// Whether `name` is the temporary file of an interrupted save of one of the program's own files:
// "." + the file's name + "." + six letters or digits, e.g. ".Setting1.ini.a8Zq0c".
bool IsLeftoverSave(std::string_view name);

// Removes the leftover saves (IsLeftoverSave, regular files only, never a link or a folder) directly
// in `dir`. Returns the names removed.
std::vector<std::string> RemoveLeftoverSaves(const std::filesystem::path& dir);

// Why nothing can be saved in `dir` (the system's reason, e.g. "Permission denied"), found by
// creating and removing a file there; std::nullopt when saving works.
std::optional<std::string> FolderWriteProblem(const std::filesystem::path& dir);

}  // namespace voltrane
