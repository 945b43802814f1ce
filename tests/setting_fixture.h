#pragma once
// The record most tests start from.

#include "settings/mouse_setting.h"

namespace voltrane {

// A record at the built-in defaults: default items, key and macro bytes zero, names empty.
inline MouseSetting defaults() {
    MouseSetting s;
    s.ResetToDefaults();
    return s;
}

}  // namespace voltrane
