#pragma once
// The compositor's shortcuts held back while a window captures keys. On Wayland no client may grab
// the keyboard; instead a window asks the compositor, through its keyboard-shortcuts-inhibit
// protocol, to hand it every key while it has the focus, the compositor's own shortcuts included.

#include <functional>

class QWidget;

namespace voltrane {

// Told when the window system refuses or withdraws (false) or grants (true) a keyboard grab it was
// asked for.
using GrabNotice = std::function<void(bool granted)>;

// Asks the compositor to inhibit its shortcuts for the shown `window`, replacing an earlier request
// for it. Returns whether it was asked: false where the compositor (or this build) lacks the protocol
// or the window has no surface yet. The compositor's answers reach `notice` until the shortcuts are
// restored.
bool InhibitShortcuts(QWidget& window, const GrabNotice& notice);

// Gives the compositor its shortcuts back for `window`; nothing when they are not inhibited.
void RestoreShortcuts(QWidget& window);

}  // namespace voltrane
