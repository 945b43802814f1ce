#include "settings/program_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace voltrane {

ProgramLock::ProgramLock(const std::filesystem::path& dir) {
    m_fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_fd < 0) {
        m_reason = std::strerror(errno);
        return;
    }
    if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0) {
        m_state = State::Held;
        return;
    }
    const int error = errno;
    m_state = error == EWOULDBLOCK ? State::HeldElsewhere : State::Unavailable;
    m_reason = std::strerror(error);
    ::close(m_fd);
    m_fd = -1;
}

ProgramLock::~ProgramLock() {
    if (m_fd >= 0) ::close(m_fd);
}

}  // namespace voltrane
