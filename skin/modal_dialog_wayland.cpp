#include <qpa/qplatformnativeinterface.h>
#include <wayland-client-core.h>

#include <QDialog>
#include <QGuiApplication>
#include <QPointer>
#include <QWaylandClientExtensionTemplate>
#include <QWindow>

#include "qwayland-gtk-shell.h"
#include "skin/modal_dialog.h"
#include "skin/window_system.h"

namespace voltrane {
namespace {

constexpr int kReleaseSince = 4;  // gtk_surface1.release

// GNOME's shell extension, bound from the registry of Qt's own connection.
class GtkShell : public QWaylandClientExtensionTemplate<GtkShell>, public QtWayland::gtk_shell1 {
public:
    GtkShell() : QWaylandClientExtensionTemplate<GtkShell>(kReleaseSince) { initialize(); }
};

GtkShell* Shell() {
    static GtkShell* shell = new GtkShell;  // lives as long as the connection
    return shell->isActive() ? shell : nullptr;
}

// The dialog's gtk_surface1, for the one wl_surface it was made for: the compositor allows one per
// surface, and Qt makes a new surface when a hidden window is shown again.
class ModalSurface : public QObject, public QtWayland::gtk_surface1 {
public:
    ModalSurface(QDialog& dialog, ::wl_surface* surface, ::gtk_surface1* object)
        : QObject(&dialog), QtWayland::gtk_surface1(object), m_surface(surface) {
        setObjectName(QStringLiteral("voltrane-modal-surface"));
        set_modal();
    }
    ~ModalSurface() override {
        if (wl_proxy_get_version(reinterpret_cast<wl_proxy*>(object())) >= kReleaseSince) {
            release();
        } else {
            wl_proxy_destroy(reinterpret_cast<wl_proxy*>(object()));
        }
    }
    ::wl_surface* Surface() const { return m_surface; }

private:
    ::wl_surface* m_surface;
};

void markModal(QDialog& dialog) {
    GtkShell* shell = Shell();
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    if (!shell || !native || !dialog.windowHandle()) return;
    auto* surface = static_cast<::wl_surface*>(
        native->nativeResourceForWindow(QByteArrayLiteral("surface"), dialog.windowHandle()));
    if (!surface) return;
    auto* marked = dialog.findChild<ModalSurface*>(QStringLiteral("voltrane-modal-surface"),
                                                    Qt::FindDirectChildrenOnly);
    if (marked && marked->Surface() == surface) return;
    delete marked;
    new ModalSurface(dialog, surface, shell->get_gtk_surface(surface));
}

// Watches the dialog's window, which exists from the Show event on: once the compositor has made its
// surface a toplevel and exposed it, before the first frame is drawn into it.
class ShowWatch : public QObject {
public:
    explicit ShowWatch(QDialog& dialog) : QObject(&dialog), m_dialog(dialog) { dialog.installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &m_dialog && event->type() == QEvent::Show && m_dialog.windowHandle() &&
            m_dialog.windowHandle() != m_window) {
            m_window = m_dialog.windowHandle();
            m_window->installEventFilter(this);
        } else if (watched == m_window && event->type() == QEvent::Expose && m_window->isExposed()) {
            markModal(m_dialog);
        }
        return false;
    }

private:
    QDialog& m_dialog;
    QPointer<QWindow> m_window;
};

}  // namespace

void PlaceOverParent(QDialog& dialog) {
    if (CurrentWindowSystem() != WindowSystem::Wayland) return;
    new ShowWatch(dialog);
}

}  // namespace voltrane
