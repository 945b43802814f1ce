#include <gtest/gtest.h>

#include <ostream>

#include "capture/step_text.h"
#include "swapped_key_names.h"

namespace voltrane {
namespace {

struct RowCase {
    const char* name;
    MacroEvent step;
    int index;
    int language;
    const char16_t* text;
};

void PrintTo(const RowCase& c, std::ostream* out) { *out << c.name; }

class StepRow : public testing::TestWithParam<RowCase> {};

TEST_P(StepRow, Text) {
    const RowCase& c = GetParam();
    EXPECT_EQ(StepRowText(c.step, c.index, c.language, UsKeyNames()), c.text);
}

constexpr int kChinese = 0;
constexpr int kEnglish = 2;
constexpr int kGerman = 3;
constexpr int kJapanese = 4;
constexpr int kKorean = 5;

INSTANTIATE_TEST_SUITE_P(
    StepText, StepRow,
    testing::Values(
        RowCase{"LeftPress", {kMouseDown, {1}}, 0, kEnglish, u"1:\t<Key Down>\t<Left>"},
        RowCase{"RightRelease", {kMouseUp, {2}}, 4, kEnglish, u"5:\t<Key Up>\t<Right>"},
        RowCase{"MiddlePress", {kMouseDown, {4}}, 0, kEnglish, u"1:\t<Key Down>\t<Middle>"},
        RowCase{"Mask8IsThe5th", {kMouseDown, {8}}, 0, kEnglish, u"1:\t<Key Down>\t<5th>"},
        RowCase{"Mask16IsThe4th", {kMouseUp, {16}}, 0, kEnglish, u"1:\t<Key Up>\t<4th>"},
        RowCase{"LowestBitNamesTheButton", {kMouseDown, {0x06}}, 0, kEnglish, u"1:\t<Key Down>\t<Right>"},
        RowCase{
            "BitsAboveTheFiveButtonsIgnored", {kMouseDown, {0x30}}, 0, kEnglish, u"1:\t<Key Down>\t<4th>"},
        RowCase{"ScrollUp", {kMouseDown, {0, 1}}, 9, kEnglish, u"10:\t<Mouse>\t<Scroll up>"},
        RowCase{"ScrollDown", {kMouseDown, {0, 255}}, 0, kEnglish, u"1:\t<Mouse>\t<Scroll down>"},
        RowCase{"WheelWinsOverButtons", {kMouseDown, {1, 1}}, 0, kEnglish, u"1:\t<Mouse>\t<Scroll up>"},
        RowCase{"ScrollUpInGerman", {kMouseDown, {0, 1}}, 0, kGerman, u"1:\t<Die Maus>\t<Hochscrollen>"},
        RowCase{"Delay", {kDelay, {0x01, 0x2C}}, 2, kEnglish, u"3:\t<Delay>\t<300 ms>"},
        RowCase{"LongestDelay", {kDelay, {0xFF, 0xFF}}, 0, kEnglish, u"1:\t<Delay>\t<65535 ms>"},
        RowCase{"KeyDown", {kKeyDown, {70, 46}}, 0, kEnglish, u"1:\t<Key Down>\t<LCtrl+A>"},
        RowCase{"KeyUp", {kKeyUp, {70, 46}}, 1, kEnglish, u"2:\t<Key Up>\t<LCtrl+A>"},
        RowCase{"TenKeys",
                {kKeyDown, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
                0,
                kEnglish,
                u"1:\t<Key Down>\t<F1+F2+F3+F4+F5+F6+F7+F8+F9+F10>"},
        RowCase{"KeyRowPastTheTable", {kKeyUp, {200}}, 0, kEnglish, u"1:\t<Key Up>\t<Unknown>"},
        RowCase{"KeyDownInJapanese", {kKeyDown, {47}}, 0, kJapanese, u"1:\t<おうか>\t<S>"},
        RowCase{"DelayInChinese", {kDelay, {0, 10}}, 0, kChinese, u"1:\t<延時>\t<10 ms>"},
        RowCase{"LeftInKorean", {kMouseDown, {1}}, 0, kKorean, u"1:\t<버튼>\t<왼쪽 버튼>"},
        RowCase{"LanguageOutsideReadsAsEnglish", {kMouseUp, {1}}, 0, 9, u"1:\t<Key Up>\t<Left>"},
        RowCase{"RawKeyStroke",
                {kRawKey, {0x01 | 0x02, 0x04}},
                0,
                kEnglish,
                u"1:\t<Keyboard>\t<LCtrl+LShift+A>"},
        RowCase{"RawKeyRightModifiers",
                {kRawKey, {0x10 | 0x80, 0x28}},
                0,
                kEnglish,
                u"1:\t<Keyboard>\t<RCtrl+RWin+Enter>"},
        RowCase{"RawKeyModifierOnly", {kRawKey, {0x04, 0}}, 0, kEnglish, u"1:\t<Keyboard>\t<LAlt>"},
        RowCase{
            "RawKeyUsageNotInTheTable", {kRawKey, {0, 0x89}}, 0, kEnglish, u"1:\t<Keyboard>\t<Unknown>"},
        RowCase{"RawKeyOfNothing", {kRawKey, {0, 0}}, 0, kEnglish, u"1:\t<Keyboard>\t<Unknown>"},
        RowCase{"RawKeyInGerman", {kRawKey, {0, 0x58}}, 0, kGerman, u"1:\t<Tastatur>\t<(Num)Enter>"},
        RowCase{"DpiUp", {kDpiStep, {1}}, 0, kEnglish, u"1:\t<Mouse>\t<DPI+>"},
        RowCase{"DpiDown", {kDpiStep, {2}}, 0, kEnglish, u"1:\t<Mouse>\t<DPI->"},
        RowCase{"DpiSwitch", {kDpiStep, {0}}, 0, kEnglish, u"1:\t<Mouse>\t<Switch DPI>"},
        RowCase{"DpiUnknownAction", {kDpiStep, {3}}, 0, kEnglish, u"1:\t<Unknown 7>\t<03>"},
        RowCase{
            "MouseWithoutButtonOrWheel", {kMouseDown, {0, 0}}, 0, kEnglish, u"1:\t<Key Down>\t<Mouse 00>"},
        RowCase{
            "MouseWithOddWheelValue", {kMouseDown, {0, 3}}, 0, kEnglish, u"1:\t<Key Down>\t<Mouse 00 03>"},
        RowCase{
            "MouseWithButtonAboveTheFive", {kMouseUp, {0x40}}, 0, kEnglish, u"1:\t<Key Up>\t<Mouse 40>"},
        RowCase{"UnknownKind", {9, {0x12, 0, 0xAB}}, 0, kEnglish, u"1:\t<Unknown 9>\t<12 00 AB>"},
        RowCase{"EmptySlot", {0, {}}, 0, kEnglish, u"1:\t<Unknown 0>\t<00>"},
        RowCase{"KindWithoutAFormat",
                {4, {0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0x01}},
                83,
                kEnglish,
                u"84:\t<Unknown 4>\t<FF 00 00 00 00 00 00 00 00 01>"}));

TEST(StepText, HeldChord) {
    KeyChord chord(kKeyStringLength);
    EXPECT_EQ(HeldChordText(chord, kEnglish, UsKeyNames()), u"<Hold down the button>\t");
    chord.Press(70);
    chord.Press(46);
    EXPECT_EQ(HeldChordText(chord, kEnglish, UsKeyNames()), u"<Hold down the button>\tLCtrl+A");
    EXPECT_EQ(HeldChordText(chord, kKorean, UsKeyNames()), u"<배열 을 눌러>\tLCtrl+A");
}

// Keys in the names of a layout with Z and Y swapped: every kind of row that names keys takes them from the
// layout, and keeps the table's names for the others.
TEST(StepText, KeysInTheLayoutsNames) {
    const KeyNames& swapped = SwappedZAndY();
    EXPECT_EQ(StepRowText({kKeyDown, {70, 37}}, 0, kEnglish, swapped), u"1:\t<Key Down>\t<LCtrl+Z>");
    EXPECT_EQ(StepRowText({kKeyUp, {59}}, 1, kEnglish, swapped), u"2:\t<Key Up>\t<Y>");
    EXPECT_EQ(StepRowText({kRawKey, {0x01, 0x1C}}, 0, kEnglish, swapped), u"1:\t<Keyboard>\t<LCtrl+Z>");
    EXPECT_EQ(StepRowText({kRawKey, {0x00, 0x1D}}, 0, kEnglish, swapped), u"1:\t<Keyboard>\t<Y>");
    KeyChord chord(kKeyStringLength);
    chord.Press(58);
    chord.Press(37);
    EXPECT_EQ(HeldChordText(chord, kEnglish, swapped), u"<Hold down the button>\tLShift+Z");
}

TEST(StepText, BudgetAndDelay) {
    MacroRecord record{};
    EXPECT_EQ(BudgetText(record), u"0/254");
    record.length = 249;
    EXPECT_EQ(BudgetText(record), u"249/254");
    EXPECT_EQ(DelayText(10), u"10 ms");
    EXPECT_EQ(DelayText(999), u"999 ms");
}

}  // namespace
}  // namespace voltrane
