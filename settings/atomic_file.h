#pragma once
// Whole-file reads and writes. This is the one place the core reaches the operating system's
// file layer; a file is never left half written.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace voltrane {

// The outcome of a save: written, or why not.
struct WriteResult {
    std::string error;  // empty when written; else the reason, e.g. "Permission denied"

    static WriteResult Failed(std::string reason) { return {std::move(reason)}; }
    bool ok() const { return error.empty(); }
    explicit operator bool() const { return ok(); }
};

// Called with the temporary file once it holds the new contents, its final mode and owner, just
// before it is renamed over the target; tests look at it there.
using BeforeRename = std::function<void(const std::filesystem::path& temporary)>;

// Replaces `path` with `bytes` atomically: writes a temporary file with an unpredictable name in
// the same folder (readable by its owner only until it is complete), flushes it to disk, then
// renames it over the target. A symbolic link at `path` is followed and the file it names is
// replaced. An existing target keeps its permission bits (never set-user-ID, set-group-ID or
// sticky) and, where the saver may, its owner and group; a new file gets 0666 less the umask. On
// any failure (folder missing or not writable, target a directory or a file we may not write, disk
// full) the old file is left untouched, the temporary file is removed and the result says why.
WriteResult WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                                const BeforeRename& beforeRename = {});

// Reads a whole regular file. Returns std::nullopt when it does not exist, is not a regular file,
// cannot be read, or holds more than `maxBytes` bytes.
std::optional<std::string> ReadFileLimited(const std::filesystem::path& path, std::size_t maxBytes);

// Reads the first `maxBytes` bytes of a regular file, or the whole file when it is shorter; the rest
// of a larger file is never read. Returns std::nullopt when it does not exist, is not a regular
// file, or cannot be read.
std::optional<std::string> ReadFilePrefix(const std::filesystem::path& path, std::size_t maxBytes);

}  // namespace voltrane
