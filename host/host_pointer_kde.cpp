#include "host/host_pointer_kde.h"

#include <charconv>
#include <string>
#include <system_error>

#include "settings/utf.h"

namespace voltrane {

namespace {

constexpr std::u16string_view kGlobalsGroup = u"KDE";
constexpr std::u16string_view kWheelLinesKey = u"WheelScrollLines";
constexpr std::u16string_view kDoubleClickKey = u"DoubleClickInterval";
constexpr std::u16string_view kInputGroup = u"Mouse";
constexpr std::u16string_view kAccelKey = u"XLbInptPointerAcceleration";

constexpr int kDefaultWheelLines = 3;
constexpr int kDefaultDoubleClickMs = 400;

// The speed scale written the way Plasma writes it: three decimals, a point as separator.
std::u16string accelText(double accel) {
    char text[32];
    const std::to_chars_result end =
        std::to_chars(text, text + sizeof text, accel, std::chars_format::fixed, 3);
    return Utf8ToUtf16(std::string_view(text, end.ptr - text));
}

// A scale value not written as a number reads as Plasma's default, 0.
double parseAccel(const std::u16string& text) {
    const std::string utf8 = Utf16ToUtf8(text);
    double accel = 0.0;
    const std::from_chars_result parsed = std::from_chars(utf8.data(), utf8.data() + utf8.size(), accel);
    return parsed.ec == std::errc() ? accel : 0.0;
}

}  // namespace

KdeHostPointer::KdeHostPointer(const std::filesystem::path& configHome)
    : m_globalsPath(configHome / "kdeglobals"),
      m_inputPath(configHome / "kcminputrc"),
      m_ownFile(configHome) {}

bool KdeHostPointer::Apply(const HostPointerValues& values) {
    const bool speedSet = EditIniFile(m_inputPath, [&](IniFile& input) {
        input.SetString(kInputGroup, kAccelKey, accelText(PointerAccelFromSpeed(values.speed)));
    });
    const bool globalsSet = EditIniFile(m_globalsPath, [&](IniFile& globals) {
        if (!values.screenAtATime) {
            globals.SetString(kGlobalsGroup, kWheelLinesKey, DecimalUtf16(values.wheelLines));
        }
        globals.SetString(kGlobalsGroup, kDoubleClickKey, DecimalUtf16(values.doubleClickMs));
    });
    const bool wheelKept = m_ownFile.WriteWheel(values);
    return speedSet && globalsSet && wheelKept;
}

std::optional<HostPointerValues> KdeHostPointer::Read() {
    const std::optional<IniFile> input = LoadIniForEdit(m_inputPath);
    const std::optional<IniFile> globals = LoadIniForEdit(m_globalsPath);
    if (!input || !globals) return std::nullopt;
    HostPointerValues values;
    values.speed = SpeedFromPointerAccel(parseAccel(input->GetString(kInputGroup, kAccelKey, u"0")));
    m_ownFile.ReadWheel(values);
    values.wheelLines = globals->GetInt(kGlobalsGroup, kWheelLinesKey, kDefaultWheelLines);
    values.doubleClickMs = globals->GetInt(kGlobalsGroup, kDoubleClickKey, kDefaultDoubleClickMs);
    return values;
}

}  // namespace voltrane
