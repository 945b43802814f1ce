#pragma once
// The system's keyboard layout as a layout name for XKB: the names of /etc/default/keyboard, the
// file where the system keeps the layout the console and new desktop sessions start with.

#include <string>
#include <string_view>

namespace voltrane {

// A layout as the XKB rules name it ("de", "fr", "us,de"); an empty field takes xkbcommon's default
// (the XKB_DEFAULT_* variables of the environment, then "pc105", "us").
struct XkbNames {
    std::string layout;
    std::string variant;
    std::string model;
    std::string options;
};

// The names in the text of /etc/default/keyboard: its XKBLAYOUT, XKBVARIANT, XKBMODEL and XKBOPTIONS
// assignments (shell syntax: `XKBLAYOUT="de"`, quotes optional, `#` starts a comment; the last
// assignment counts). Fields the text does not set stay empty.
XkbNames ParseKeyboardDefaults(std::string_view text);

}  // namespace voltrane
