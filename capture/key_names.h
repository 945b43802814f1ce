#pragma once
// The names the window shows for keys. A key is recorded by its position (its key-table row), which
// the mouse sends as that row's HID usage whatever the layout; the name shown is what the active
// keyboard layout prints on the key: the typing keys (the digit row and the three letter rows with
// their punctuation) take the layout's character, every other key, and a typing key for which the
// layout gives no character or the character a US keyboard prints where the table names the shifted
// one (":" for ";"), keeps the key table's name.

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "settings/key_table.h"

namespace voltrane {

// The character the active layout prints on the key with native scan code `scanCode` (evdev code +
// 8); 0 when the layout has none for it.
using KeyCapLookup = std::function<char32_t(uint32_t scanCode)>;

class KeyNames {
public:
    // The key table's names: the keyboard named as a US keyboard.
    KeyNames() = default;

    // The names of the layout that `capOf` reads. A character below U+0020, U+007F ... U+009F, or
    // one outside Unicode counts as none.
    explicit KeyNames(const KeyCapLookup& capOf);

    // The name of key-table row `keyIndex`; indices outside the table read as row 105 ("Unknown").
    std::u16string_view Name(int keyIndex) const;

    // The names of the keys of a key-index string joined with "+", up to the first 0 byte.
    std::u16string ComboText(std::span<const uint8_t, kKeyStringLength> keys) const;

private:
    std::array<std::u16string, kKeyTableRows> m_names;  // empty: the key table's name
};

// The key table's names, for windows that are not told the layout's.
const KeyNames& UsKeyNames();

}  // namespace voltrane
