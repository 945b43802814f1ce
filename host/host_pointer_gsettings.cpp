#include "host/host_pointer_gsettings.h"

#define G_SETTINGS_ENABLE_BACKEND
#include <gio/gio.h>
#include <gio/gsettingsbackend.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <utility>

namespace voltrane {

namespace {

constexpr const char* kSpeedKey = "speed";
constexpr const char* kDoubleClickKey = "double-click";

struct GObjectDeleter {
    void operator()(gpointer object) const { g_object_unref(object); }
};
using SettingsPtr = std::unique_ptr<GSettings, GObjectDeleter>;

struct SchemaDeleter {
    void operator()(GSettingsSchema* schema) const { g_settings_schema_unref(schema); }
};
using SchemaPtr = std::unique_ptr<GSettingsSchema, SchemaDeleter>;

SchemaPtr lookupSchema(const std::string& id) {
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    return SchemaPtr(source ? g_settings_schema_source_lookup(source, id.c_str(), TRUE) : nullptr);
}

// The desktops read their settings from dconf. Without it GIO falls back to a store of its own (a
// key file, or memory) that no desktop reads. A store named in GSETTINGS_BACKEND is taken as chosen.
std::string storeProblem() {
    if (std::getenv("GSETTINGS_BACKEND") != nullptr) return "";
    const char* store = G_OBJECT_TYPE_NAME(g_settings_backend_get_default());
    if (std::strcmp(store, "DConfSettingsBackend") == 0) return "";
    return std::string("GIO keeps settings in its fallback store ") + store +
           ", which the desktop does not read (dconf is not installed)";
}

// The mouse settings, or null when Unavailable says why not (GSettings would abort the program on a
// missing schema or key, so both are looked up first).
SettingsPtr openMouseSettings(const std::string& schemaId) {
    if (!GSettingsHostPointer::Unavailable(schemaId).empty()) return nullptr;
    const SchemaPtr schema = lookupSchema(schemaId);
    return SettingsPtr(g_settings_new_full(schema.get(), nullptr, nullptr));
}

// Writes one key; the reason when the store will not take it.
std::string setKey(GSettings* settings, const char* key, GVariant* value) {
    if (!g_settings_is_writable(settings, key))
        return "locked (a system settings database makes it read-only)";
    if (!g_settings_set_value(settings, key, value)) return "refused by the settings store";
    return "";
}

// Whether the store holds `expected` for `key`, once every write has been sent to it.
std::string checkKept(GSettings* settings, const char* key, GVariant* expected) {
    GVariant* held = g_settings_get_value(settings, key);
    const bool kept = g_variant_equal(held, expected);
    g_variant_unref(held);
    return kept ? "" : "not kept by the settings store (is the session bus running?)";
}

// Writes both keys, waits for the store and reads them back; records each in `report`.
void writeMouseKeys(GSettings* settings, const std::string& schema, const HostPointerValues& values,
                    HostApplyReport& report) {
    struct Key {
        const char* name;
        GVariant* value;
        std::string error;
    };
    Key keys[] = {
        {kSpeedKey, g_variant_ref_sink(g_variant_new_double(PointerAccelFromSpeed(values.speed))), {}},
        {kDoubleClickKey, g_variant_ref_sink(g_variant_new_int32(values.doubleClickMs)), {}},
    };
    for (Key& key : keys) key.error = setKey(settings, key.name, key.value);
    g_settings_sync();
    for (Key& key : keys) {
        if (key.error.empty()) key.error = checkKept(settings, key.name, key.value);
        report.Add(schema + " " + key.name, key.error);
        g_variant_unref(key.value);
    }
}

}  // namespace

GSettingsHostPointer::GSettingsHostPointer(std::string name, std::string schema,
                                           const std::filesystem::path& configHome)
    : m_name(std::move(name)), m_schema(std::move(schema)), m_ownFile(configHome) {}

HostApplyReport GSettingsHostPointer::Apply(const HostPointerValues& values) {
    HostApplyReport report;
    if (const SettingsPtr settings = openMouseSettings(m_schema)) {
        writeMouseKeys(settings.get(), m_schema, values, report);
    } else {
        report.Add(m_schema, Unavailable(m_schema));
    }
    m_ownFile.WriteWheel(values, report);
    return report;
}

std::optional<HostPointerValues> GSettingsHostPointer::Read() {
    const SettingsPtr settings = openMouseSettings(m_schema);
    if (!settings) return std::nullopt;
    HostPointerValues values;
    values.speed = SpeedFromPointerAccel(g_settings_get_double(settings.get(), kSpeedKey));
    values.doubleClickMs = g_settings_get_int(settings.get(), kDoubleClickKey);
    m_ownFile.ReadWheel(values);
    return values;
}

std::string GSettingsHostPointer::Unavailable(const std::string& schemaId) {
    const SchemaPtr schema = lookupSchema(schemaId);
    if (!schema) return "the settings schema " + schemaId + " is not installed";
    if (!g_settings_schema_has_key(schema.get(), kSpeedKey) ||
        !g_settings_schema_has_key(schema.get(), kDoubleClickKey)) {
        return "the settings schema " + schemaId + " has no \"speed\" and \"double-click\" keys";
    }
    return storeProblem();
}

}  // namespace voltrane
