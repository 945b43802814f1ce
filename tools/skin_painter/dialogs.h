#pragma once
// The pictures of the single-key dialog, the macro editor and the macro choice dialog.

#include <QImage>

#include "tools/skin_painter/canvas.h"

namespace voltrane::skinpaint {

// The single-key dialog with its OK and Cancel faces in `state`.
QImage paintSingleKey(State state, int scale);

// The macro editor with its spinner, OK and Cancel faces in `state`.
QImage paintMacroEditor(State state, int scale);

// The macro choice dialog at rest.
QImage paintMacroChoice(int scale);

}  // namespace voltrane::skinpaint
