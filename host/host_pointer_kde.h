#pragma once
// Host pointer settings on KDE Plasma, in Plasma's own configuration files.

#include <filesystem>

#include "host/host_config_files.h"

namespace voltrane {

// Plasma keeps the wheel line count and the double-click time in kdeglobals, group [KDE]
// ("WheelScrollLines", "DoubleClickInterval" in ms), and the pointer speed of X11 sessions in
// kcminputrc, group [Mouse] ("XLbInptPointerAcceleration", -1..1). Plasma has no page scrolling,
// so that choice is kept in the program's own file. Running programs see the new values when they
// next read their settings (Plasma's Wayland compositor keeps pointer speeds per device and does
// not read the X11 key).
class KdeHostPointer final : public HostPointer {
public:
    // `configHome` holds kdeglobals, kcminputrc and the program's own file.
    explicit KdeHostPointer(const std::filesystem::path& configHome);

    // Edits the keys in place, keeping everything else in the files, and replaces each file
    // atomically. The line count is left as it is when scrolling one screen at a time. Returns false
    // when a file could not be read or written; such a file is left untouched.
    bool Apply(const HostPointerValues& values) override;

    // The values in the files, Plasma's defaults for missing keys (speed scale 0, 3 lines,
    // 400 ms); std::nullopt when a file exists but cannot be read.
    std::optional<HostPointerValues> Read() override;

private:
    std::filesystem::path m_globalsPath;
    std::filesystem::path m_inputPath;
    HostPointerFile m_ownFile;
};

}  // namespace voltrane
