#include "device/mouse_firmware.h"

#include <algorithm>

namespace voltrane {

MouseFirmware::MouseFirmware(std::span<const uint8_t, kStateBytes> state) {
    std::copy(state.begin(), state.end(), m_reports.begin());
}

std::optional<MouseFirmware::State> MouseFirmware::SetFeature(std::span<const uint8_t> report) {
    if (m_refuseSets > 0) {
        --m_refuseSets;
        return std::nullopt;
    }
    const std::optional<std::size_t> slot = SlotOf(report);
    if (!slot) return std::nullopt;
    State next = m_reports;
    std::copy(report.begin(), report.end(), next.begin() + static_cast<std::ptrdiff_t>(*slot));
    return next;
}

bool MouseFirmware::GetFeature(std::span<uint8_t> report) {
    if (m_failGets > 0) {
        --m_failGets;
        return false;
    }
    const std::optional<std::size_t> slot = SlotOf(report);
    if (!slot) return false;
    const auto first = m_reports.begin() + static_cast<std::ptrdiff_t>(*slot);
    std::copy(first, first + static_cast<std::ptrdiff_t>(report.size()), report.begin());
    return true;
}

void MouseFirmware::RefuseNextSets(int count) { m_refuseSets = std::max(count, 0); }

void MouseFirmware::FailNextGets(int count) { m_failGets = std::max(count, 0); }

std::optional<std::size_t> MouseFirmware::SlotOf(std::span<const uint8_t> report) const {
    if (report.empty() || report.size() != static_cast<std::size_t>(FeatureReportLength(report[0]))) {
        return std::nullopt;
    }
    if (report[0] == kSettingsReportId) return 0;
    if (m_buttonCollection) return kButtonOffset;
    return std::nullopt;
}

}  // namespace voltrane
