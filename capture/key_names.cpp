#include "capture/key_names.h"

#include <algorithm>
#include <iterator>

#include "capture/key_translation.h"
#include "settings/utf.h"

namespace voltrane {

namespace {

// The typing keys' rows: the digit row from "~" to "=", the top row from Q to "\", the middle row
// from A to the quote, the bottom row from Z to "/".
struct RowRange {
    int first;
    int last;
};
constexpr RowRange kTypingRows[] = {{17, 29}, {32, 44}, {46, 56}, {59, 68}};

// The keys the key table names by their shifted character, with what a US layout prints on them
// unshifted. A layout that prints that character keeps the table's name, so that a US keyboard reads
// as it always has.
struct UsCap {
    int row;
    char32_t cap;
};
constexpr UsCap kUsCapsNamedShifted[] = {{17, U'`'}, {55, U';'}, {56, U'\''}};

bool isUsCapOfRow(int row, char32_t cap) {
    return std::any_of(std::begin(kUsCapsNamedShifted), std::end(kUsCapsNamedShifted),
                       [&](const UsCap& us) { return us.row == row && us.cap == cap; });
}

bool isPrintable(char32_t c) {
    return c >= 0x20 && !(c >= 0x7F && c <= 0x9F) && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
}

}  // namespace

KeyNames::KeyNames(const KeyCapLookup& capOf) {
    for (const RowRange& range : kTypingRows) {
        for (int row = range.first; row <= range.last; ++row) {
            const uint32_t scanCode = ScanCodeOfVk(KeyTable[row].vk);
            const char32_t cap = scanCode != 0 ? capOf(scanCode) : 0;
            if (isPrintable(cap) && !isUsCapOfRow(row, cap)) AppendCodePoint(m_names[row], cap);
        }
    }
}

std::u16string_view KeyNames::Name(int keyIndex) const {
    const int row = keyIndex >= 0 && keyIndex < kKeyTableRows ? keyIndex : kUnknownKeyIndex;
    if (!m_names[row].empty()) return m_names[row];
    return KeyRow(row).name;
}

const KeyNames& UsKeyNames() {
    static const KeyNames names;
    return names;
}

std::u16string KeyNames::ComboText(std::span<const uint8_t, kKeyStringLength> keys) const {
    return KeyComboText(keys, [this](int keyIndex) { return Name(keyIndex); });
}

}  // namespace voltrane
