#pragma once
// The choice of host pointer backend for the running desktop.

#include <filesystem>
#include <memory>
#include <string_view>

#include "host/host_pointer.h"

namespace voltrane {

enum class DesktopKind {
    Gnome,     // GNOME and the desktops built on its mouse settings (Unity, Budgie, Pantheon, ...)
    Cinnamon,  // Cinnamon: its own mouse settings schema
    Kde,       // Plasma: its own configuration files
    Other,     // no pointer settings store we write: the desktop is left alone
};

// The desktop named by XDG_CURRENT_DESKTOP, a colon-separated list of names, of which the first
// one known counts (in any case); Other when none is known or the list is empty.
DesktopKind DetectDesktop(std::string_view currentDesktop);

// The backend for `kind`, once its store is found to be there: the schema (and a store that keeps
// it) for GSettings desktops, a configuration folder for Plasma, reached through kwriteconfig6 or
// kwriteconfig5 when installed and by direct edits otherwise. Otherwise a backend that leaves the
// desktop alone and reports why, naming `currentDesktop`.
std::unique_ptr<HostPointer> CreateHostPointerFor(DesktopKind kind, std::string_view currentDesktop,
                                                  const std::filesystem::path& configHome);

// CreateHostPointerFor the desktop of XDG_CURRENT_DESKTOP and the folder of UserConfigHome.
std::unique_ptr<HostPointer> CreateDesktopHostPointer();

}  // namespace voltrane
