#include "dialogs/compositor_keymap.h"

namespace voltrane {

std::string CompositorKeymap() { return {}; }

}  // namespace voltrane
