#include "device/sleeper.h"

#include <thread>

namespace voltrane {

void ThreadSleeper::Sleep(std::chrono::milliseconds duration) { std::this_thread::sleep_for(duration); }

}  // namespace voltrane
