#pragma once
// Which window system the program's windows are shown on, decided in one place from Qt's platform
// plugin. Keyboard grabs, shortcut inhibition and key names each depend on it.

namespace voltrane {

enum class WindowSystem {
    X11,      // Qt's "xcb" plugin: an X server, directly or through XWayland
    Wayland,  // one of Qt's "wayland" plugins: a Wayland compositor
    Other,    // offscreen, minimal, VNC, ...: no desktop to grab from or ask
};

// The window system of the running QGuiApplication; Other before one exists.
WindowSystem CurrentWindowSystem();

}  // namespace voltrane
