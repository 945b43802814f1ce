#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>

#include "settings/key_table.h"

namespace voltrane {
namespace {

using Keys = std::array<uint8_t, kKeyStringLength>;

std::u16string nameOf(int row) { return KeyTable[row].name; }

TEST(KeyTable, EndRowsAndModifiers) {
    EXPECT_EQ(nameOf(0), u"");
    EXPECT_EQ(KeyTable[0].vk, -1);
    EXPECT_EQ(nameOf(105), u"Unknown");
    EXPECT_EQ(KeyTable[105].vk, 0);
    struct Modifier { int row; const char16_t* name; int bit; };
    const Modifier modifiers[] = {{70, u"LCtrl", 1},  {58, u"LShift", 2}, {72, u"LAlt", 4},
                                  {71, u"LWin", 8},   {77, u"RCtrl", 16}, {69, u"RShift", 32},
                                  {74, u"RAlt", 64},  {75, u"RWin", 128}};
    int modifierRows = 0;
    for (int row = 0; row < kKeyTableRows; ++row) modifierRows += KeyTable[row].modifier != 0;
    EXPECT_EQ(modifierRows, 8);
    for (const auto& m : modifiers) {
        SCOPED_TRACE(m.row);
        EXPECT_EQ(nameOf(m.row), m.name);
        EXPECT_EQ(KeyTable[m.row].modifier, m.bit);
        EXPECT_EQ(KeyTable[m.row].usage, 0);
    }
}

// Every key row is reachable by its vk, and no two ordinary keys share a HID usage, so decoding a
// usage back finds the key that produced it.
TEST(KeyTable, EveryKeyRoundTripsThroughVkAndUsage) {
    std::set<int> usages;
    for (int row = 1; row <= 104; ++row) {
        SCOPED_TRACE(row);
        const KeyInfo& key = KeyTable[row];
        EXPECT_NE(key.vk, 0);
        EXPECT_FALSE(nameOf(row).empty());
        const int skip = row == 102 ? 1 : 0;  // the keypad Enter shares vk 13 with Enter
        EXPECT_EQ(FindKeyByVk(key.vk, skip), row);
        if (key.modifier == 0) {
            EXPECT_TRUE(usages.insert(key.usage).second);
        }
    }
}

TEST(KeyTable, FindKeyByVk) {
    struct Case { int vk, skip, row; };
    const Case cases[] = {
        {13, 0, 57}, {13, 1, 102}, {13, 2, 105}, {255, 0, 105}, {65, 0, 46},
        {38, 0, 84}, {65, 1, 105}, {0, 0, 105}, {-1, 0, 0}, {65, -1, 105},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "vk " << c.vk << " skip " << c.skip);
        g_nKeyIndex = -7;
        EXPECT_EQ(FindKeyByVk(c.vk, c.skip), c.row);
        EXPECT_EQ(g_nKeyIndex, c.row);
    }
    FindKeyByVk(255, 0);
    EXPECT_EQ(nameOf(g_nKeyIndex), u"Unknown");
}

TEST(KeyTable, KeyComboText) {
    struct Case { Keys keys; std::u16string text; };
    const Case cases[] = {
        {{}, u""},
        {{70, 58, 46}, u"LCtrl+LShift+A"},
        {{46, 0, 47}, u"A"},
        {{84, 85, 86, 87}, u"\u25C6+\u25A0+\u25A1+\u25B3"},
        {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, u"Esc+F1+F2+F3+F4+F5+F6+F7+F8+F9"},
        {{46, 200, 106}, u"A+Unknown+Unknown"},
        {{56, 95}, u"\"+(Num)'+'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.keys[0]) << "," << int(c.keys[1]));
        EXPECT_EQ(KeyComboText(c.keys), c.text);
    }
}

TEST(KeyTable, KeyComboToHid) {
    struct Case { Keys keys; std::array<uint8_t, 7> hid; int count; };
    const Case cases[] = {
        {{}, {}, 0},
        {{70, 69, 46}, {0x21, 0x04}, 1},
        {{46, 63, 61, 48, 34, 49, 50}, {0, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09}, 6},
        {{70, 58, 46, 63, 61, 48, 34, 49, 50}, {0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09}, 6},
        {{46, 0, 63}, {0, 0x04}, 1},
        {{70, 58, 72, 71, 77, 69, 74, 75}, {0xFF}, 0},
        {{46, 250}, {0, 0x04, 0x00}, 2},  // an index past the table reads as "Unknown"
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.keys[0]) << "," << int(c.keys[1]) << "," << int(c.keys[2]));
        std::array<uint8_t, 7> out;
        out.fill(0xAA);
        EXPECT_EQ(KeyComboToHid(c.keys, out), c.count);
        EXPECT_EQ(out, c.hid);
    }
}

}  // namespace
}  // namespace voltrane
