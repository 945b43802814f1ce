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

// Gives the temporary file its final mode and, where the saver may, the old file's owner and group.
bool ApplyOwnership(int fd, mode_t mode, const std::optional<std::pair<unsigned, unsigned>>& owner) {
    if (owner) {
        // Only the owner's own groups or root may hand a file on; a refusal keeps the saver's.
        [[maybe_unused]] const int kept =
            ::fchown(fd, static_cast<uid_t>(owner->first), static_cast<gid_t>(owner->second));
    }
    return ::fchmod(fd, mode) == 0;
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

PendingFile::PendingFile(fs::path path) : m_path(std::move(path)) {}

PendingFile::~PendingFile() { Discard(); }

WriteResult PendingFile::Write(std::string_view bytes) {
    if (m_fd >= 0) return WriteResult::Failed("already written");
    if (WriteResult found = FindTarget(); !found) return found;
    std::string name = (m_target.parent_path() / ("." + m_target.filename().string() + ".XXXXXX")).string();
    m_fd = ::mkostemp(name.data(), O_CLOEXEC);  // created 0600
    if (m_fd < 0) return LastError();
    m_temporary = name;
    if (!WriteAll(m_fd, bytes) || ::fsync(m_fd) != 0) {
        const WriteResult failed = LastError();
        Discard();
        return failed;
    }
    return {};
}

WriteResult PendingFile::FindTarget() {
    m_target = ResolveTarget(m_path);
    if (m_target.empty() || !m_target.has_filename()) return WriteResult::Failed("not a file name");
    m_mode = NewFileMode();
    m_owner.reset();
    struct stat existing {};
    if (::stat(m_target.c_str(), &existing) != 0) return {};
    if (!S_ISREG(existing.st_mode)) return WriteResult::Failed("not a regular file");
    if (::faccessat(AT_FDCWD, m_target.c_str(), W_OK, AT_EACCESS) != 0) return LastError();
    m_mode = existing.st_mode & 0777;
    m_owner.emplace(existing.st_uid, existing.st_gid);
    return {};
}

WriteResult PendingFile::Commit(const BeforeRename& beforeRename) {
    if (m_fd < 0) return WriteResult::Failed("nothing written");
    FileDescriptor fd(std::exchange(m_fd, -1));
    if (!ApplyOwnership(fd.Get(), static_cast<mode_t>(m_mode), m_owner) || !fd.Close()) {
        const WriteResult failed = LastError();
        Discard();
        return failed;
    }
    if (beforeRename) beforeRename(m_temporary);
    if (::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
        const WriteResult failed = LastError();
        Discard();
        return failed;
    }
    m_temporary.clear();
    SyncFolder(m_target.has_parent_path() ? m_target.parent_path() : fs::path("."));
    return {};
}

void PendingFile::Discard() {
    if (m_fd >= 0) ::close(std::exchange(m_fd, -1));
    if (!m_temporary.empty()) ::unlink(m_temporary.c_str());
    m_temporary.clear();
}

WriteResult WriteFileAtomically(const fs::path& path, std::string_view bytes,
                                const BeforeRename& beforeRename) {
    PendingFile file(path);
    if (WriteResult written = file.Write(bytes); !written) return written;
    return file.Commit(beforeRename);
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
