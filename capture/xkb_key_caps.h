#pragma once
// The characters a keyboard layout prints on its keys, read from an xkbcommon keymap: the layout of
// the X server's keyboard, or one named by its XKB rule names.

#include <cstdint>
#include <memory>
#include <string>

#include "capture/keyboard_defaults.h"

struct xkb_keymap;
struct xkb_state;
struct xcb_connection_t;

namespace voltrane {

class XkbKeyCaps {
public:
    // The keymap made from `names`; Valid() is false when xkbcommon cannot make it (unknown layout,
    // no XKB data installed).
    static XkbKeyCaps FromNames(const XkbNames& names);

    // The keymap in XKB's text format (as a Wayland compositor sends it), in its first layout; Valid()
    // is false when xkbcommon cannot read it.
    static XkbKeyCaps FromKeymapText(const std::string& text);

    // The X server's keyboard through `connection`, in the layout that is active now; Valid() is
    // false when the server lacks the XKB extension or the keymap cannot be read.
    static XkbKeyCaps FromX11(xcb_connection_t* connection);

    bool Valid() const { return m_state != nullptr; }

    // The character the layout gives key `scanCode` (evdev code + 8) at its first level: letters as
    // the capital that Shift gives (so "Ö", not "ö"), other characters as they are ("é" on a key whose
    // Shift gives "2"), a dead key as its accent ("^" for dead_circumflex). 0 for a key without a
    // character, and on an invalid keymap.
    char32_t CapOf(uint32_t scanCode) const;

private:
    struct Free {
        void operator()(xkb_keymap* keymap) const;
        void operator()(xkb_state* state) const;
    };
    std::unique_ptr<xkb_keymap, Free> m_keymap;
    std::unique_ptr<xkb_state, Free> m_state;
};

}  // namespace voltrane
