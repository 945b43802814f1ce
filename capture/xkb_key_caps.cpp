#include "capture/xkb_key_caps.h"

#include <xkbcommon/xkbcommon-x11.h>
#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <iterator>

namespace voltrane {

namespace {

struct ContextFree {
    void operator()(xkb_context* context) const { xkb_context_unref(context); }
};
using Context = std::unique_ptr<xkb_context, ContextFree>;

// The accent each dead key puts on the next letter, as the spacing character its key cap shows.
struct DeadKey {
    xkb_keysym_t keysym;
    char32_t accent;
};
constexpr DeadKey kDeadKeys[] = {
    {XKB_KEY_dead_grave, U'`'},          {XKB_KEY_dead_acute, U'\u00B4'},
    {XKB_KEY_dead_circumflex, U'^'},     {XKB_KEY_dead_tilde, U'~'},
    {XKB_KEY_dead_macron, U'\u00AF'},    {XKB_KEY_dead_breve, U'\u02D8'},
    {XKB_KEY_dead_abovedot, U'\u02D9'},  {XKB_KEY_dead_diaeresis, U'\u00A8'},
    {XKB_KEY_dead_abovering, U'\u00B0'}, {XKB_KEY_dead_doubleacute, U'\u02DD'},
    {XKB_KEY_dead_caron, U'\u02C7'},     {XKB_KEY_dead_cedilla, U'\u00B8'},
    {XKB_KEY_dead_ogonek, U'\u02DB'},
};

// The one keysym of `key` at `level` of `layout`; XKB_KEY_NoSymbol when it has none or several.
xkb_keysym_t keysymAt(xkb_keymap* keymap, xkb_keycode_t key, xkb_layout_index_t layout,
                      xkb_level_index_t level) {
    const xkb_keysym_t* syms = nullptr;
    const int count = xkb_keymap_key_get_syms_by_level(keymap, key, layout, level, &syms);
    return count == 1 ? syms[0] : XKB_KEY_NoSymbol;
}

}  // namespace

void XkbKeyCaps::Free::operator()(xkb_keymap* keymap) const { xkb_keymap_unref(keymap); }
void XkbKeyCaps::Free::operator()(xkb_state* state) const { xkb_state_unref(state); }

XkbKeyCaps XkbKeyCaps::FromNames(const XkbNames& names) {
    XkbKeyCaps caps;
    const Context context(xkb_context_new(XKB_CONTEXT_NO_FLAGS));
    if (!context) return caps;
    const auto field = [](const std::string& value) { return value.empty() ? nullptr : value.c_str(); };
    const xkb_rule_names rules{nullptr, field(names.model), field(names.layout), field(names.variant),
                               field(names.options)};
    caps.m_keymap.reset(xkb_keymap_new_from_names(context.get(), &rules, XKB_KEYMAP_COMPILE_NO_FLAGS));
    if (caps.m_keymap) caps.m_state.reset(xkb_state_new(caps.m_keymap.get()));
    return caps;
}

XkbKeyCaps XkbKeyCaps::FromKeymapText(const std::string& text) {
    XkbKeyCaps caps;
    const Context context(xkb_context_new(XKB_CONTEXT_NO_FLAGS));
    if (!context) return caps;
    caps.m_keymap.reset(xkb_keymap_new_from_string(context.get(), text.c_str(), XKB_KEYMAP_FORMAT_TEXT_V1,
                                                   XKB_KEYMAP_COMPILE_NO_FLAGS));
    if (caps.m_keymap) caps.m_state.reset(xkb_state_new(caps.m_keymap.get()));
    return caps;
}

XkbKeyCaps XkbKeyCaps::FromX11(xcb_connection_t* connection) {
    XkbKeyCaps caps;
    if (!connection || !xkb_x11_setup_xkb_extension(
                           connection, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
                           XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, nullptr, nullptr))
        return caps;
    const int32_t device = xkb_x11_get_core_keyboard_device_id(connection);
    const Context context(xkb_context_new(XKB_CONTEXT_NO_FLAGS));
    if (device < 0 || !context) return caps;
    caps.m_keymap.reset(
        xkb_x11_keymap_new_from_device(context.get(), connection, device, XKB_KEYMAP_COMPILE_NO_FLAGS));
    if (caps.m_keymap)
        caps.m_state.reset(xkb_x11_state_new_from_device(caps.m_keymap.get(), connection, device));
    return caps;
}

char32_t XkbKeyCaps::CapOf(uint32_t scanCode) const {
    if (!Valid()) return 0;
    const xkb_layout_index_t layout = xkb_state_key_get_layout(m_state.get(), scanCode);
    if (layout == XKB_LAYOUT_INVALID) return 0;
    const xkb_keysym_t base = keysymAt(m_keymap.get(), scanCode, layout, 0);
    const DeadKey* dead = std::find_if(std::begin(kDeadKeys), std::end(kDeadKeys),
                                       [&](const DeadKey& d) { return d.keysym == base; });
    if (dead != std::end(kDeadKeys)) return dead->accent;
    const xkb_keysym_t upper = xkb_keysym_to_upper(base);
    const bool shiftGivesCapital = upper != base && keysymAt(m_keymap.get(), scanCode, layout, 1) == upper;
    return xkb_keysym_to_utf32(shiftGivesCapital ? upper : base);
}

}  // namespace voltrane
