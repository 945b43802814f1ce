#pragma once
// The mouse's firmware as the program sees it: it keeps the settings report and the button report it
// was last sent and returns them when asked. The in-process virtual mouse and the uhid mouse of the
// kernel tests both answer through this one model, so the two stand-ins behave alike.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "device/reports.h"

namespace voltrane {

class MouseFirmware {
public:
    // The stored reports: the settings report, then the button report.
    static constexpr std::size_t kButtonOffset = kSettingsReportLength;
    static constexpr std::size_t kStateBytes = kSettingsReportLength + kButtonReportLength;  // 2057
    using State = std::array<uint8_t, kStateBytes>;

    explicit MouseFirmware(std::span<const uint8_t, kStateBytes> state);

    // The reports a set feature report of `report` (report ID in byte 0) would leave; empty when the
    // firmware refuses it: a refusal asked for, an unknown report ID or length, or a button report
    // without the button collection. The stored reports change only through Store.
    std::optional<State> SetFeature(std::span<const uint8_t> report);
    // Replaces the stored reports.
    void Store(const State& reports) { m_reports = reports; }
    // Fills `report` with the stored report whose ID (byte 0) and length it asks for. Returns false,
    // leaving `report` alone, for a failure asked for or a report the firmware does not have.
    bool GetFeature(std::span<uint8_t> report);

    // Without its button collection the firmware refuses button reports.
    void SetButtonCollection(bool present) { m_buttonCollection = present; }
    bool HasButtonCollection() const { return m_buttonCollection; }
    // The next `count` set feature reports are refused.
    void RefuseNextSets(int count);
    // The next `count` get feature reports fail.
    void FailNextGets(int count);

    const State& Reports() const { return m_reports; }

private:
    // Where a report of this ID and length lives in the state; empty when the mouse has no such report.
    std::optional<std::size_t> SlotOf(std::span<const uint8_t> report) const;

    State m_reports{};
    bool m_buttonCollection = true;
    int m_refuseSets = 0;
    int m_failGets = 0;
};

}  // namespace voltrane
