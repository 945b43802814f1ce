#pragma once
// KConfig's lock on a configuration file: "<file>.lock", created exclusively and holding the
// owner's process ID, application name and host name on three lines, removed when the write is done.

#include <filesystem>
#include <string>

namespace voltrane {

class KConfigLock {
public:
    // Takes the lock of `file`. A lock left by a process that no longer runs is taken over; one held
    // by a running process is not waited for.
    explicit KConfigLock(const std::filesystem::path& file);
    ~KConfigLock();
    KConfigLock(const KConfigLock&) = delete;
    KConfigLock& operator=(const KConfigLock&) = delete;

    // Why the lock could not be taken; empty while it is held.
    const std::string& Error() const { return m_error; }

private:
    bool tryCreate();
    void takeOver();

    std::filesystem::path m_path;
    std::string m_error;
};

}  // namespace voltrane
