#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>

#include "settings/key_table.h"

namespace voltrane {
namespace {

using Keys = std::array<uint8_t, kKeyStringLength>;

std::u16string nameOf(int row) { return KeyTable[row].name; }

// The whole table as the mouse and the keyboard capture expect it: one line per row,
// "name<TAB>vk<TAB>usage<TAB>modifier".
const char16_t kGoldenRows[] =
    u"\t-1\t0x00\t0\n"
    u"Esc\t27\t0x29\t0\n"
    u"F1\t112\t0x3a\t0\n"
    u"F2\t113\t0x3b\t0\n"
    u"F3\t114\t0x3c\t0\n"
    u"F4\t115\t0x3d\t0\n"
    u"F5\t116\t0x3e\t0\n"
    u"F6\t117\t0x3f\t0\n"
    u"F7\t118\t0x40\t0\n"
    u"F8\t119\t0x41\t0\n"
    u"F9\t120\t0x42\t0\n"
    u"F10\t121\t0x43\t0\n"
    u"F11\t122\t0x44\t0\n"
    u"F12\t123\t0x45\t0\n"
    u"PrtSc\t44\t0x46\t0\n"
    u"Scroll\t145\t0x47\t0\n"
    u"Pause\t19\t0x48\t0\n"
    u"~\t192\t0x35\t0\n"
    u"1\t49\t0x1e\t0\n"
    u"2\t50\t0x1f\t0\n"
    u"3\t51\t0x20\t0\n"
    u"4\t52\t0x21\t0\n"
    u"5\t53\t0x22\t0\n"
    u"6\t54\t0x23\t0\n"
    u"7\t55\t0x24\t0\n"
    u"8\t56\t0x25\t0\n"
    u"9\t57\t0x26\t0\n"
    u"0\t48\t0x27\t0\n"
    u"-\t189\t0x2d\t0\n"
    u"=\t187\t0x2e\t0\n"
    u"Backspace\t8\t0x2a\t0\n"
    u"Tab\t9\t0x2b\t0\n"
    u"Q\t81\t0x14\t0\n"
    u"W\t87\t0x1a\t0\n"
    u"E\t69\t0x08\t0\n"
    u"R\t82\t0x15\t0\n"
    u"T\t84\t0x17\t0\n"
    u"Y\t89\t0x1c\t0\n"
    u"U\t85\t0x18\t0\n"
    u"I\t73\t0x0c\t0\n"
    u"O\t79\t0x12\t0\n"
    u"P\t80\t0x13\t0\n"
    u"[\t219\t0x2f\t0\n"
    u"]\t221\t0x30\t0\n"
    u"\\\t220\t0x31\t0\n"
    u"CapsLock\t20\t0x39\t0\n"
    u"A\t65\t0x04\t0\n"
    u"S\t83\t0x16\t0\n"
    u"D\t68\t0x07\t0\n"
    u"F\t70\t0x09\t0\n"
    u"G\t71\t0x0a\t0\n"
    u"H\t72\t0x0b\t0\n"
    u"J\t74\t0x0d\t0\n"
    u"K\t75\t0x0e\t0\n"
    u"L\t76\t0x0f\t0\n"
    u":\t186\t0x33\t0\n"
    u"\"\t222\t0x34\t0\n"
    u"Enter\t13\t0x28\t0\n"
    u"LShift\t160\t0x00\t2\n"
    u"Z\t90\t0x1d\t0\n"
    u"X\t88\t0x1b\t0\n"
    u"C\t67\t0x06\t0\n"
    u"V\t86\t0x19\t0\n"
    u"B\t66\t0x05\t0\n"
    u"N\t78\t0x11\t0\n"
    u"M\t77\t0x10\t0\n"
    u",\t188\t0x36\t0\n"
    u".\t190\t0x37\t0\n"
    u"/\t191\t0x38\t0\n"
    u"RShift\t161\t0x00\t32\n"
    u"LCtrl\t162\t0x00\t1\n"
    u"LWin\t91\t0x00\t8\n"
    u"LAlt\t164\t0x00\t4\n"
    u"Space\t32\t0x2c\t0\n"
    u"RAlt\t165\t0x00\t64\n"
    u"RWin\t92\t0x00\t128\n"
    u"App\t93\t0x65\t0\n"
    u"RCtrl\t163\t0x00\t16\n"
    u"Insert\t45\t0x49\t0\n"
    u"Home\t36\t0x4a\t0\n"
    u"PgUp\t33\t0x4b\t0\n"
    u"Delete\t46\t0x4c\t0\n"
    u"End\t35\t0x4d\t0\n"
    u"PgDn\t34\t0x4e\t0\n"
    u"◆\t38\t0x52\t0\n"
    u"■\t37\t0x50\t0\n"
    u"□\t40\t0x51\t0\n"
    u"△\t39\t0x4f\t0\n"
    u"Num Lock\t144\t0x53\t0\n"
    u"(Num)/\t111\t0x54\t0\n"
    u"(Num)*\t106\t0x55\t0\n"
    u"(Num)-\t109\t0x56\t0\n"
    u"(Num)7\t103\t0x5f\t0\n"
    u"(Num)8\t104\t0x60\t0\n"
    u"(Num)9\t105\t0x61\t0\n"
    u"(Num)'+'\t107\t0x57\t0\n"
    u"(Num)4\t100\t0x5c\t0\n"
    u"(Num)5\t101\t0x5d\t0\n"
    u"(Num)6\t102\t0x5e\t0\n"
    u"(Num)1\t97\t0x59\t0\n"
    u"(Num)2\t98\t0x5a\t0\n"
    u"(Num)3\t99\t0x5b\t0\n"
    u"(Num)Enter\t13\t0x58\t0\n"
    u"(Num)0\t96\t0x62\t0\n"
    u"(Num).\t110\t0x63\t0\n"
    u"Unknown\t0\t0x00\t0\n";

std::u16string rowLine(const KeyInfo& key) {
    char numbers[64];
    std::snprintf(numbers, sizeof numbers, "\t%d\t0x%02x\t%d\n", key.vk, key.usage, key.modifier);
    return std::u16string(key.name) + std::u16string(numbers, numbers + std::strlen(numbers));
}

TEST(KeyTable, EveryRowAsListed) {
    std::u16string_view golden = kGoldenRows;
    for (int row = 0; row < kKeyTableRows; ++row) {
        SCOPED_TRACE(row);
        const size_t end = golden.find(u'\n') + 1;
        ASSERT_NE(end, 0u);
        EXPECT_EQ(rowLine(KeyTable[row]), golden.substr(0, end));
        golden.remove_prefix(end);
    }
    EXPECT_TRUE(golden.empty());
}

TEST(KeyTable, EndRowsAndModifiers) {
    EXPECT_EQ(nameOf(0), u"");
    EXPECT_EQ(KeyTable[0].vk, -1);
    EXPECT_EQ(nameOf(105), u"Unknown");
    EXPECT_EQ(KeyTable[105].vk, 0);
    struct Modifier {
        int row;
        const char16_t* name;
        int bit;
    };
    const Modifier modifiers[] = {{70, u"LCtrl", 1}, {58, u"LShift", 2}, {72, u"LAlt", 4},
                                  {71, u"LWin", 8},  {77, u"RCtrl", 16}, {69, u"RShift", 32},
                                  {74, u"RAlt", 64}, {75, u"RWin", 128}};
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
    struct Case {
        int vk, skip, row;
    };
    const Case cases[] = {
        {13, 0, 57},  {13, 1, 102}, {13, 2, 105}, {255, 0, 105}, {65, 0, 46},          {38, 0, 84},
        {65, 1, 105}, {0, 0, 105},  {-1, 0, 0},   {65, -1, 105}, {65, INT32_MIN, 105},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "vk " << c.vk << " skip " << c.skip);
        EXPECT_EQ(FindKeyByVk(c.vk, c.skip), c.row);
    }
    EXPECT_EQ(nameOf(FindKeyByVk(255, 0)), u"Unknown");
}

TEST(KeyTable, KeyComboText) {
    struct Case {
        Keys keys;
        std::u16string text;
    };
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
    struct Case {
        Keys keys;
        std::array<uint8_t, 7> hid;
        int count;
    };
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
        SCOPED_TRACE(testing::Message()
                     << int(c.keys[0]) << "," << int(c.keys[1]) << "," << int(c.keys[2]));
        std::array<uint8_t, 7> out;
        out.fill(0xAA);
        EXPECT_EQ(KeyComboToHid(c.keys, out), c.count);
        EXPECT_EQ(out, c.hid);
    }
}

}  // namespace
}  // namespace voltrane
