#pragma once
// The program's one vocabulary of keyboard keys. Key combinations and macro chords are stored as
// key-index strings: up to 10 row indices of this table, ended by a 0 byte when shorter.

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "settings/step_record_layout.h"

namespace voltrane {

struct KeyInfo {
    char16_t name[30];  // display name, zero-padded
    int32_t vk;         // virtual-key code the keyboard capture recognises
    int32_t modifier;   // HID keyboard modifier bit for the eight modifier keys, else 0
    int32_t usage;      // HID usage on the Keyboard/Keypad page; 0 for modifier keys
};

inline constexpr int kKeyTableRows = 106;
inline constexpr int kUnknownKeyIndex = 105;  // "Unknown": end marker and the answer to a failed lookup
inline constexpr int kKeyStringLength = 10;   // bytes in a key-index string

// A key-index string: up to 10 row indices, ended by a 0 byte when shorter.
using KeyString = std::array<uint8_t, kKeyStringLength>;

extern const KeyInfo KeyTable[kKeyTableRows];

// Returns the row of a key-index byte; indices above the table read as row 105 ("Unknown").
const KeyInfo& KeyRow(int index);

// Returns the (skip + 1)-th row whose vk equals `vk`; row 105 ("Unknown") when there are fewer.
int FindKeyByVk(int vk, int skip);

// The names of the keys of a key-index string joined with "+", up to the first 0 byte.
std::u16string KeyComboText(std::span<const uint8_t, kKeyStringLength> keys);

// The same with each key named by `nameOf` (given the key-index byte).
std::u16string KeyComboText(std::span<const uint8_t, kKeyStringLength> keys,
                            const std::function<std::u16string_view(int)>& nameOf);

// Converts a key-index string into HID terms: out[0] the modifier byte, out[1..6] up to six usages
// (the rest zero). Non-modifier keys beyond six are dropped. Returns the number of usages written.
int KeyComboToHid(std::span<const uint8_t, kKeyStringLength> keys,
                  std::span<uint8_t, kKeyboardReportBytes> out);

}  // namespace voltrane
