#include "control/device_session.h"

#include <utility>

namespace voltrane {

DeviceSession::DeviceSession(std::unique_ptr<HidTransport> transport, std::unique_ptr<HostPointer> host,
                             Sleeper& sleeper, const std::filesystem::path& programDir, std::string choice)
    : m_transport(std::move(transport)),
      m_host(std::move(host)),
      m_hid(*m_transport, std::move(choice)),
      m_context{m_hid, sleeper, programDir} {}

}  // namespace voltrane
