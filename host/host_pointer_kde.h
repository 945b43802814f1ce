#pragma once
// Host pointer settings on KDE Plasma, in Plasma's own configuration files.

#include <filesystem>
#include <memory>

#include "host/host_config_files.h"
#include "host/kconfig_store.h"

namespace voltrane {

// Plasma keeps the wheel line count and the double-click time in kdeglobals, group [KDE]
// ("WheelScrollLines", "DoubleClickInterval" in ms), and the pointer speed of X11 sessions in
// kcminputrc, group [Mouse] ("XLbInptPointerAcceleration", -1..1). Plasma has no page scrolling,
// so that choice is kept in the program's own file. Plasma's Wayland compositor keeps pointer
// speeds per device and does not read the X11 key.
class KdeHostPointer final : public HostPointer {
public:
    // `configHome` holds kdeglobals, kcminputrc and the program's own file; `store` reaches them
    // (KDE's tools, or direct edits where they are not installed).
    KdeHostPointer(const std::filesystem::path& configHome, std::unique_ptr<KConfigStore> store);

    // Sets each entry and reads it back; the line count is left as it is when scrolling one screen
    // at a time. Each entry is reported by file, group and key, with the reason when it was not set
    // (a file that cannot be written, an immutable entry, a value that did not stick).
    HostApplyReport Apply(const HostPointerValues& values) override;

    // The values in the files, Plasma's defaults for missing keys (speed scale 0, 3 lines,
    // 400 ms); std::nullopt when a file exists but cannot be read.
    std::optional<HostPointerValues> Read() override;

    // "plasma (" and how the files are reached ")".
    std::string Name() const override;

private:
    void setEntry(const KConfigEntry& entry, const std::string& value, HostApplyReport& report);

    KConfigEntry m_accel;
    KConfigEntry m_wheelLines;
    KConfigEntry m_doubleClick;
    std::unique_ptr<KConfigStore> m_store;
    HostPointerFile m_ownFile;
};

}  // namespace voltrane
