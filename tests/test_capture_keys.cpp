#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "capture/capture_keys.h"
#include "capture/dialog_focus.h"

namespace voltrane {
namespace {

// Key-table rows, looked up by the code each key reports.
const int kEsc = FindKeyByVk(0x1B, 0);
const int kTab = FindKeyByVk(0x09, 0);
const int kEnter = FindKeyByVk(0x0D, 0);
const int kKeypadEnter = FindKeyByVk(0x0D, 1);
const int kSpace = FindKeyByVk(0x20, 0);
const int kLShift = FindKeyByVk(0xA0, 0);
const int kLCtrl = FindKeyByVk(0xA2, 0);
const int kLAlt = FindKeyByVk(0xA4, 0);
const int kLWin = FindKeyByVk(0x5B, 0);
const int kF4 = FindKeyByVk(0x73, 0);
const int kKeyA = FindKeyByVk('A', 0);
const int kKeyC = FindKeyByVk('C', 0);
const int kDown = FindKeyByVk(0x28, 0);
const int kLeft = FindKeyByVk(0x25, 0);

// One thing that happens to the dialog: a key event, or the dialog's own arming, disarming or loss
// of the keyboard.
struct Move {
    enum Kind { Down, Repeat, Up, Arm, Disarm, Lost } kind;
    int key = 0;
};
Move down(int key) { return {Move::Down, key}; }
Move repeat(int key) { return {Move::Repeat, key}; }
Move up(int key) { return {Move::Up, key}; }
// A key pressed and released alone.
std::vector<Move> tap(int key) { return {down(key), up(key)}; }

using C = KeyCommand;
KeyAction capture(int key) { return {C::Capture, key}; }
KeyAction captureUp(int key) { return {C::CaptureUp, key}; }

std::vector<Move> operator+(std::vector<Move> a, const std::vector<Move>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct Case {
    std::string name;
    CaptureEnd end;
    std::vector<Move> moves;
    std::vector<KeyAction> actions;  // every action, in order
    bool armedAfter;
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

std::vector<KeyAction> run(CaptureKeys& keys, const std::vector<Move>& moves) {
    std::vector<KeyAction> actions;
    for (const Move& move : moves) {
        std::vector<KeyAction> step;
        switch (move.kind) {
            case Move::Down:
                step = keys.OnKey(move.key, KeyTransition::Press);
                break;
            case Move::Repeat:
                step = keys.OnKey(move.key, KeyTransition::Repeat);
                break;
            case Move::Up:
                step = keys.OnKey(move.key, KeyTransition::Release);
                break;
            case Move::Arm:
                keys.Arm();
                break;
            case Move::Disarm:
                keys.Disarm();
                break;
            case Move::Lost:
                keys.KeysLost();
                break;
        }
        actions.insert(actions.end(), step.begin(), step.end());
    }
    return actions;
}

class CaptureKeysRoute : public testing::TestWithParam<Case> {};

TEST_P(CaptureKeysRoute, ActionsInOrder) {
    const Case& c = GetParam();
    CaptureKeys keys(c.end);
    EXPECT_TRUE(keys.Armed());
    const std::vector<KeyAction> actions = run(keys, c.moves);
    ASSERT_EQ(actions.size(), c.actions.size());
    for (std::size_t i = 0; i < actions.size(); ++i) {
        EXPECT_EQ(actions[i].command, c.actions[i].command) << "action " << i;
        EXPECT_EQ(actions[i].keyIndex, c.actions[i].keyIndex) << "action " << i;
    }
    EXPECT_EQ(keys.Armed(), c.armedAfter);
}

constexpr CaptureEnd kOne = CaptureEnd::AfterCombination;
constexpr CaptureEnd kRec = CaptureEnd::OnlyByEsc;

// Disarmed by a captured A first: the single-key dialog after its first combination.
const std::vector<Move> kAfterA = tap(kKeyA);
const std::vector<KeyAction> kAfterAActions = {capture(kKeyA), captureUp(kKeyA), {C::Done}};

INSTANTIATE_TEST_SUITE_P(
    CaptureKeys, CaptureKeysRoute,
    testing::Values(
        // Armed: every key is captured, the dialog's own keys and the desktop's shortcuts included.
        Case{"TabEscEnterAreCaptured",
             kRec,
             {down(kTab), up(kTab), down(kEsc), up(kEsc), down(kEnter), up(kEnter)},
             {capture(kTab), captureUp(kTab), capture(kEsc), captureUp(kEsc), capture(kEnter),
              captureUp(kEnter)},
             true},
        Case{"AltF4IsOneCombination",
             kOne,
             {down(kLAlt), down(kF4), up(kF4), up(kLAlt)},
             {capture(kLAlt), capture(kF4), captureUp(kF4), captureUp(kLAlt), {C::Done}},
             false},
        Case{"SuperAlone", kOne, tap(kLWin), {capture(kLWin), captureUp(kLWin), {C::Done}}, false},
        Case{"CombinationEndsOnlyWhenAllKeysAreUp",
             kOne,
             {down(kLCtrl), down(kKeyC), up(kKeyC)},
             {capture(kLCtrl), capture(kKeyC), captureUp(kKeyC)},
             true},
        Case{"AutoRepeatIsCaptured",
             kOne,
             {down(kKeyA), repeat(kKeyA), up(kKeyA)},
             {capture(kKeyA), capture(kKeyA), captureUp(kKeyA), {C::Done}},
             false},
        Case{"RecordingGoesOnAfterAChord",
             kRec,
             tap(kKeyA) + tap(kKeyC),
             {capture(kKeyA), captureUp(kKeyA), capture(kKeyC), captureUp(kKeyC)},
             true},
        Case{"ReleaseOfAKeyHeldBeforeOpeningIsIgnored", kOne, {up(kKeyA)}, {}, true},
        Case{"OutOfTableRowsAreIgnored", kOne, {down(0), down(106), up(-3)}, {}, true},
        // Esc held alone stops capture; its repeats and release then do nothing.
        Case{"EscHeldStops",
             kRec,
             {down(kEsc), repeat(kEsc), repeat(kEsc), up(kEsc)},
             {capture(kEsc), {C::Stop}},
             false},
        Case{"EscHeldStopsTheSingleKeyDialog",
             kOne,
             {down(kEsc), repeat(kEsc), up(kEsc)},
             {capture(kEsc), {C::Stop}},
             false},
        Case{"EscHeldWithCtrlIsCaptured",
             kRec,
             {down(kLCtrl), down(kEsc), repeat(kEsc), up(kEsc), up(kLCtrl)},
             {capture(kLCtrl), capture(kEsc), capture(kEsc), captureUp(kEsc), captureUp(kLCtrl)},
             true},
        Case{"RepeatOfAnotherKeyDoesNotStop",
             kRec,
             {down(kKeyA), repeat(kKeyA)},
             {capture(kKeyA), capture(kKeyA)},
             true},
        // Not armed: the dialog's keys work it.
        Case{"TabMovesShiftTabMovesBack",
             kOne,
             kAfterA + tap(kTab) + std::vector<Move>{down(kLShift), down(kTab), up(kTab), up(kLShift)},
             {capture(kKeyA), captureUp(kKeyA), {C::Done}, {C::Next}, {C::Previous}},
             false},
        Case{"TabRepeatsMove",
             kOne,
             kAfterA + std::vector<Move>{down(kTab), repeat(kTab), up(kTab)},
             {capture(kKeyA), captureUp(kKeyA), {C::Done}, {C::Next}, {C::Next}},
             false},
        Case{"EnterAndKeypadEnterActivateOnPress",
             kOne,
             kAfterA + std::vector<Move>{down(kEnter), repeat(kEnter), up(kEnter), down(kKeypadEnter)},
             {capture(kKeyA), captureUp(kKeyA), {C::Done}, {C::Activate}, {C::Activate}},
             false},
        Case{"SpaceActivatesOnRelease",
             kOne,
             kAfterA + std::vector<Move>{down(kSpace), repeat(kSpace), up(kSpace)},
             {capture(kKeyA), captureUp(kKeyA), {C::Done}, {C::Activate}},
             false},
        Case{"EscCancelsOnPressOnly",
             kOne,
             kAfterA + std::vector<Move>{down(kEsc), repeat(kEsc), up(kEsc)},
             {capture(kKeyA), captureUp(kKeyA), {C::Done}, {C::Cancel}},
             false},
        Case{"ArrowsGoToTheFocusedControl",
             kOne,
             kAfterA + std::vector<Move>{down(kDown), repeat(kDown), up(kDown), down(kLeft)},
             {capture(kKeyA), captureUp(kKeyA), {C::Done}, {C::Down}, {C::Down}, {C::Left}},
             false},
        Case{"EscHeldToStopDoesNotAlsoCancel",
             kRec,
             {down(kEsc), repeat(kEsc), repeat(kEsc), up(kEsc), down(kEsc)},
             {capture(kEsc), {C::Stop}, {C::Cancel}},
             false},
        // Not armed: any other key arms again, with the modifiers held before it.
        Case{"AnotherKeyArmsAgain",
             kOne,
             kAfterA + tap(kKeyC),
             {capture(kKeyA),
              captureUp(kKeyA),
              {C::Done},
              {C::Arm},
              capture(kKeyC),
              captureUp(kKeyC),
              {C::Done}},
             false},
        Case{"ModifiersHeldJoinTheNewCombination",
             kOne,
             kAfterA + std::vector<Move>{down(kLCtrl), down(kLShift), down(kKeyC)},
             {capture(kKeyA),
              captureUp(kKeyA),
              {C::Done},
              {C::Arm},
              capture(kLCtrl),
              capture(kLShift),
              capture(kKeyC)},
             true},
        Case{"SpaceHeldIsLeftOutOfTheNewCombination",
             kOne,
             kAfterA + std::vector<Move>{down(kSpace), down(kKeyC), up(kSpace), up(kKeyC)},
             {capture(kKeyA),
              captureUp(kKeyA),
              {C::Done},
              {C::Arm},
              capture(kKeyC),
              captureUp(kKeyC),
              {C::Done}},
             false},
        Case{"ModifierAloneDoesNotArm",
             kOne,
             kAfterA + tap(kLCtrl),
             {capture(kKeyA), captureUp(kKeyA), {C::Done}},
             false},
        // The dialog arms itself: the key that armed it is neither captured nor ends the capture.
        Case{
            "EnterThatArmsIsNotCaptured",
            kOne,
            kAfterA + std::vector<Move>{down(kEnter), {Move::Arm}, repeat(kEnter), up(kEnter)} + tap(kKeyC),
            {capture(kKeyA),
             captureUp(kKeyA),
             {C::Done},
             {C::Activate},
             capture(kKeyC),
             captureUp(kKeyC),
             {C::Done}},
            false},
        Case{"ArmedByItselfWaitsForAKey",
             kOne,
             kAfterA + std::vector<Move>{{Move::Arm}},
             {capture(kKeyA), captureUp(kKeyA), {C::Done}},
             true},
        Case{"DisarmedByItselfIgnoresTheHeldKey",
             kRec,
             {down(kKeyA), {Move::Disarm}, up(kKeyA), down(kEsc)},
             {capture(kKeyA), {C::Cancel}},
             false},
        Case{"KeysLostForgetsHeldModifiers",
             kOne,
             kAfterA + std::vector<Move>{down(kLCtrl), {Move::Lost}, down(kKeyC)},
             {capture(kKeyA), captureUp(kKeyA), {C::Done}, {C::Arm}, capture(kKeyC)},
             true},
        Case{"KeysLostThenTheirReleaseIsIgnored",
             kRec,
             {down(kKeyA), {Move::Lost}, up(kKeyA)},
             {capture(kKeyA)},
             true}));

struct FocusCase {
    std::string name;
    std::vector<int> order;
    std::string moves;  // n next, p previous, k<digit> keyboard set, m<digit> pointer set, h hide
    int focused;
    bool ring;
};

void PrintTo(const FocusCase& c, std::ostream* out) { *out << c.name; }

class DialogFocusMoves : public testing::TestWithParam<FocusCase> {};

TEST_P(DialogFocusMoves, FocusAndRing) {
    const FocusCase& c = GetParam();
    DialogFocus focus(c.order);
    for (std::size_t i = 0; i < c.moves.size(); ++i) {
        switch (c.moves[i]) {
            case 'n':
                focus.Next();
                break;
            case 'p':
                focus.Previous();
                break;
            case 'h':
                focus.HideRing();
                break;
            case 'k':
            case 'm':
                static_cast<void>(focus.Set(c.moves[i + 1] - '0', c.moves[i] == 'k'));
                ++i;
                break;
            default:
                FAIL() << "bad move " << c.moves[i];
        }
    }
    EXPECT_EQ(focus.Focused(), c.focused);
    EXPECT_EQ(focus.RingShown(), c.ring);
}

INSTANTIATE_TEST_SUITE_P(
    DialogFocus, DialogFocusMoves,
    testing::Values(FocusCase{"OpensOnTheFirstWithoutRing", {0, 1, 2}, "", 0, false},
                    FocusCase{"TabOrderNotRegionOrder", {5, 2, 9}, "n", 2, true},
                    FocusCase{"NextWrapsToTheFirst", {0, 1, 2}, "nnn", 0, true},
                    FocusCase{"PreviousWrapsToTheLast", {0, 1, 2}, "p", 2, true},
                    FocusCase{"KeyboardSetShowsTheRing", {0, 1, 2}, "k2", 2, true},
                    FocusCase{"PointerSetHidesTheRing", {0, 1, 2}, "nm1", 1, false},
                    FocusCase{"UnknownControlChangesNothing", {0, 1, 2}, "nk7", 1, true},
                    FocusCase{"HideKeepsTheFocus", {0, 1, 2}, "nnh", 2, false},
                    FocusCase{"NextAfterPointerGoesOnFromThere", {0, 1, 2}, "m1n", 2, true}));

TEST(DialogFocus, SetReportsWhetherTheControlIsThere) {
    DialogFocus focus({3, 4});
    EXPECT_TRUE(focus.Set(4, true));
    EXPECT_FALSE(focus.Set(5, true));
    EXPECT_EQ(focus.Focused(), 4);
}

}  // namespace
}  // namespace voltrane
