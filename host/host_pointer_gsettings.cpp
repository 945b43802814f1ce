#include "host/host_pointer_gsettings.h"

#include <gio/gio.h>

#include <memory>

namespace voltrane {

namespace {

constexpr const char* kMouseSchema = "org.gnome.desktop.peripherals.mouse";
constexpr const char* kSpeedKey = "speed";
constexpr const char* kDoubleClickKey = "double-click";

struct GObjectDeleter {
    void operator()(gpointer object) const { g_object_unref(object); }
};
using SettingsPtr = std::unique_ptr<GSettings, GObjectDeleter>;

// The mouse settings, or null when the installed schemas lack them (GSettings would abort the
// program on a missing schema or key, so both are looked up first).
SettingsPtr openMouseSettings() {
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (source == nullptr) return nullptr;
    GSettingsSchema* schema = g_settings_schema_source_lookup(source, kMouseSchema, TRUE);
    if (schema == nullptr) return nullptr;
    SettingsPtr settings;
    if (g_settings_schema_has_key(schema, kSpeedKey) &&
        g_settings_schema_has_key(schema, kDoubleClickKey)) {
        settings.reset(g_settings_new_full(schema, nullptr, nullptr));
    }
    g_settings_schema_unref(schema);
    return settings;
}

}  // namespace

GSettingsHostPointer::GSettingsHostPointer(const std::filesystem::path& configHome)
    : m_ownFile(configHome) {}

bool GSettingsHostPointer::Apply(const HostPointerValues& values) {
    const SettingsPtr settings = openMouseSettings();
    bool applied = settings != nullptr;
    if (settings) {
        applied &=
            g_settings_set_double(settings.get(), kSpeedKey, PointerAccelFromSpeed(values.speed)) != 0;
        applied &= g_settings_set_int(settings.get(), kDoubleClickKey, values.doubleClickMs) != 0;
        g_settings_sync();
    }
    return m_ownFile.WriteWheel(values) && applied;
}

std::optional<HostPointerValues> GSettingsHostPointer::Read() {
    const SettingsPtr settings = openMouseSettings();
    if (!settings) return std::nullopt;
    HostPointerValues values;
    values.speed = SpeedFromPointerAccel(g_settings_get_double(settings.get(), kSpeedKey));
    values.doubleClickMs = g_settings_get_int(settings.get(), kDoubleClickKey);
    m_ownFile.ReadWheel(values);
    return values;
}

bool GSettingsHostPointer::IsAvailable() { return openMouseSettings() != nullptr; }

}  // namespace voltrane
