#include "settings/key_table.h"

#include <algorithm>

namespace voltrane {

// Row 0 terminates key-index strings; row 105 ends every scan (vk 0).
const KeyInfo KeyTable[kKeyTableRows] = {
    {u"", -1, 0, 0x00},            // 0
    {u"Esc", 27, 0, 0x29},         // 1
    {u"F1", 112, 0, 0x3A},         // 2
    {u"F2", 113, 0, 0x3B},         // 3
    {u"F3", 114, 0, 0x3C},         // 4
    {u"F4", 115, 0, 0x3D},         // 5
    {u"F5", 116, 0, 0x3E},         // 6
    {u"F6", 117, 0, 0x3F},         // 7
    {u"F7", 118, 0, 0x40},         // 8
    {u"F8", 119, 0, 0x41},         // 9
    {u"F9", 120, 0, 0x42},         // 10
    {u"F10", 121, 0, 0x43},        // 11
    {u"F11", 122, 0, 0x44},        // 12
    {u"F12", 123, 0, 0x45},        // 13
    {u"PrtSc", 44, 0, 0x46},       // 14
    {u"Scroll", 145, 0, 0x47},     // 15
    {u"Pause", 19, 0, 0x48},       // 16
    {u"~", 192, 0, 0x35},          // 17
    {u"1", 49, 0, 0x1E},           // 18
    {u"2", 50, 0, 0x1F},           // 19
    {u"3", 51, 0, 0x20},           // 20
    {u"4", 52, 0, 0x21},           // 21
    {u"5", 53, 0, 0x22},           // 22
    {u"6", 54, 0, 0x23},           // 23
    {u"7", 55, 0, 0x24},           // 24
    {u"8", 56, 0, 0x25},           // 25
    {u"9", 57, 0, 0x26},           // 26
    {u"0", 48, 0, 0x27},           // 27
    {u"-", 189, 0, 0x2D},          // 28
    {u"=", 187, 0, 0x2E},          // 29
    {u"Backspace", 8, 0, 0x2A},    // 30
    {u"Tab", 9, 0, 0x2B},          // 31
    {u"Q", 81, 0, 0x14},           // 32
    {u"W", 87, 0, 0x1A},           // 33
    {u"E", 69, 0, 0x08},           // 34
    {u"R", 82, 0, 0x15},           // 35
    {u"T", 84, 0, 0x17},           // 36
    {u"Y", 89, 0, 0x1C},           // 37
    {u"U", 85, 0, 0x18},           // 38
    {u"I", 73, 0, 0x0C},           // 39
    {u"O", 79, 0, 0x12},           // 40
    {u"P", 80, 0, 0x13},           // 41
    {u"[", 219, 0, 0x2F},          // 42
    {u"]", 221, 0, 0x30},          // 43
    {u"\\", 220, 0, 0x31},         // 44
    {u"CapsLock", 20, 0, 0x39},    // 45
    {u"A", 65, 0, 0x04},           // 46
    {u"S", 83, 0, 0x16},           // 47
    {u"D", 68, 0, 0x07},           // 48
    {u"F", 70, 0, 0x09},           // 49
    {u"G", 71, 0, 0x0A},           // 50
    {u"H", 72, 0, 0x0B},           // 51
    {u"J", 74, 0, 0x0D},           // 52
    {u"K", 75, 0, 0x0E},           // 53
    {u"L", 76, 0, 0x0F},           // 54
    {u":", 186, 0, 0x33},          // 55
    {u"\"", 222, 0, 0x34},         // 56
    {u"Enter", 13, 0, 0x28},       // 57
    {u"LShift", 160, 2, 0x00},     // 58
    {u"Z", 90, 0, 0x1D},           // 59
    {u"X", 88, 0, 0x1B},           // 60
    {u"C", 67, 0, 0x06},           // 61
    {u"V", 86, 0, 0x19},           // 62
    {u"B", 66, 0, 0x05},           // 63
    {u"N", 78, 0, 0x11},           // 64
    {u"M", 77, 0, 0x10},           // 65
    {u",", 188, 0, 0x36},          // 66
    {u".", 190, 0, 0x37},          // 67
    {u"/", 191, 0, 0x38},          // 68
    {u"RShift", 161, 32, 0x00},    // 69
    {u"LCtrl", 162, 1, 0x00},      // 70
    {u"LWin", 91, 8, 0x00},        // 71
    {u"LAlt", 164, 4, 0x00},       // 72
    {u"Space", 32, 0, 0x2C},       // 73
    {u"RAlt", 165, 64, 0x00},      // 74
    {u"RWin", 92, 128, 0x00},      // 75
    {u"App", 93, 0, 0x65},         // 76
    {u"RCtrl", 163, 16, 0x00},     // 77
    {u"Insert", 45, 0, 0x49},      // 78
    {u"Home", 36, 0, 0x4A},        // 79
    {u"PgUp", 33, 0, 0x4B},        // 80
    {u"Delete", 46, 0, 0x4C},      // 81
    {u"End", 35, 0, 0x4D},         // 82
    {u"PgDn", 34, 0, 0x4E},        // 83
    {u"◆", 38, 0, 0x52},           // 84
    {u"■", 37, 0, 0x50},           // 85
    {u"□", 40, 0, 0x51},           // 86
    {u"△", 39, 0, 0x4F},           // 87
    {u"Num Lock", 144, 0, 0x53},   // 88
    {u"(Num)/", 111, 0, 0x54},     // 89
    {u"(Num)*", 106, 0, 0x55},     // 90
    {u"(Num)-", 109, 0, 0x56},     // 91
    {u"(Num)7", 103, 0, 0x5F},     // 92
    {u"(Num)8", 104, 0, 0x60},     // 93
    {u"(Num)9", 105, 0, 0x61},     // 94
    {u"(Num)'+'", 107, 0, 0x57},   // 95
    {u"(Num)4", 100, 0, 0x5C},     // 96
    {u"(Num)5", 101, 0, 0x5D},     // 97
    {u"(Num)6", 102, 0, 0x5E},     // 98
    {u"(Num)1", 97, 0, 0x59},      // 99
    {u"(Num)2", 98, 0, 0x5A},      // 100
    {u"(Num)3", 99, 0, 0x5B},      // 101
    {u"(Num)Enter", 13, 0, 0x58},  // 102
    {u"(Num)0", 96, 0, 0x62},      // 103
    {u"(Num).", 110, 0, 0x63},     // 104
    {u"Unknown", 0, 0, 0x00},      // 105
};

const KeyInfo& KeyRow(int index) {
    return KeyTable[index >= 0 && index < kKeyTableRows ? index : kUnknownKeyIndex];
}

int FindKeyByVk(int vk, int skip) {
    if (skip < 0) skip = kKeyTableRows;  // more than any vk's rows: nothing is found
    int row = 0;
    for (; KeyTable[row].vk != 0; ++row) {
        if (KeyTable[row].vk == vk) {
            if (skip == 0) break;
            --skip;
        }
    }
    return row;
}

std::u16string KeyComboText(std::span<const uint8_t, kKeyStringLength> keys) {
    return KeyComboText(keys, [](int keyIndex) { return std::u16string_view(KeyRow(keyIndex).name); });
}

std::u16string KeyComboText(std::span<const uint8_t, kKeyStringLength> keys,
                            const std::function<std::u16string_view(int)>& nameOf) {
    std::u16string text;
    for (size_t i = 0; i < keys.size() && keys[i] != 0; ++i) {
        if (i > 0) text += u'+';
        text += nameOf(keys[i]);
    }
    return text;
}

int KeyComboToHid(std::span<const uint8_t, kKeyStringLength> keys,
                  std::span<uint8_t, kKeyboardReportBytes> out) {
    std::fill(out.begin(), out.end(), uint8_t{0});
    int usages = 0;
    for (size_t i = 0; i < keys.size() && keys[i] != 0; ++i) {
        const KeyInfo& key = KeyRow(keys[i]);
        if (key.modifier != 0) {
            out[0] |= static_cast<uint8_t>(key.modifier);
        } else if (usages < kKeyboardUsages) {
            out[1 + usages++] = static_cast<uint8_t>(key.usage);
        }
    }
    return usages;
}

}  // namespace voltrane
