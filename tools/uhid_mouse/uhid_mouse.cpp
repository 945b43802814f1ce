// uhid_mouse: the mouse made by the kernel's uhid driver, for testing the program through a real
// kernel (hidraw, udev, hot-plug). It creates one HID device on USB, 1B80:B412, whose report
// descriptor holds the pointer collection and both vendor collections, and answers the kernel's get
// and set feature reports through the same firmware model as the in-process virtual mouse.
//
//   uhid_mouse [--state FILE] [--refuse-sets N] [--short-replies] [--no-answer] [--vanish-after K]
//              [--unrelated]
//
//   --state FILE       after every report taken, FILE holds the stored reports (8 settings bytes, then
//                      the 2049 button bytes)
//   --refuse-sets N    the next N set feature reports are refused
//   --short-replies    every get feature report is answered one byte short
//   --no-answer        no transfer is ever answered, so the kernel's own time-out runs
//   --vanish-after K   the device goes away when the transfer after the K-th arrives, unanswered
//   --unrelated        an unrelated pointer (1234:5678, no feature reports) instead of the mouse
//
// The device stays until the program is ended by SIGTERM or SIGINT (or --vanish-after); exit 0 then,
// 2 for a bad command line, 1 when /dev/uhid cannot be used.

#include <fcntl.h>
#include <linux/uhid.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "device/factory_state.h"
#include "device/mouse_descriptors.h"
#include "device/mouse_firmware.h"
#include "device/mouse_model.h"

namespace {

using voltrane::MouseFirmware;

struct Options {
    std::string statePath;
    int refuseSets = 0;
    bool shortReplies = false;
    bool noAnswer = false;
    int vanishAfter = 0;  // 0: never
    bool unrelated = false;
};

constexpr uint32_t kUnrelatedVendor = 0x1234;
constexpr uint32_t kUnrelatedProduct = 0x5678;
constexpr uint8_t kPointerReportId = 1;

volatile std::sig_atomic_t g_stop = 0;

void onSignal(int) { g_stop = 1; }

std::optional<int> count(const char* text) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (*text == '\0' || *end != '\0' || value < 0 || value > 1000000) return std::nullopt;
    return static_cast<int>(value);
}

std::optional<Options> parse(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--short-replies") {
            options.shortReplies = true;
        } else if (arg == "--no-answer") {
            options.noAnswer = true;
        } else if (arg == "--unrelated") {
            options.unrelated = true;
        } else if (arg == "--state" && hasValue) {
            options.statePath = argv[++i];
        } else if ((arg == "--refuse-sets" || arg == "--vanish-after") && hasValue) {
            const std::optional<int> n = count(argv[++i]);
            if (!n) return std::nullopt;
            (arg == "--refuse-sets" ? options.refuseSets : options.vanishAfter) = *n;
        } else {
            return std::nullopt;
        }
    }
    return options;
}

// The mouse's one descriptor: the pointer collection, given report ID 1 because the vendor
// collections carry IDs, then the two vendor collections.
std::vector<uint8_t> mouseDescriptor() {
    constexpr std::size_t kPointerHeader = 6;  // Usage Page, Usage (Mouse), Collection (Application)
    const auto pointer = voltrane::kPointerDescriptor;
    std::vector<uint8_t> bytes(pointer.begin(), pointer.begin() + kPointerHeader);
    bytes.insert(bytes.end(), {0x85, kPointerReportId});
    bytes.insert(bytes.end(), pointer.begin() + kPointerHeader, pointer.end());
    bytes.insert(bytes.end(), voltrane::kVendorDescriptor.begin(), voltrane::kVendorDescriptor.end());
    return bytes;
}

bool send(int fd, const uhid_event& event) {
    return ::write(fd, &event, sizeof event) == static_cast<ssize_t>(sizeof event);
}

