#include "skin/modal_dialog.h"

namespace voltrane {

void PlaceOverParent(QDialog&) {}

}  // namespace voltrane
