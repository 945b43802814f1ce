#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "capture/single_key_capture.h"

namespace voltrane {
namespace {

// One captured key event: a positive row went down, a negative row went up, 0 the keyboard was lost,
// kDropped capture stopped with keys held.
using Events = std::vector<int>;
constexpr int kDropped = 1000;

struct ChordCase {
    const char* name;
    Events events;
    KeyString chord;  // what OK stores; all zero when OK stores nothing
    const char16_t* text;
};

void PrintTo(const ChordCase& c, std::ostream* out) { *out << c.name; }

class SingleKeyChord : public testing::TestWithParam<ChordCase> {};

TEST_P(SingleKeyChord, BuildsTheCombination) {
    const ChordCase& c = GetParam();
    SingleKeyCapture capture;
    for (int event : c.events) {
        if (event == kDropped) {
            capture.OnChordDropped();
        } else if (event > 0) {
            capture.OnHookKeyDown(event);
        } else if (event < 0) {
            capture.OnHookKeyUp(-event);
        } else {
            capture.OnKeysLost();
        }
    }
    EXPECT_EQ(capture.Text(UsKeyNames()), c.text);
    const std::optional<KeyString> ok = capture.OkResult();
    EXPECT_EQ(ok.has_value(), c.chord[0] != 0);
    EXPECT_EQ(ok.value_or(KeyString{}), c.chord);
}

INSTANTIATE_TEST_SUITE_P(
    SingleKeyCapture, SingleKeyChord,
    testing::Values(
        ChordCase{"NothingPressed", {}, {}, u""},
        ChordCase{"CtrlShiftS", {70, 58, 47, -47, -58, -70}, {70, 58, 47}, u"LCtrl+LShift+S"},
        ChordCase{"AutoRepeatIsOneKey", {46, 46, 46, 46, -46}, {46}, u"A"},
        ChordCase{"NewCombinationAfterAllReleased", {46, -46, 63}, {63}, u"B"},
        ChordCase{"ShownUntilTheNextPress", {70, 46, -46, -70}, {70, 46}, u"LCtrl+A"},
        ChordCase{"SixKeysAtMost", {2, 3, 4, 5, 6, 7, 8, 9}, {2, 3, 4, 5, 6, 7}, u"F1+F2+F3+F4+F5+F6"},
        ChordCase{"KeyBeyondSixDoesNotEndTheCombination",
                  {2, 3, 4, 5, 6, 7, 8, -8, -2, -3, -4, -5, -6, 46},
                  {2, 3, 4, 5, 6, 7},
                  u"F1+F2+F3+F4+F5+F6"},
        ChordCase{"ReleaseOfAKeyHeldBeforeTheDialogIsNoRelease", {47, -58, 70}, {47, 70}, u"S+LCtrl"},
        ChordCase{"KeyPressedAgainWhileOthersHeldCountsAsHeld",
                  {46, 47, -46, 46, -47, 48},
                  {46, 47, 48},
                  u"A+S+D"},
        ChordCase{"UnknownKey", {105, -105}, {105}, u"Unknown"},
        ChordCase{"TwoUnknownKeysAreOneRow", {105, 105, -105, -105, 46}, {46}, u"A"},
        ChordCase{"NoKeyRowIsIgnored", {106, -1, 300, -300}, {}, u""},
        ChordCase{"KeyboardLostKeepsTheCombination", {70, 46, 0}, {70, 46}, u"LCtrl+A"},
        ChordCase{"PressAfterKeyboardLostStartsAgain", {70, 46, 0, 47}, {47}, u"S"},
        ChordCase{"DroppedBeforeAnyKeyLeavesNothing", {1, kDropped}, {}, u""},
        ChordCase{
            "DroppedChordBringsBackThePreviousOne", {70, 46, -46, -70, 1, kDropped}, {70, 46}, u"LCtrl+A"},
        ChordCase{"DroppedChordTwiceKeepsTheFirst", {46, -46, 1, kDropped, -1, 1, kDropped}, {46}, u"A"},
        ChordCase{"PressAfterDropStartsAgain", {46, -46, 1, kDropped, 47}, {47}, u"S"}));

}  // namespace
}  // namespace voltrane
