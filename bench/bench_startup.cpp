// Start-up of `voltrane` beside a minimal Qt program that shows one 800 x 600 picture in a frameless
// window, both started in turn in one run on the X server of DISPLAY (e.g. under `xvfb-run -a`, with
// no window manager). For each start it measures the time from exec to the first window mapped on the
// screen (an X MapNotify on the root window) and the resident memory 0.3 s later; then, in a second
// round with VOLTRANE_FIRST_FRAME_PROBE set, the time from main() to the first painted frame. It prints
// the medians of each.
//
//   bench_startup VOLTRANE MINIMAL PICTURE [RUNS]

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

constexpr auto kMapTimeout = std::chrono::seconds(20);
constexpr auto kMemoryDelay = std::chrono::milliseconds(300);

struct Sample {
    double mappedMs = 0;
    double residentKb = 0;
    double frameMs = 0;
};

struct XConnection {
    xcb_connection_t* connection = nullptr;
    ~XConnection() {
        if (connection) xcb_disconnect(connection);
    }
};

// Starts `argv` with its standard output on `out` (or inherited when -1); the child's pid.
pid_t start(const std::vector<std::string>& argv, int out) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (out >= 0) ::dup2(out, STDOUT_FILENO);
        std::vector<char*> args;
        for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        ::execv(args[0], args.data());
        std::_Exit(127);
    }
    return child;
}

void stop(pid_t child) {
    ::kill(child, SIGTERM);
    int status = 0;
    ::waitpid(child, &status, 0);
}

// Takes every event the server has sent so far (a round trip makes sure all have arrived).
void drainEvents(xcb_connection_t* connection) {
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) std::free(event);
}

// Waits for the next window mapped on the screen's root; false after kMapTimeout.
bool awaitMap(xcb_connection_t* connection, Clock::time_point since) {
    const int fd = xcb_get_file_descriptor(connection);
    while (Clock::now() - since < kMapTimeout) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
            std::free(event);
            if (mapped) return true;
        }
        if (xcb_connection_has_error(connection)) return false;
        pollfd wait{fd, POLLIN, 0};
        ::poll(&wait, 1, 50);
    }
    return false;
}

// The resident memory of process `pid` in kB (VmRSS), 0 when it cannot be read.
double residentKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            double kb = 0;
            status >> kb;
            return kb;
        }
        status.ignore(4096, '\n');
    }
    return 0;
}

// One start of `argv` until its first mapped window, and its memory kMemoryDelay later.
bool mapOnce(xcb_connection_t* connection, const std::vector<std::string>& argv, Sample& sample) {
    drainEvents(connection);
    const Clock::time_point before = Clock::now();
    const pid_t child = start(argv, -1);
    const bool mapped = awaitMap(connection, before);
    sample.mappedMs = Milliseconds(Clock::now() - before).count();
    if (mapped) {
        std::this_thread::sleep_for(kMemoryDelay);
        sample.residentKb = residentKb(child);
    }
    stop(child);
    drainEvents(connection);
    return mapped && sample.residentKb > 0;
}

// One start of `argv` with the first-frame probe on, which ends it after its first frame.
bool frameOnce(const std::vector<std::string>& argv, Sample& sample) {
    int out[2];
    if (::pipe(out) != 0) return false;
    ::setenv("VOLTRANE_FIRST_FRAME_PROBE", "1", 1);
    const pid_t child = start(argv, out[1]);
    ::unsetenv("VOLTRANE_FIRST_FRAME_PROBE");
    ::close(out[1]);
    char line[256] = {};
    const ssize_t got = ::read(out[0], line, sizeof line - 1);
    ::close(out[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    long peakKb = 0;
    return got > 0 &&
           std::sscanf(line, "first-frame-ms=%lf peak-rss-kb=%ld", &sample.frameMs, &peakKb) == 2;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// The medians of `runs` samples of each program, started in turn so that both meet the same load.
std::optional<std::vector<Sample>> measure(xcb_connection_t* connection,
                                           const std::vector<std::vector<std::string>>& programs,
                                           int runs) {
    std::vector<std::vector<Sample>> samples(programs.size());
    for (int run = 0; run < runs; ++run) {
        for (std::size_t p = 0; p < programs.size(); ++p) {
            Sample sample;
            if (!mapOnce(connection, programs[p], sample) || !frameOnce(programs[p], sample)) {
                std::fprintf(stderr, "bench_startup: %s showed no window\n", programs[p][0].c_str());
                return std::nullopt;
            }
            samples[p].push_back(sample);
        }
    }
    std::vector<Sample> medians;
    for (const std::vector<Sample>& of : samples) {
        auto field = [&of](double Sample::*member) {
            std::vector<double> values;
            for (const Sample& s : of) values.push_back(s.*member);
            return median(values);
        };
        medians.push_back({field(&Sample::mappedMs), field(&Sample::residentKb), field(&Sample::frameMs)});
    }
    return medians;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: bench_startup VOLTRANE MINIMAL PICTURE [RUNS]  (on an X server)\n");
        return 2;
    }
    const int runs = argc > 4 ? std::max(1, std::atoi(argv[4])) : 9;
    XConnection x{xcb_connect(nullptr, nullptr)};
    if (xcb_connection_has_error(x.connection)) {
        std::fprintf(stderr, "bench_startup: no X server on DISPLAY (run it under xvfb-run -a)\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x.connection)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x.connection, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x.connection);
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    ::unsetenv("WAYLAND_DISPLAY");
    const std::filesystem::path state = std::filesystem::temp_directory_path() / "voltrane-bench-mouse.bin";
    ::setenv("VOLTRANE_DEVICE", ("virtual:" + state.string()).c_str(), 1);

    const std::optional<std::vector<Sample>> medians =
        measure(x.connection, {{argv[1]}, {argv[2], argv[3]}}, runs);
    std::filesystem::remove(state);
    if (!medians) return 1;
    const Sample& program = (*medians)[0];
    const Sample& minimal = (*medians)[1];
    std::printf("medians of %d starts %28s %16s %14s\n", runs, "exec to mapped window",
                "memory 0.3 s later", "first frame");
    std::printf("%-20s %25.1f ms %13.1f MiB %11.1f ms\n", "voltrane", program.mappedMs,
                program.residentKb / 1024, program.frameMs);
    std::printf("%-20s %25.1f ms %13.1f MiB %11.1f ms\n", "minimal Qt window", minimal.mappedMs,
                minimal.residentKb / 1024, minimal.frameMs);
    std::printf("%-20s %26.2fx %15.2fx %12.2fx   (goal: within 1.5x)\n", "ratio",
                program.mappedMs / minimal.mappedMs, program.residentKb / minimal.residentKb,
                program.frameMs / minimal.frameMs);
    return 0;
}