bool create(int fd, bool unrelated) {
    const std::vector<uint8_t> descriptor =
        unrelated
            ? std::vector<uint8_t>(voltrane::kPointerDescriptor.begin(), voltrane::kPointerDescriptor.end())
            : mouseDescriptor();
    uhid_event event{};
    event.type = UHID_CREATE2;
    std::snprintf(reinterpret_cast<char*>(event.u.create2.name), sizeof event.u.create2.name, "%s",
                  unrelated ? "uhid unrelated pointer" : "uhid Voltrane mouse");
    event.u.create2.rd_size = static_cast<uint16_t>(descriptor.size());
    std::memcpy(event.u.create2.rd_data, descriptor.data(), descriptor.size());
    event.u.create2.bus = voltrane::kMouseBusType;
    event.u.create2.vendor = unrelated ? kUnrelatedVendor : voltrane::kMouseVendorId;
    event.u.create2.product = unrelated ? kUnrelatedProduct : voltrane::kMouseProductId;
    return send(fd, event);
}

void saveState(const std::string& path, const MouseFirmware::State& state) {
    if (path.empty()) return;
    const std::string temporary = path + ".new";
    std::ofstream(temporary, std::ios::binary)
        .write(reinterpret_cast<const char*>(state.data()), static_cast<std::streamsize>(state.size()));
    std::rename(temporary.c_str(), path.c_str());
}

class Mouse {
public:
    Mouse(int fd, const Options& options)
        : m_fd(fd), m_options(options), m_firmware(voltrane::FactoryState()) {
        m_firmware.RefuseNextSets(options.refuseSets);
    }

    // Answers one event from the kernel. Returns false when the device is to go away.
    bool handle(const uhid_event& event) {
        if (event.type != UHID_GET_REPORT && event.type != UHID_SET_REPORT) return true;
        if (m_options.vanishAfter > 0 && m_transfers++ == m_options.vanishAfter) return false;
        if (m_options.noAnswer) return true;
        if (event.type == UHID_GET_REPORT) answerGet(event.u.get_report);
        if (event.type == UHID_SET_REPORT) answerSet(event.u.set_report);
        return true;
    }

private:
    void answerGet(const uhid_get_report_req& request) {
        uhid_event reply{};
        reply.type = UHID_GET_REPORT_REPLY;
        reply.u.get_report_reply.id = request.id;
        const auto length = static_cast<std::size_t>(voltrane::FeatureReportLength(request.rnum));
        reply.u.get_report_reply.data[0] = request.rnum;
        const bool taken = request.rtype == UHID_FEATURE_REPORT && length > 0 &&
                           m_firmware.GetFeature(std::span(reply.u.get_report_reply.data, length));
        reply.u.get_report_reply.err = taken ? 0 : EIO;
        const std::size_t sent = taken && m_options.shortReplies ? length - 1 : length;
        reply.u.get_report_reply.size = taken ? static_cast<uint16_t>(sent) : 0;
        send(m_fd, reply);
    }

    void answerSet(const uhid_set_report_req& request) {
        std::optional<MouseFirmware::State> next;
        if (request.rtype == UHID_FEATURE_REPORT) {
            next = m_firmware.SetFeature(std::span<const uint8_t>(request.data, request.size));
        }
        if (next) {
            m_firmware.Store(*next);
            saveState(m_options.statePath, *next);
        }
        uhid_event reply{};
        reply.type = UHID_SET_REPORT_REPLY;
        reply.u.set_report_reply.id = request.id;
        reply.u.set_report_reply.err = next ? 0 : EIO;
        send(m_fd, reply);
    }

    int m_fd;
    const Options& m_options;
    MouseFirmware m_firmware;
    int m_transfers = 0;
};

void installSignalHandlers() {
    struct sigaction action {};
    action.sa_handler = onSignal;  // no SA_RESTART: a waiting read returns so the loop sees the flag
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<Options> options = parse(argc, argv);
    if (!options) {
        std::fprintf(stderr,
                     "usage: uhid_mouse [--state FILE] [--refuse-sets N] [--short-replies] "
                     "[--no-answer] [--vanish-after K] [--unrelated]\n");
        return 2;
    }
    installSignalHandlers();
    const int fd = ::open("/dev/uhid", O_RDWR | O_CLOEXEC);
    if (fd < 0 || !create(fd, options->unrelated)) {
        std::fprintf(stderr, "uhid_mouse: /dev/uhid: %s\n", std::strerror(errno));
        return 1;
    }
    Mouse mouse(fd, *options);
    uhid_event event{};
    while (!g_stop && ::read(fd, &event, sizeof event) > 0 && mouse.handle(event)) {
    }
    uhid_event destroy{};
    destroy.type = UHID_DESTROY;
    send(fd, destroy);
    ::close(fd);
    return 0;
}
