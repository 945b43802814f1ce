// usb_mouse: the mouse as a USB device, for testing the program through a real kernel's USB stack
// (usbhid, hidraw, udev, hot-plug). It serves the device over USB/IP to the kernel's vhci-hcd: a
// socket pair, one end handed to the kernel through vhci-hcd's sysfs "attach" file, the other
// answered here; the kernel's usbhid then binds the device as it binds a mouse on a cable.
//
//   usb_mouse [--serial TEXT] [--one-interface] [fault options]
//
//   --serial TEXT      the serial number (printable ASCII, 1 to 64 characters); default VT0001
//   --one-interface    every collection on one interface, instead of the pointer on interface 0 and
//                      the two vendor collections on interface 1
//   --state FILE, --refuse-sets N, --short-replies, --no-answer, --vanish-after K: as uhid_mouse
//                      (--vanish-after disconnects the device, unanswered)
//
// SIGUSR1 unplugs the device and plugs it in again (a USB disconnect, then a new attach), keeping the
// stored reports. The device stays until SIGTERM or SIGINT (or --vanish-after); exit 0 then, 2 for a
// bad command line, 1 when vhci-hcd cannot take the device.

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "tools/faulty_firmware/faulty_firmware.h"
#include "tools/usb_mouse/usb_mouse_device.h"

namespace {

using voltrane::UsbMouseDevice;
using voltrane::UsbReply;

struct Options {
    voltrane::MouseFaults faults;
    std::string serial = "VT0001";
    bool oneInterface = false;
};

constexpr char kVhci[] = "/sys/devices/platform/vhci_hcd.0/";
constexpr int kPorts = 8;                       // vhci-hcd's high-speed ports: 0 to 7 by default
constexpr unsigned kSpeedFull = 2;              // USB_SPEED_FULL
constexpr uint32_t kDeviceId = (1u << 16) | 2;  // bus 1, device 2, as a USB/IP server names it

// USB/IP commands and the status values of its replies.
constexpr uint32_t kCmdSubmit = 1, kCmdUnlink = 2, kRetSubmit = 3, kRetUnlink = 4;
constexpr int32_t kStatusStall = -EPIPE, kStatusUnlinked = -ECONNRESET;
constexpr std::size_t kHeaderBytes = 48;
constexpr std::size_t kMaxTransfer = 64 * 1024;

volatile std::sig_atomic_t g_stop = 0;
volatile std::sig_atomic_t g_replug = 0;

void onStop(int) { g_stop = 1; }
void onReplug(int) { g_replug = 1; }

bool printable(const std::string& text) {
    if (text.empty() || text.size() > 64) return false;
    for (const char c : text) {
        if (c < 0x21 || c > 0x7E) return false;
    }
    return true;
}

std::optional<Options> parse(int argc, char** argv) {
    Options options;
    const std::span<char* const> args(argv, static_cast<std::size_t>(argc));
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string arg = args[i];
        if (arg == "--one-interface") {
            options.oneInterface = true;
        } else if (arg == "--serial" && i + 1 < args.size() && printable(args[i + 1])) {
            options.serial = args[++i];
        } else if (!voltrane::TakeFaultOption(args, i, options.faults)) {
            return std::nullopt;
        }
    }
    return options;
}

uint32_t be32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 |
           static_cast<uint32_t>(p[2]) << 8 | p[3];
}

void putBe32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

