#pragma once
// Dialogs opened over their parent window. Where the window system places windows itself (Wayland),
// a dialog shows up where the compositor puts it: GNOME's compositor places a window it knows as a
// modal dialog over its parent, any other window elsewhere on the screen (below the parent, where there
// is room); sway and KWin centre a transient window on its parent already.

class QDialog;

namespace voltrane {

// Marks `dialog` (a modal dialog with a parent window) as its parent's modal dialog to the compositor
// each time it is shown, before its first frame, through GNOME's gtk_shell1 protocol where the
// compositor offers it; nothing elsewhere.
void PlaceOverParent(QDialog& dialog);

}  // namespace voltrane
