#pragma once
// Key names of a layout with Z and Y swapped, as on a German keyboard: the key at scan code 29 (the
// US layout's Y position, key-table row 37) reads "Z", the one at 52 (the US Z, row 59) reads "Y";
// every other key keeps the key table's name.

#include "capture/key_names.h"

inline const voltrane::KeyNames& SwappedZAndY() {
    static const voltrane::KeyNames names([](uint32_t scanCode) {
        if (scanCode == 29) return U'Z';
        return scanCode == 52 ? U'Y' : U'\0';
    });
    return names;
}
