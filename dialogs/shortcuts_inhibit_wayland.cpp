#include <qpa/qplatformnativeinterface.h>

#include <QGuiApplication>
#include <QWaylandClientExtensionTemplate>
#include <QWidget>
#include <QWindow>

#include "dialogs/shortcuts_inhibit.h"
#include "skin/window_system.h"
#include "qwayland-keyboard-shortcuts-inhibit-unstable-v1.h"

namespace voltrane {
namespace {

// The compositor's inhibit manager, bound from the registry of Qt's own connection.
class InhibitManager : public QWaylandClientExtensionTemplate<InhibitManager>,
                       public QtWayland::zwp_keyboard_shortcuts_inhibit_manager_v1 {
public:
    InhibitManager() : QWaylandClientExtensionTemplate<InhibitManager>(1) { initialize(); }
    ~InhibitManager() override {
        if (isInitialized()) destroy();
    }
};

// One window's inhibitor, a child of the window: destroying it gives the shortcuts back. The
// compositor's "active" and "inactive" (it refuses, or withdraws the inhibition) go to the notice.
class Inhibitor : public QObject, public QtWayland::zwp_keyboard_shortcuts_inhibitor_v1 {
public:
    Inhibitor(QWidget& window, ::zwp_keyboard_shortcuts_inhibitor_v1* inhibitor, GrabNotice notice)
        : QObject(&window),
          QtWayland::zwp_keyboard_shortcuts_inhibitor_v1(inhibitor),
          m_notice(std::move(notice)) {
        setObjectName(QStringLiteral("voltrane-shortcuts-inhibitor"));
    }
    ~Inhibitor() override { destroy(); }

protected:
    void zwp_keyboard_shortcuts_inhibitor_v1_active() override { m_notice(true); }
    void zwp_keyboard_shortcuts_inhibitor_v1_inactive() override { m_notice(false); }

private:
    GrabNotice m_notice;
};

InhibitManager* Manager() {
    static InhibitManager* manager = new InhibitManager;  // lives as long as the connection
    return manager->isActive() ? manager : nullptr;
}

QObject* InhibitorOf(QWidget& window) {
    return window.findChild<QObject*>(QStringLiteral("voltrane-shortcuts-inhibitor"),
                                      Qt::FindDirectChildrenOnly);
}

}  // namespace

bool InhibitShortcuts(QWidget& window, const GrabNotice& notice) {
    if (CurrentWindowSystem() != WindowSystem::Wayland) return false;
    RestoreShortcuts(window);  // a request asked anew replaces one the compositor may have refused
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    InhibitManager* manager = Manager();
    if (!native || !manager || !window.windowHandle()) return false;
    auto* surface = static_cast<::wl_surface*>(
        native->nativeResourceForWindow(QByteArrayLiteral("surface"), window.windowHandle()));
    auto* seat =
        static_cast<::wl_seat*>(native->nativeResourceForIntegration(QByteArrayLiteral("wl_seat")));
    if (!surface || !seat) return false;
    new Inhibitor(window, manager->inhibit_shortcuts(surface, seat), notice);
    return true;
}

void RestoreShortcuts(QWidget& window) { delete InhibitorOf(window); }

}  // namespace voltrane
