#include "settings/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>

namespace voltrane {

namespace fs = std::filesystem;

namespace {

// Owns a file descriptor and closes it on destruction.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { Close(); }

    int Get() const { return m_fd; }
    bool Valid() const { return m_fd >= 0; }

    // Closes the descriptor; returns false when the close reported an error (a lost write).
    bool Close() {
        const int fd = m_fd;
        m_fd = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int m_fd;
};

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The file a write to `path` must replace: the target of a symbolic link, else `path` itself.
// Empty when `path` is a link that leads nowhere.
fs::path ResolveTarget(const fs::path& path) {
    std::error_code error;
    if (!fs::is_symlink(path, error)) return path;
    fs::path target = fs::canonical(path, error);
    return error ? fs::path() : target;
}

// The reason for the last failed system call.
WriteResult LastError() { return WriteResult::Failed(std::strerror(errno)); }

// The permission bits a new file gets: 0666 less the process's umask.
mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// What the replaced file keeps: its permission bits without set-ID and sticky bits, and its owner.
struct Ownership {
    mode_t mode = NewFileMode();
    std::optional<std::pair<uid_t, gid_t>> owner;  // unset for a new file
};

// Gives the temporary file its final mode and, where the saver may, the old file's owner and group.
bool ApplyOwnership(int fd, const Ownership& ownership) {
    if (ownership.owner) {
        // Only the owner's own groups or root may hand a file on; a refusal keeps the saver's.
        [[maybe_unused]] const int kept = ::fchown(fd, ownership.owner->first, ownership.owner->second);
    }
    return ::fchmod(fd, ownership.mode) == 0;
}

// Writes `bytes` into a new temporary file beside `target` (created 0600 under a random name),
// flushes it to disk and gives it `ownership`. Fills `tempPath`; on failure nothing is left behind.
WriteResult WriteTemporary(const fs::path& target, std::string_view bytes, const Ownership& ownership,
                           fs::path& tempPath) {
    std::string name = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    FileDescriptor fd(::mkostemp(name.data(), O_CLOEXEC));
    if (!fd.Valid()) return LastError();
    tempPath = name;
    if (!WriteAll(fd.Get(), bytes) || ::fsync(fd.Get()) != 0 || !ApplyOwnership(fd.Get(), ownership) ||
        !fd.Close()) {
        const WriteResult failed = LastError();
        ::unlink(tempPath.c_str());
        return failed;
    }
    return {};
}

// Makes a completed rename durable. A failure here loses nothing that is on disk already.
void SyncFolder(const fs::path& folder) {
    FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Valid()) ::fsync(fd.Get());
}

// Opens `path` for reading when it is a regular file and fills `info`; returns the descriptor, or
// -1 (nothing left open) otherwise. The open does not block: a named pipe must not stall the caller
// before it is rejected.
int OpenRegularFile(const fs::path& path, struct stat& info) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return -1;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Appends bytes read from `fd` to `data` until the end of the file or until `data` holds `limit`
// bytes. Returns false on a read error.
bool ReadUpTo(int fd, std::size_t limit, std::string& data) {
    char buffer[64 * 1024];
    while (data.size() < limit) {
        const std::size_t want = std::min(sizeof buffer, limit - data.size());
        const ssize_t got = ::read(fd, buffer, want);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) break;
        data.append(buffer, static_cast<std::size_t>(got));
    }
    return true;
}

}  // namespace

WriteResult WriteFileAtomically(const fs::path& path, std::string_view bytes,
                                const BeforeRename& beforeRename) {
    const fs::path target = ResolveTarget(path);
    if (target.empty() || !target.has_filename()) return WriteResult::Failed("not a file name");
    Ownership ownership;
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) {
        if (!S_ISREG(existing.st_mode)) return WriteResult::Failed("not a regular file");
        if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return LastError();
        ownership = {static_cast<mode_t>(existing.st_mode & 0777), {{existing.st_uid, existing.st_gid}}};
    }
    fs::path tempPath;
    if (WriteResult written = WriteTemporary(target, bytes, ownership, tempPath); !written) return written;
    if (beforeRename) beforeRename(tempPath);
    if (::rename(tempPath.c_str(), target.c_str()) != 0) {
        const WriteResult failed = LastError();
        ::unlink(tempPath.c_str());
        return failed;
    }
    SyncFolder(target.has_parent_path() ? target.parent_path() : fs::path("."));
    return {};
}

std::optional<std::string> ReadFileLimited(const fs::path& path, std::size_t maxBytes) {
    struct stat info {};
    FileDescriptor fd(OpenRegularFile(path, info));
    if (!fd.Valid()) return std::nullopt;
    if (static_cast<std::uintmax_t>(info.st_size) > maxBytes) return std::nullopt;
    std::string data;
    data.reserve(static_cast<std::size_t>(info.st_size));
    // One byte more than allowed is asked for, so that a file that grew while being read is noticed.
    if (!ReadUpTo(fd.Get(), maxBytes + (maxBytes < SIZE_MAX ? 1 : 0), data) || data.size() > maxBytes) {
        return std::nullopt;
    }
    return data;
}

std::optional<std::string> ReadFilePrefix(const fs::path& path, std::size_t maxBytes) {
    struct stat info {};
    FileDescriptor fd(OpenRegularFile(path, info));
    if (!fd.Valid()) return std::nullopt;
    std::string data;
    data.reserve(std::min(static_cast<std::size_t>(info.st_size), maxBytes));
    if (!ReadUpTo(fd.Get(), maxBytes, data)) return std::nullopt;
    return data;
}

}  // namespace voltrane
