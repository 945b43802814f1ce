#pragma once
// Host pointer settings on desktops that keep their mouse settings in GSettings.

#include <filesystem>
#include <string>

#include "host/host_config_files.h"

namespace voltrane {

// Pointer speed and double-click time live in a mouse schema of the desktop ("speed", -1..1;
// "double-click", ms): org.gnome.desktop.peripherals.mouse on GNOME and the desktops built on its
// settings, org.cinnamon.desktop.peripherals.mouse on Cinnamon. These desktops have no wheel line
// count or page scrolling, so those are kept in the program's own file.
class GSettingsHostPointer final : public HostPointer {
public:
    // `name` names the backend in messages; `schema` is the mouse schema; `configHome` holds the
    // program's own file (see HostPointerFile).
    GSettingsHostPointer(std::string name, std::string schema, const std::filesystem::path& configHome);

    // Sets "speed" and "double-click", waits until the settings store has them and reads them back,
    // then stores the wheel in the own file. A key that is locked, refused or not kept by the store
    // (no session bus for dconf) is reported as failed with its reason.
    HostApplyReport Apply(const HostPointerValues& values) override;

    // The desktop's speed (nearest of 1..20) and double-click time, and the wheel from the own
    // file (3 lines when it holds none); std::nullopt when the schema is missing.
    std::optional<HostPointerValues> Read() override;

    std::string Name() const override { return m_name; }

    // Why `schema` cannot be used: not installed, without the "speed" and "double-click" keys, or
    // no dconf behind GSettings (unless GSETTINGS_BACKEND names a store). Empty when it can be used.
    static std::string Unavailable(const std::string& schema);

private:
    std::string m_name;
    std::string m_schema;
    HostPointerFile m_ownFile;
};

}  // namespace voltrane
