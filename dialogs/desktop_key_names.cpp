#include "dialogs/desktop_key_names.h"

#include <QGuiApplication>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "capture/xkb_key_caps.h"
#include "dialogs/compositor_keymap.h"
#include "skin/window_system.h"

namespace voltrane {

namespace {

// Where the system keeps the keyboard layout that new sessions start with.
constexpr char kKeyboardDefaultsFile[] = "/etc/default/keyboard";

// The system's layout: the environment's when it names one (xkbcommon reads it for empty names),
// else the defaults file's.
XkbNames systemLayout() {
    if (std::getenv("XKB_DEFAULT_LAYOUT")) return {};
    std::ifstream file(kKeyboardDefaultsFile, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return ParseKeyboardDefaults(text);
}

XkbKeyCaps desktopKeyCaps() {
    const WindowSystem system = CurrentWindowSystem();
    if (system == WindowSystem::X11) {
        if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
            return XkbKeyCaps::FromX11(x11->connection());
    } else if (system == WindowSystem::Wayland) {
        const std::string keymap = CompositorKeymap();
        if (!keymap.empty()) return XkbKeyCaps::FromKeymapText(keymap);
        return XkbKeyCaps::FromNames(systemLayout());
    }
    return {};
}

}  // namespace

KeyNames DesktopKeyNames() {
    const XkbKeyCaps caps = desktopKeyCaps();
    if (!caps.Valid()) return {};
    return KeyNames([&caps](uint32_t scanCode) { return caps.CapOf(scanCode); });
}

}  // namespace voltrane
