#pragma once
// Host pointer settings on desktops that keep the GNOME mouse settings in GSettings.

#include <filesystem>

#include "host/host_config_files.h"

namespace voltrane {

// Pointer speed and double-click time live in the GSettings schema
// org.gnome.desktop.peripherals.mouse ("speed", -1..1; "double-click", ms); the desktop there has
// no wheel line count or page scrolling, so those are kept in the program's own file.
class GSettingsHostPointer final : public HostPointer {
public:
    // `configHome` holds the program's own file (see HostPointerFile).
    explicit GSettingsHostPointer(const std::filesystem::path& configHome);

    // Sets "speed" and "double-click" and stores the wheel in the own file, then waits until the
    // settings store has the changes. Returns false when the schema is missing, a key is not
    // writable, or the own file could not be written.
    bool Apply(const HostPointerValues& values) override;

    // The desktop's speed (nearest of 1..20) and double-click time, and the wheel from the own
    // file (3 lines when it holds none); std::nullopt when the schema is missing.
    std::optional<HostPointerValues> Read() override;

    // Whether the installed schemas hold the mouse's "speed" and "double-click" keys.
    static bool IsAvailable();

private:
    HostPointerFile m_ownFile;
};

}  // namespace voltrane
