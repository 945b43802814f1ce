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
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "device/hid_device.h"
#include "device/mouse_descriptors.h"
#include "tools/faulty_firmware/faulty_firmware.h"

namespace {

using voltrane::FaultyFirmware;

struct Options {
    voltrane::MouseFaults faults;
    bool unrelated = false;
};

constexpr uint32_t kUnrelatedVendor = 0x1234;
constexpr uint32_t kUnrelatedProduct = 0x5678;

volatile std::sig_atomic_t g_stop = 0;

void onSignal(int) { g_stop = 1; }

std::optional<Options> parse(int argc, char** argv) {
    Options options;
    const std::span<char* const> args(argv, static_cast<std::size_t>(argc));
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (std::string(args[i]) == "--unrelated") {
            options.unrelated = true;
        } else if (!voltrane::TakeFaultOption(args, i, options.faults)) {
            return std::nullopt;
        }
    }
    return options;
}

bool send(int fd, const uhid_event& event) {
    return ::write(fd, &event, sizeof event) == static_cast<ssize_t>(sizeof event);
}

bool create(int fd, bool unrelated) {
    const std::vector<uint8_t> descriptor =
        unrelated
            ? std::vector<uint8_t>(voltrane::kPointerDescriptor.begin(), voltrane::kPointerDescriptor.end())
            : voltrane::SingleInterfaceDescriptor();
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

class Mouse {
public:
    Mouse(int fd, const Options& options) : m_fd(fd), m_firmware(options.faults) {}

    // Answers one event from the kernel. Returns false when the device is to go away.
    bool handle(const uhid_event& event) {
        if (event.type != UHID_GET_REPORT && event.type != UHID_SET_REPORT) return true;
        const FaultyFirmware::Arrival arrival = m_firmware.Arrive();
        if (arrival == FaultyFirmware::Arrival::Vanish) return false;
        if (arrival == FaultyFirmware::Arrival::Ignore) return true;
        if (event.type == UHID_GET_REPORT) answerGet(event.u.get_report);
        if (event.type == UHID_SET_REPORT) answerSet(event.u.set_report);
        return true;
    }

private:
    void answerGet(const uhid_get_report_req& request) {
        uhid_event reply{};
        reply.type = UHID_GET_REPORT_REPLY;
        reply.u.get_report_reply.id = request.id;
        reply.u.get_report_reply.data[0] = request.rnum;
        const std::span<uint8_t> data(reply.u.get_report_reply.data, sizeof reply.u.get_report_reply.data);
        const std::size_t sent = request.rtype == UHID_FEATURE_REPORT ? m_firmware.GetFeature(data) : 0;
        reply.u.get_report_reply.err = sent > 0 ? 0 : EIO;
        reply.u.get_report_reply.size = static_cast<uint16_t>(sent);
        send(m_fd, reply);
    }

    void answerSet(const uhid_set_report_req& request) {
        const bool taken = request.rtype == UHID_FEATURE_REPORT &&
                           m_firmware.SetFeature(std::span<const uint8_t>(request.data, request.size));
        uhid_event reply{};
        reply.type = UHID_SET_REPORT_REPLY;
        reply.u.set_report_reply.id = request.id;
        reply.u.set_report_reply.err = taken ? 0 : EIO;
        send(m_fd, reply);
    }

    int m_fd;
    FaultyFirmware m_firmware;
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
        std::fprintf(stderr, "usage: uhid_mouse %s [--unrelated]\n", voltrane::kFaultUsage);
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
