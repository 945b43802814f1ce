// Start-up: time from main() to the first painted frame, and peak memory, of `voltrane` beside a
// minimal Qt program that shows one 800 x 600 picture in a frameless window. Each program runs
// several times as a child process on the platform Qt chooses (QT_QPA_PLATFORM=offscreen when
// there is no display); the medians are printed. voltrane's start-up read of the mouse waits
// kDeviceWait once by design; that wait is reported and taken out of the comparison.
//
//   bench_startup VOLTRANE MINIMAL PICTURE [RUNS]

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "device/sleeper.h"

namespace {

struct Sample {
    double frameMs = 0;
    long peakKb = 0;
};

// Runs `argv` with the probe on and reads its one line; std::nullopt when it did not report.
bool runOnce(const std::vector<std::string>& argv, Sample& sample) {
    int out[2];
    if (::pipe(out) != 0) return false;
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(out[1], STDOUT_FILENO);
        ::close(out[0]);
        std::vector<char*> args;
        for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        ::execv(args[0], args.data());
        std::_Exit(127);
    }
    ::close(out[1]);
    char line[256] = {};
    const ssize_t got = ::read(out[0], line, sizeof line - 1);
    ::close(out[0]);
    int status = 0;
    struct rusage usage {};
    ::wait4(child, &status, 0, &usage);
    long probeKb = 0;
    if (got <= 0 ||
        std::sscanf(line, "first-frame-ms=%lf peak-rss-kb=%ld", &sample.frameMs, &probeKb) != 2) {
        return false;
    }
    sample.peakKb = usage.ru_maxrss;
    return true;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// The medians of `runs` runs of `argv`.
bool measure(const std::vector<std::string>& argv, int runs, Sample& result) {
    std::vector<double> frames, peaks;
    for (int i = 0; i < runs; ++i) {
        Sample sample;
        if (!runOnce(argv, sample)) return false;
        frames.push_back(sample.frameMs);
        peaks.push_back(static_cast<double>(sample.peakKb));
    }
    result = {median(frames), static_cast<long>(median(peaks))};
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: bench_startup VOLTRANE MINIMAL PICTURE [RUNS]\n");
        return 2;
    }
    const int runs = argc > 4 ? std::max(1, std::atoi(argv[4])) : 9;
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    }
    ::setenv("VOLTRANE_FIRST_FRAME_PROBE", "1", 1);
    const std::filesystem::path state = std::filesystem::temp_directory_path() / "voltrane-bench-mouse.bin";
    ::setenv("VOLTRANE_DEVICE", ("virtual:" + state.string()).c_str(), 1);
    Sample program, minimal;
    if (!measure({argv[1]}, runs, program) || !measure({argv[2], argv[3]}, runs, minimal)) {
        std::fprintf(stderr, "bench_startup: a program did not report its first frame\n");
        return 1;
    }
    std::filesystem::remove(state);
    const double waitMs = static_cast<double>(voltrane::kDeviceWait.count());
    const double programMs = program.frameMs - waitMs;
    std::printf("%-28s %12s %14s\n", "", "first frame", "peak memory");
    std::printf("%-28s %9.1f ms %11ld kB\n", "voltrane (measured)", program.frameMs, program.peakKb);
    std::printf("%-28s %9.1f ms\n", "voltrane without the wait", programMs);
    std::printf("%-28s %9.1f ms %11ld kB\n", "minimal Qt window", minimal.frameMs, minimal.peakKb);
    std::printf("%-28s %9.2fx %12.2fx   (goal: within 1.5x)\n", "ratio", programMs / minimal.frameMs,
                static_cast<double>(program.peakKb) / static_cast<double>(minimal.peakKb));
    return 0;
}
