#pragma once
// The choice of host pointer backend for the running desktop.

#include <memory>
#include <string_view>

#include "host/host_pointer.h"

namespace voltrane {

enum class DesktopKind {
    Kde,    // Plasma: its own configuration files
    Gnome,  // a desktop that keeps the GNOME mouse settings (GNOME, Budgie, Unity, ...)
    Other,  // no pointer settings we know how to reach: the desktop is left alone
};

// The desktop to address, from XDG_CURRENT_DESKTOP (a colon-separated list of names): KDE when an
// entry is "KDE" (in any case), otherwise GNOME when its mouse settings schema is installed.
DesktopKind DetectDesktop(std::string_view currentDesktop, bool gnomeSchemaInstalled);

// The backend for the running desktop, chosen by DetectDesktop from the environment, keeping its
// files in UserConfigHome. On other desktops, and on Plasma without a configuration folder, a
// backend that leaves the desktop alone.
std::unique_ptr<HostPointer> CreateDesktopHostPointer();

}  // namespace voltrane
