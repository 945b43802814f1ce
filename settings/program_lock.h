#pragma once
// The lock that lets one program at a time work in a program directory, so that two windows never
// apply and save over each other. It is an advisory lock on the folder itself, which needs no file of
// its own and works in a folder the program may not write; the system drops it when the holder ends.

#include <filesystem>
#include <string>

namespace voltrane {

class ProgramLock {
public:
    enum class State {
        Held,           // this program holds the folder
        HeldElsewhere,  // another program holds it
        Unavailable,    // the folder cannot be locked (missing, unreadable); reason() says why
    };

    // Tries once, without waiting, to take the lock of `dir`.
    explicit ProgramLock(const std::filesystem::path& dir);
    ~ProgramLock();
    ProgramLock(const ProgramLock&) = delete;
    ProgramLock& operator=(const ProgramLock&) = delete;

    State state() const { return m_state; }
    const std::string& reason() const { return m_reason; }

private:
    int m_fd = -1;
    State m_state = State::Unavailable;
    std::string m_reason;
};

}  // namespace voltrane
