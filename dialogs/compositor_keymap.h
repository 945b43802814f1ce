#pragma once
// The keymap the Wayland compositor gives its clients for the seat's keyboard, the one Qt translates
// keys with. Qt keeps it to itself, so the program asks the compositor for a keyboard of its own,
// whose first event carries the keymap.

#include <string>

namespace voltrane {

// The keymap in XKB's text format; empty when not on Wayland, when the seat has no keyboard, when
// the compositor sends no XKB keymap, or in a build without the Wayland client libraries.
std::string CompositorKeymap();

}  // namespace voltrane
