#pragma once
// Waiting, injected so that tests can assert the waits of the device protocol without taking them.

#include <chrono>

namespace voltrane {

// The mouse's pause: after each refused transfer, before a read-back and before the button report
// is fetched.
inline constexpr std::chrono::milliseconds kDeviceWait{300};

class Sleeper {
public:
    virtual ~Sleeper() = default;
    // Blocks the caller for `duration`.
    virtual void Sleep(std::chrono::milliseconds duration) = 0;
};

// The production sleeper: really waits.
class ThreadSleeper final : public Sleeper {
public:
    void Sleep(std::chrono::milliseconds duration) override;
};

}  // namespace voltrane
