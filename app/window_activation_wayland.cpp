#include <qpa/qplatformnativeinterface.h>

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QWaylandClientExtensionTemplate>
#include <QWidget>
#include <QWindow>

#include "app/window_activation.h"
#include "qwayland-xdg-activation-v1.h"
#include "skin/window_system.h"

namespace voltrane {
namespace {

// How long a start waits for the token it requested.
constexpr int kTokenWaitMs = 1000;

// The compositor's activation interface, bound from the registry of Qt's own connection.
class Activation : public QWaylandClientExtensionTemplate<Activation>, public QtWayland::xdg_activation_v1 {
public:
    Activation() : QWaylandClientExtensionTemplate<Activation>(1) { initialize(); }
};

Activation* ActivationInterface() {
    static Activation* activation = new Activation;  // lives as long as the connection
    return activation->isActive() ? activation : nullptr;
}

// A requested token; `Token()` is empty until the compositor has sent it.
class TokenRequest : public QtWayland::xdg_activation_token_v1 {
public:
    explicit TokenRequest(::xdg_activation_token_v1* token) : QtWayland::xdg_activation_token_v1(token) {}
    ~TokenRequest() override { destroy(); }
    const QString& Token() const { return m_token; }

protected:
    void xdg_activation_token_v1_done(const QString& token) override { m_token = token; }

private:
    QString m_token;
};

QString requestToken() {
    Activation* activation = CurrentWindowSystem() == WindowSystem::Wayland ? ActivationInterface() : nullptr;
    if (!activation) return {};
    TokenRequest request(activation->get_activation_token());
    request.set_app_id(QGuiApplication::desktopFileName());
    request.commit();
    const QDeadlineTimer deadline(kTokenWaitMs);
    while (request.Token().isEmpty() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return request.Token();
}

// Takes `name` out of the environment, so that no child reuses it; returns its value.
QString takeFromEnvironment(const char* name) {
    const QString value = qEnvironmentVariable(name);
    qunsetenv(name);
    return value;
}

// The token the desktop started this program with: XDG_ACTIVATION_TOKEN, else, on Wayland,
// DESKTOP_STARTUP_ID, in which launchers built on GLib before 2.76 (GNOME's, GTK programs') hand the
// same token. Empty when there is none.
QString givenToken() {
    const QString token = takeFromEnvironment("XDG_ACTIVATION_TOKEN");
    if (!token.isEmpty() || CurrentWindowSystem() != WindowSystem::Wayland) return token;
    return takeFromEnvironment("DESKTOP_STARTUP_ID");
}

}  // namespace

QString StartActivationToken() {
    const QString given = givenToken();
    return given.isEmpty() ? requestToken() : given;
}

bool ActivateWithToken(QWidget& window, const QString& token) {
    Activation* activation = CurrentWindowSystem() == WindowSystem::Wayland && !token.isEmpty() ? ActivationInterface() : nullptr;
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    if (!activation || !native || !window.windowHandle()) return false;
    auto* surface = static_cast<::wl_surface*>(
        native->nativeResourceForWindow(QByteArrayLiteral("surface"), window.windowHandle()));
    if (!surface) return false;
    activation->activate(token, surface);
    return true;
}

}  // namespace voltrane
