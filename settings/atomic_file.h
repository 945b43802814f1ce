#pragma once
// Whole-file reads and writes. This is the one place the core reaches the operating system's
// file layer; a file is never left half written.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace voltrane {

// The outcome of a save: written, or why not.
struct [[nodiscard]] WriteResult {
    std::string error;  // empty when written; else the reason, e.g. "Permission denied"

    static WriteResult Failed(std::string reason) { return {std::move(reason)}; }
    bool ok() const { return error.empty(); }
    explicit operator bool() const { return ok(); }
};

// Called with the temporary file once it holds the new contents, its final mode and owner, just
// before it is renamed over the target; tests look at it there.
using BeforeRename = std::function<void(const std::filesystem::path& temporary)>;

// The new contents of one file, written beside it and put in its place only on Commit, so that
// several files can all be written before any of them is replaced.
//
// A symbolic link at the path is followed and the file it names is replaced. The temporary file gets
// an unpredictable name in the target's folder and is readable by its owner only until Commit gives
// it its final mode: an existing target's permission bits (never set-user-ID, set-group-ID or
// sticky) and, where the saver may, its owner and group; for a new file 0666 less the umask. A
// PendingFile destroyed before its Commit removes its temporary file and leaves the target as it was.
class PendingFile {
public:
    explicit PendingFile(std::filesystem::path path);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    // Writes `bytes` into a new temporary file and flushes it to disk. Fails, leaving nothing behind,
    // when the folder is missing or not writable, the target is a directory or a file we may not
    // write, the disk is full, or an earlier Write is still waiting for its Commit.
    WriteResult Write(std::string_view bytes);

    // The temporary file after a successful Write; empty before and after Commit.
    const std::filesystem::path& TemporaryPath() const { return m_temporary; }

    // Gives the written temporary file its final mode and owner, calls `beforeRename`, renames it
    // over the target and flushes the folder. On failure the target is as it was and the temporary
    // file is removed.
    WriteResult Commit(const BeforeRename& beforeRename = {});

private:
    // Finds the file to replace and what the new one keeps of it; fails when it may not be replaced.
    WriteResult FindTarget();
    void Discard();

    std::filesystem::path m_path;
    std::filesystem::path m_target;     // where the rename goes: m_path with any link followed
    std::filesystem::path m_temporary;  // empty when there is none
    int m_fd = -1;                      // the temporary file, open until Commit
    unsigned m_mode = 0;                // its final permission bits
    std::optional<std::pair<unsigned, unsigned>> m_owner;  // the old file's owner and group
};

// Replaces `path` with `bytes` atomically: a PendingFile written and committed at once. On any
// failure the old file is left untouched, no temporary file remains and the result says why.
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
