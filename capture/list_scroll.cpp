#include "capture/list_scroll.h"

namespace voltrane {

bool ScrollList(int& top, int wheelDelta, int visibleRows, int rows) {
    if (wheelDelta > 0 && top > 0) {
        --top;
        return true;
    }
    if (wheelDelta < 0 && top + visibleRows < rows) {
        ++top;
        return true;
    }
    return false;
}

}  // namespace voltrane
