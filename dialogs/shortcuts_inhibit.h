#pragma once
// The compositor's shortcuts held back while a window captures keys. On Wayland no client may grab
// the keyboard; instead a window asks the compositor, through its keyboard-shortcuts-inhibit
// protocol, to hand it every key while it has the focus, the compositor's own shortcuts included.

class QWidget;

namespace voltrane {

// Asks the compositor to inhibit its shortcuts for the shown `window`. Returns false where the
// compositor (or this build) lacks the protocol or the window has no surface yet.
bool InhibitShortcuts(QWidget& window);

// Gives the compositor its shortcuts back for `window`; nothing when they are not inhibited.
void RestoreShortcuts(QWidget& window);

}  // namespace voltrane