// Reads exactly `bytes.size()` bytes; false at the end of the stream, on an error or on a signal.
bool readAll(int fd, std::span<uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool writeAll(int fd, std::span<const uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// A reply header: command, sequence number, then zeros for devid, direction and endpoint, then the
// reply's own fields and padding up to 48 bytes.
std::vector<uint8_t> replyHeader(uint32_t command, uint32_t seqnum, std::span<const int32_t> fields) {
    std::vector<uint8_t> out;
    putBe32(out, command);
    putBe32(out, seqnum);
    for (int i = 0; i < 3; ++i) putBe32(out, 0);
    for (const int32_t field : fields) putBe32(out, static_cast<uint32_t>(field));
    out.resize(kHeaderBytes, 0);
    return out;
}

// Hands the kernel one end of a socket pair as the device on a free port; returns the other end, or
// -1 when no port would take it.
int attach() {
    int pair[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0) return -1;
    for (int port = 0; port < kPorts; ++port) {
        std::ofstream file(std::string(kVhci) + "attach");
        file << port << ' ' << pair[1] << ' ' << kDeviceId << ' ' << kSpeedFull << std::flush;
        if (!file) continue;
        ::close(pair[1]);  // the kernel holds its own reference
        return pair[0];
    }
    ::close(pair[0]);
    ::close(pair[1]);
    return -1;
}

// Waits until `fd` has data; false on a signal to stop or replug, or an error.
bool waitReadable(int fd) {
    pollfd entry{fd, POLLIN, 0};
    while (!g_stop && !g_replug) {
        const int ready = ::poll(&entry, 1, 200);
        if (ready > 0) return true;
        if (ready < 0 && errno != EINTR) return false;
    }
    return false;
}

// One attached device: reads the kernel's USB/IP commands and answers them until the link ends.
class Link {
public:
    Link(int fd, UsbMouseDevice& device) : m_fd(fd), m_device(device) {}

    // Serves commands until a signal, the device vanishing (--vanish-after) or the link breaking.
    void Serve() {
        std::array<uint8_t, kHeaderBytes> header{};
        while (waitReadable(m_fd) && readAll(m_fd, header)) {
            const uint32_t command = be32(&header[0]);
            const uint32_t seqnum = be32(&header[4]);
            if (command == kCmdUnlink) {
                unlink(seqnum, be32(&header[20]));
            } else if (command != kCmdSubmit || !submit(header, seqnum)) {
                return;
            }
        }
    }

private:
    // Answers one CMD_SUBMIT (leaving interrupt transfers pending: the mouse never moves); false when
    // the device is to vanish, or the link broke.
    bool submit(const std::array<uint8_t, kHeaderBytes>& header, uint32_t seqnum) {
        const bool in = be32(&header[12]) == 1;
        const uint32_t endpoint = be32(&header[16]);
        const uint32_t length = be32(&header[24]);
        if (length > kMaxTransfer) return false;
        std::vector<uint8_t> out(in ? 0 : length);
        if (!readAll(m_fd, out)) return false;
        if (endpoint != 0) {
            m_pending.insert(seqnum);
            return true;
        }
        const auto setup = voltrane::UsbSetup::FromBytes(std::span<const uint8_t, 8>(&header[40], 8));
        const UsbReply reply = m_device.Control(setup, out);
        if (reply.kind == UsbReply::Kind::Vanish) return false;
        if (reply.kind == UsbReply::Kind::None) {
            m_pending.insert(seqnum);
            return true;
        }
        const bool stalled = reply.kind == UsbReply::Kind::Stall;
        const int32_t actual = stalled ? 0 : static_cast<int32_t>(in ? reply.data.size() : out.size());
        const std::array<int32_t, 5> fields = {stalled ? kStatusStall : 0, actual, 0, 0, 0};
        std::vector<uint8_t> message = replyHeader(kRetSubmit, seqnum, fields);
        if (in) message.insert(message.end(), reply.data.begin(), reply.data.end());
        return writeAll(m_fd, message);
    }

    void unlink(uint32_t seqnum, uint32_t target) {
        const bool pending = m_pending.erase(target) > 0;
        const std::array<int32_t, 1> fields = {pending ? kStatusUnlinked : 0};
        writeAll(m_fd, replyHeader(kRetUnlink, seqnum, fields));
    }

    int m_fd;
    UsbMouseDevice& m_device;
    std::set<uint32_t> m_pending;  // submitted transfers left unanswered
};

// Attaches the device, retrying for up to 10 s while the kernel frees the port of a detached one.
int attachWithRetries() {
    for (int attempt = 0; attempt < 100 && !g_stop; ++attempt) {
        const int fd = attach();
        if (fd >= 0) return fd;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return -1;
}

void installSignalHandlers() {
    struct sigaction action {};
    action.sa_handler = onStop;  // no SA_RESTART: a waiting read returns so the loop sees the flag
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    action.sa_handler = onReplug;
    sigaction(SIGUSR1, &action, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<Options> options = parse(argc, argv);
    if (!options) {
        std::fprintf(stderr, "usage: usb_mouse [--serial TEXT] [--one-interface] %s\n",
                     voltrane::kFaultUsage);
        return 2;
    }
    installSignalHandlers();
    voltrane::FaultyFirmware firmware(options->faults);
    UsbMouseDevice device(options->serial, options->oneInterface, firmware);
    while (!g_stop) {
        g_replug = 0;
        const int fd = attachWithRetries();
        if (fd < 0) {
            if (g_stop) break;
            std::fprintf(stderr, "usb_mouse: %sattach: no port took the device: %s\n", kVhci,
                         std::strerror(errno));
            return 1;
        }
        Link(fd, device).Serve();
        ::close(fd);  // the kernel sees the device disconnect
        if (!g_replug) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(500));  // out of the socket a while
    }
    return 0;
}
