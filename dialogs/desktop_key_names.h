#pragma once
// The key names of the keyboard layout the desktop uses now.

#include "capture/key_names.h"

namespace voltrane {

// On X11, the layout of the X server's keyboard (its active group); on Wayland, the first layout of
// the compositor's keymap, or, where the seat has no keyboard yet, the system's layout (the XKB_DEFAULT_*
// variables when XKB_DEFAULT_LAYOUT is set, else /etc/default/keyboard); elsewhere (offscreen), and
// whenever the layout cannot be read, the key table's names.
KeyNames DesktopKeyNames();

}  // namespace voltrane
