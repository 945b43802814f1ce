#pragma once
// A measuring aid for the start-up benchmark: with VOLTRANE_FIRST_FRAME_PROBE set in the
// environment, the process prints how long it took from `start` to its first painted frame and its
// peak memory, then ends at once. Without the variable nothing is installed.

#include <chrono>

class QCoreApplication;

namespace voltrane {

// Installs the probe on `application` when VOLTRANE_FIRST_FRAME_PROBE is set. On the first paint
// of any widget, once that frame is drawn, it prints "first-frame-ms=<ms> peak-rss-kb=<kB>" on the standard
// output and exits with status 0.
void InstallFirstFrameProbe(QCoreApplication& application, std::chrono::steady_clock::time_point start);

}  // namespace voltrane
