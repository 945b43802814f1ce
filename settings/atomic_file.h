#pragma once
// Whole-file reads and writes. This is the one place the core reaches the operating system's
// file layer; a file is never left half written.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace voltrane {

// Replaces `path` with `bytes` atomically: writes a temporary file in the same folder, flushes it
// to disk, then renames it over the target. A symbolic link at `path` is followed and the file it
// names is replaced; an existing target keeps its permission bits. Returns true on success. On any
// failure (folder missing or not writable, target a directory or a file we may not write, disk
// full) the old file is left untouched, the temporary file is removed and false is returned.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// Reads a whole regular file. Returns std::nullopt when it does not exist, is not a regular file,
// cannot be read, or holds more than `maxBytes` bytes.
std::optional<std::string> ReadFileLimited(const std::filesystem::path& path, std::size_t maxBytes);

// Reads the first `maxBytes` bytes of a regular file, or the whole file when it is shorter; the rest
// of a larger file is never read. Returns std::nullopt when it does not exist, is not a regular
// file, or cannot be read.
std::optional<std::string> ReadFilePrefix(const std::filesystem::path& path, std::size_t maxBytes);

}  // namespace voltrane
