#include "dialogs/shortcuts_inhibit.h"

// Built without the Wayland client libraries: no compositor is asked.
namespace voltrane {

bool InhibitShortcuts(QWidget&, const GrabNotice&) { return false; }

void RestoreShortcuts(QWidget&) {}

}  // namespace voltrane
