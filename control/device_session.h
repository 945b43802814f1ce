#pragma once
// The mouse and the desktop the controller works with: the transport (hidapi or the virtual
// mouse), the host pointer backend, the HID link over the transport, and the context the mouse's
// apply and read sequences take.

#include <filesystem>
#include <memory>
#include <string>

#include "device/apply_sequence.h"
#include "device/hid_device.h"
#include "device/hid_transport.h"
#include "device/sleeper.h"
#include "host/host_pointer.h"

namespace voltrane {

class DeviceSession {
public:
    // Works through `transport` and `host`, on the mouse `choice` picks (see ChosenNodes; empty:
    // whichever is found first); sleeps through `sleeper`, which must outlive the session;
    // "download.bin" goes into `programDir`.
    DeviceSession(std::unique_ptr<HidTransport> transport, std::unique_ptr<HostPointer> host,
                  Sleeper& sleeper, const std::filesystem::path& programDir, std::string choice = {});
    DeviceSession(const DeviceSession&) = delete;
    DeviceSession& operator=(const DeviceSession&) = delete;

    DeviceContext& Context() { return m_context; }
    HidTransport& Transport() { return *m_transport; }
    HostPointer& Host() { return *m_host; }
    // The choice of mouse the session keeps to.
    const std::string& Choice() const { return m_hid.Choice(); }

private:
    std::unique_ptr<HidTransport> m_transport;
    std::unique_ptr<HostPointer> m_host;
    CHidDevice m_hid;
    DeviceContext m_context;
};

}  // namespace voltrane
