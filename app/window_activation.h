#pragma once
// Bringing a window of this program forward on behalf of a later start. A Wayland client cannot raise
// or un-minimise its own window; the compositor does, when the window is activated with a token that
// the desktop gave the start the user made (its environment's XDG_ACTIVATION_TOKEN), or that the start
// requested itself. On X11 the window raises and activates itself.

#include <QString>

class QWidget;

namespace voltrane {

// This start's activation token, to be handed to the program it forwards to: the desktop's
// (XDG_ACTIVATION_TOKEN, or on Wayland DESKTOP_STARTUP_ID, where older launchers put it; removed from
// the environment so that no child reuses it), else one requested from the compositor through its
// xdg_activation_v1 protocol. Empty where there is none (not Wayland, no protocol, no answer within a
// moment).
QString StartActivationToken();

// Activates `window` with `token` through the compositor, which raises it and restores it from
// minimised. Returns false, doing nothing, where it cannot: not Wayland, no protocol, an empty token
// or a window without a surface.
bool ActivateWithToken(QWidget& window, const QString& token);

}  // namespace voltrane
