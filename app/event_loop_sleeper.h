#pragma once
// The window's sleeper: while the device protocol waits, the window keeps painting. It waits in a
// local event loop that leaves user input and hot-plug notices queued, so no click and no presence
// check lands in the middle of a sequence.

#include "device/sleeper.h"

namespace voltrane {

class EventLoopSleeper final : public Sleeper {
public:
    void Sleep(std::chrono::milliseconds duration) override;
};

}  // namespace voltrane
