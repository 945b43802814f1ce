#include "host/host_pointer_kde.h"

#include <charconv>
#include <string>
#include <system_error>
#include <utility>

namespace voltrane {

namespace {

constexpr int kDefaultWheelLines = 3;
constexpr int kDefaultDoubleClickMs = 400;

// The speed scale written the way Plasma writes it: three decimals, a point as separator.
std::string accelText(double accel) {
    char text[32];
    const std::to_chars_result end =
        std::to_chars(text, text + sizeof text, accel, std::chars_format::fixed, 3);
    return std::string(text, end.ptr);
}

// A value not written as a number reads as Plasma's default.
template <typename Number>
Number parseNumber(const std::string& text, Number fallback) {
    Number number{};
    const std::from_chars_result parsed = std::from_chars(text.data(), text.data() + text.size(), number);
    return parsed.ec == std::errc() ? number : fallback;
}

}  // namespace

KdeHostPointer::KdeHostPointer(const std::filesystem::path& configHome, std::unique_ptr<KConfigStore> store)
    : m_accel{configHome / "kcminputrc", "Mouse", "XLbInptPointerAcceleration"},
      m_wheelLines{configHome / "kdeglobals", "KDE", "WheelScrollLines"},
      m_doubleClick{configHome / "kdeglobals", "KDE", "DoubleClickInterval"},
      m_store(std::move(store)),
      m_ownFile(configHome) {}

HostApplyReport KdeHostPointer::Apply(const HostPointerValues& values) {
    HostApplyReport report;
    setEntry(m_accel, accelText(PointerAccelFromSpeed(values.speed)), report);
    if (!values.screenAtATime) setEntry(m_wheelLines, std::to_string(values.wheelLines), report);
    setEntry(m_doubleClick, std::to_string(values.doubleClickMs), report);
    m_ownFile.WriteWheel(values, report);
    return report;
}

std::optional<HostPointerValues> KdeHostPointer::Read() {
    const std::optional<std::string> accel = m_store->Read(m_accel);
    const std::optional<std::string> lines = m_store->Read(m_wheelLines);
    const std::optional<std::string> doubleClick = m_store->Read(m_doubleClick);
    if (!accel || !lines || !doubleClick) return std::nullopt;
    HostPointerValues values;
    values.speed = SpeedFromPointerAccel(parseNumber(*accel, 0.0));
    m_ownFile.ReadWheel(values);
    values.wheelLines = parseNumber(*lines, kDefaultWheelLines);
    values.doubleClickMs = parseNumber(*doubleClick, kDefaultDoubleClickMs);
    return values;
}

std::string KdeHostPointer::Name() const { return "plasma (" + m_store->Name() + ")"; }

void KdeHostPointer::setEntry(const KConfigEntry& entry, const std::string& value,
                              HostApplyReport& report) {
    std::string error = m_store->Write(entry, value);
    if (error.empty()) {
        const std::optional<std::string> held = m_store->Read(entry);
        if (held != value) error = "did not keep the value (reads back as \"" + held.value_or("?") + "\")";
    }
    report.Add(entry.Describe(), error);
}

}  // namespace voltrane
