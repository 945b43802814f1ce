#include "skin/window_system.h"

#include <QGuiApplication>

namespace voltrane {

WindowSystem CurrentWindowSystem() {
    if (!qGuiApp) return WindowSystem::Other;
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb")) return WindowSystem::X11;
    // "wayland", "wayland-egl", "wayland-brcm", ...
    if (platform.startsWith(QLatin1String("wayland"))) return WindowSystem::Wayland;
    return WindowSystem::Other;
}

}  // namespace voltrane
