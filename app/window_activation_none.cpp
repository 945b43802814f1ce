#include "app/window_activation.h"

#include <QByteArray>

namespace voltrane {

QString StartActivationToken() {
    const QString token = qEnvironmentVariable("XDG_ACTIVATION_TOKEN");
    qunsetenv("XDG_ACTIVATION_TOKEN");
    return token;
}

bool ActivateWithToken(QWidget&, const QString&) { return false; }

}  // namespace voltrane
