#pragma once
// The mouse as it leaves the factory: the two reports an apply of the built-in defaults sends.

#include "device/virtual_mouse.h"

namespace voltrane {

// The settings report (bytes 0-7) and button report (bytes 8-2056) of the built-in defaults, laid
// out like the virtual mouse's state file.
VirtualMouse::State FactoryState();

}  // namespace voltrane
