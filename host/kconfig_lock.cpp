#include "host/kconfig_lock.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>

#include "settings/atomic_file.h"

namespace voltrane {

namespace {

constexpr std::size_t kMaxLockBytes = 4096;

// The process ID on the lock's first line; 0 when there is none.
pid_t lockOwner(const std::filesystem::path& path) {
    const std::string text = ReadFileLimited(path, kMaxLockBytes).value_or("");
    return static_cast<pid_t>(std::strtol(text.c_str(), nullptr, 10));
}

bool processRuns(pid_t pid) { return pid > 0 && (kill(pid, 0) == 0 || errno != ESRCH); }

// The owner's process ID, program name (as /proc names it, which Qt compares when it judges a lock
// stale) and host name.
std::string lockText() {
    char host[256] = {};
    gethostname(host, sizeof host - 1);
    std::error_code error;
    const std::string program = std::filesystem::read_symlink("/proc/self/exe", error).filename().string();
    return std::to_string(getpid()) + "\n" + program + "\n" + host + "\n";
}

}  // namespace

KConfigLock::KConfigLock(const std::filesystem::path& file) : m_path(file.string() + ".lock") {
    if (!tryCreate() && m_error.empty()) takeOver();
    if (!m_error.empty()) m_path.clear();
}

KConfigLock::~KConfigLock() {
    std::error_code ignored;
    if (!m_path.empty()) std::filesystem::remove(m_path, ignored);
}

// Creates the lock file; false with m_error empty when it exists already, with the reason otherwise.
bool KConfigLock::tryCreate() {
    const int fd = open(m_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        if (errno != EEXIST) m_error = "cannot create " + m_path.string() + ": " + std::strerror(errno);
        return false;
    }
    const std::string text = lockText();
    const bool written = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    close(fd);
    if (written) return true;
    unlink(m_path.c_str());
    m_error = "cannot write " + m_path.string();
    return false;
}

// The lock exists: taken over when its owner has ended, else refused.
void KConfigLock::takeOver() {
    const pid_t owner = lockOwner(m_path);
    if (processRuns(owner)) {
        m_error = "locked by process " + std::to_string(owner) + " (" + m_path.string() + ")";
        return;
    }
    std::error_code ignored;
    std::filesystem::remove(m_path, ignored);
    if (!tryCreate() && m_error.empty()) m_error = "locked (" + m_path.string() + ")";
}

}  // namespace voltrane
