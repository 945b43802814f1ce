#include <gtest/gtest.h>

#include <cstring>
#include <ostream>

#include "capture/macro_recorder.h"

namespace voltrane {
namespace {

// A record of `steps` presses of the left button.
MacroRecord recordOf(int steps) {
    MacroRecord r{};
    StepData left;
    left.buttons = 1;
    for (int i = 0; i < steps; ++i) AppendStep(r, kMouseDown, left);
    return r;
}

// An empty record whose budget stands at `length`.
MacroRecord budgetAt(uint8_t length) {
    MacroRecord r{};
    r.length = length;
    return r;
}

// Presses and releases the keys of a chord in order; returns whether the last release asked for the
// limit message.
bool typeChord(MacroRecorder& recorder, std::initializer_list<int> keys) {
    for (int key : keys) recorder.OnHookKeyDown(key);
    bool message = false;
    for (int key : keys) message = recorder.OnHookKeyUp(key);
    return message;
}

TEST(MacroRecorder, OpensOnACopyOfTheRecord) {
    const MacroRecord record = recordOf(3);
    MacroRecorder recorder(record);
    EXPECT_EQ(std::memcmp(&recorder.Record(), &record, sizeof record), 0);
    EXPECT_EQ(recorder.TopRow(), 0);
    EXPECT_EQ(recorder.SelRow(), 0);
    EXPECT_EQ(recorder.Spinner().Value(), 10);
    EXPECT_FALSE(recorder.DelayAfterDown());
    EXPECT_FALSE(recorder.DelayAfterUp());
    EXPECT_TRUE(recorder.Chord().Empty());
}

TEST(MacroRecorder, ChordIsRecordedWhenTheLastKeyGoesUp) {
    MacroRecorder recorder(MacroRecord{});
    recorder.OnHookKeyDown(46);
    recorder.OnHookKeyDown(47);
    EXPECT_FALSE(recorder.OnHookKeyUp(47));
    EXPECT_EQ(recorder.Record().count, 0);
    EXPECT_EQ(recorder.Chord().Text(UsKeyNames()), u"A+S");  // still held: the list's last row shows it
    EXPECT_FALSE(recorder.OnHookKeyUp(46));
    const MacroRecord& r = recorder.Record();
    ASSERT_EQ(r.count, 2);
    EXPECT_EQ(r.length, 8);
    const MacroEvent down{kKeyDown, {46, 47}};
    const MacroEvent up{kKeyUp, {46, 47}};
    EXPECT_EQ(std::memcmp(&r.steps[0], &down, sizeof down), 0);
    EXPECT_EQ(std::memcmp(&r.steps[1], &up, sizeof up), 0);
    EXPECT_TRUE(recorder.Chord().Empty());
    EXPECT_EQ(recorder.SelRow(), 1);
}

TEST(MacroRecorder, AutoRepeatRecordsOneChord) {
    MacroRecorder recorder(MacroRecord{});
    for (int i = 0; i < 5; ++i) recorder.OnHookKeyDown(46);
    EXPECT_FALSE(recorder.OnHookKeyUp(46));
    EXPECT_EQ(recorder.Record().count, 2);
    EXPECT_EQ(recorder.Record().steps[0].data[1], 0);
}

// What one click or one chord appends, with the check boxes as given.
struct RecordCase {
    const char* name;
    bool chord;  // the chord A instead of the mouse choice
    MouseChoice choice;
    bool delayAfterDown;
    bool delayAfterUp;
    MacroEvent expected[4];
    int count;
};

void PrintTo(const RecordCase& c, std::ostream* out) { *out << c.name; }

class RecordSteps : public testing::TestWithParam<RecordCase> {};

TEST_P(RecordSteps, AppendsTheSteps) {
    const RecordCase& c = GetParam();
    MacroRecorder recorder(MacroRecord{});
    if (c.delayAfterDown) recorder.ToggleDelayAfterDown();
    if (c.delayAfterUp) recorder.ToggleDelayAfterUp();
    const bool message = c.chord ? typeChord(recorder, {46}) : recorder.RecordMouse(c.choice);
    EXPECT_FALSE(message);
    const MacroRecord& r = recorder.Record();
    ASSERT_EQ(r.count, c.count);
    for (int i = 0; i < c.count; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(std::memcmp(&r.steps[i], &c.expected[i], sizeof(MacroEvent)), 0);
    }
    EXPECT_EQ(recorder.SelRow(), c.count - 1);
}

constexpr MacroEvent kPause10{kDelay, {0, 10}};

INSTANTIATE_TEST_SUITE_P(
    MacroRecorder, RecordSteps,
    testing::Values(
        RecordCase{"Left", false, MouseChoice::Left, false, false, {{kMouseDown, {1}}, {kMouseUp, {1}}}, 2},
        RecordCase{"LeftWithBothDelays",
                   false,
                   MouseChoice::Left,
                   true,
                   true,
                   {{kMouseDown, {1}}, kPause10, {kMouseUp, {1}}, kPause10},
                   4},
        RecordCase{"RightDelayAfterUp",
                   false,
                   MouseChoice::Right,
                   false,
                   true,
                   {{kMouseDown, {2}}, {kMouseUp, {2}}, kPause10},
                   3},
        RecordCase{
            "Middle", false, MouseChoice::Middle, false, false, {{kMouseDown, {4}}, {kMouseUp, {4}}}, 2},
        RecordCase{
            "Fifth", false, MouseChoice::Fifth, false, false, {{kMouseDown, {8}}, {kMouseUp, {8}}}, 2},
        RecordCase{"Fourth",
                   false,
                   MouseChoice::Fourth,
                   true,
                   false,
                   {{kMouseDown, {16}}, kPause10, {kMouseUp, {16}}},
                   3},
        RecordCase{"ScrollUp", false, MouseChoice::ScrollUp, false, false, {{kMouseDown, {0, 1}}}, 1},
        RecordCase{"ScrollDownBothDelaysOnlyTheFirst",
                   false,
                   MouseChoice::ScrollDown,
                   true,
                   true,
                   {{kMouseDown, {0, 255}}, kPause10},
                   2},
        RecordCase{"ChordWithBothDelays",
                   true,
                   MouseChoice::Left,
                   true,
                   true,
                   {{kKeyDown, {46}}, kPause10, {kKeyUp, {46}}, kPause10},
                   4}));

// The budget near its end: a click or chord records all of its steps or none, and the limit message
// is asked for when nothing fitted or the budget is exhausted afterwards.
struct BudgetCase {
    const char* name;
    uint8_t length;
    bool chord;
    MouseChoice choice;
    bool delays;  // both check boxes on
    uint8_t lengthAfter;
    bool message;
};

void PrintTo(const BudgetCase& c, std::ostream* out) { *out << c.name; }

class Budget : public testing::TestWithParam<BudgetCase> {};

TEST_P(Budget, AllOrNothing) {
    const BudgetCase& c = GetParam();
    MacroRecorder recorder(budgetAt(c.length));
    if (c.delays) {
        recorder.ToggleDelayAfterDown();
        recorder.ToggleDelayAfterUp();
    }
    const bool message = c.chord ? typeChord(recorder, {46}) : recorder.RecordMouse(c.choice);
    EXPECT_EQ(recorder.Record().length, c.lengthAfter);
    EXPECT_EQ(message, c.message);
    const int added = recorder.Record().count;
    EXPECT_EQ(added == 0, c.lengthAfter == c.length);
}

INSTANTIATE_TEST_SUITE_P(
    MacroRecorder, Budget,
    testing::Values(
        BudgetCase{"LeftAt240", 240, false, MouseChoice::Left, false, 246, false},
        BudgetCase{"LeftAt243FillsTheBudget", 243, false, MouseChoice::Left, false, 249, true},
        BudgetCase{"LeftAt246NoPressWithoutRelease", 246, false, MouseChoice::Left, false, 246, true},
        BudgetCase{"LeftAt249", 249, false, MouseChoice::Left, false, 249, true},
        BudgetCase{"LeftWithDelaysAt237", 237, false, MouseChoice::Left, true, 249, true},
        BudgetCase{"LeftWithDelaysAt240", 240, false, MouseChoice::Left, true, 240, true},
        BudgetCase{"ScrollAt245", 245, false, MouseChoice::ScrollUp, false, 248, false},
        BudgetCase{"ScrollAt246", 246, false, MouseChoice::ScrollDown, false, 249, true},
        BudgetCase{"ScrollAt249", 249, false, MouseChoice::ScrollUp, false, 249, true},
        BudgetCase{"ChordAt240", 240, true, MouseChoice::Left, false, 248, false},
        BudgetCase{"ChordAt241", 241, true, MouseChoice::Left, false, 249, false},
        BudgetCase{"ChordAt244NoPressWithoutRelease", 244, true, MouseChoice::Left, false, 244, true},
        BudgetCase{"ChordAt249", 249, true, MouseChoice::Left, false, 249, true}));

TEST(MacroRecorder, AtMostOneLimitMessageAtATime) {
    MacroRecorder recorder(budgetAt(249));
    recorder.OnHookKeyDown(46);  // ignored: no budget
    EXPECT_TRUE(recorder.Chord().Empty());
    EXPECT_TRUE(recorder.OnHookKeyUp(46));
    EXPECT_FALSE(recorder.OnHookKeyUp(47));  // released while the box is open
    EXPECT_FALSE(recorder.RecordMouse(MouseChoice::Left));
    recorder.LimitMessageClosed();
    recorder.OnHookKeyDown(46);
    EXPECT_TRUE(recorder.OnHookKeyUp(46));
    recorder.LimitMessageClosed();
    EXPECT_TRUE(recorder.RecordMouse(MouseChoice::Left));
}

// The key that closed the message box (Enter, pressed while the box had the keyboard) goes up in the
// editor: with the budget exhausted (an over-full macro from a file too) that is no reason for
// another box, while a key pressed and released in the editor is.
TEST(MacroRecorder, ReleaseOfTheKeyThatClosedTheBoxShowsNoNewBox) {
    for (const uint8_t length : {uint8_t{249}, uint8_t{255}}) {
        SCOPED_TRACE(int(length));
        MacroRecorder recorder(budgetAt(length));
        EXPECT_FALSE(recorder.OnHookKeyUp(57));  // Enter
        recorder.OnHookKeyDown(70);
        recorder.OnHookKeyDown(46);
        EXPECT_FALSE(recorder.OnHookKeyUp(70));  // A is still down
        EXPECT_TRUE(recorder.OnHookKeyUp(46));
        EXPECT_TRUE(recorder.Chord().Empty());
    }
}

TEST(MacroRecorder, ReleaseOfAKeyNotHeldWithBudgetLeftDoesNothing) {
    MacroRecorder recorder(MacroRecord{});
    EXPECT_FALSE(recorder.OnHookKeyUp(70));
    recorder.OnHookKeyDown(46);
    EXPECT_FALSE(recorder.OnHookKeyUp(70));  // A is still down: nothing recorded yet
    EXPECT_EQ(recorder.Record().count, 0);
    EXPECT_FALSE(recorder.OnHookKeyUp(46));
    EXPECT_EQ(recorder.Record().count, 2);
}

// A click that exhausts the budget while keys are held: the chord is dropped when its keys go up.
TEST(MacroRecorder, BudgetExhaustedWhileKeysHeld) {
    MacroRecorder recorder(budgetAt(243));
    recorder.OnHookKeyDown(46);
    EXPECT_TRUE(recorder.RecordMouse(MouseChoice::Left));
    recorder.LimitMessageClosed();
    EXPECT_TRUE(recorder.OnHookKeyUp(46));
    EXPECT_TRUE(recorder.Chord().Empty());
    EXPECT_EQ(recorder.Record().count, 2);
}

TEST(MacroRecorder, KeyboardLostDropsTheChord) {
    MacroRecorder recorder(MacroRecord{});
    recorder.OnHookKeyDown(70);
    recorder.OnHookKeyDown(46);
    recorder.OnKeysLost();
    EXPECT_TRUE(recorder.Chord().Empty());
    EXPECT_FALSE(recorder.OnHookKeyUp(46));  // a release from before is no release
    recorder.OnHookKeyDown(47);
    EXPECT_FALSE(recorder.OnHookKeyUp(47));
    const MacroEvent down{kKeyDown, {47}};
    EXPECT_EQ(recorder.Record().count, 2);
    EXPECT_EQ(std::memcmp(&recorder.Record().steps[0], &down, sizeof down), 0);
}

TEST(MacroRecorder, ChordOfTenKeysAtMost) {
    MacroRecorder recorder(MacroRecord{});
    EXPECT_FALSE(typeChord(recorder, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    const MacroRecord& r = recorder.Record();
    ASSERT_EQ(r.count, 2);
    const MacroEvent down{kKeyDown, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11}};
    EXPECT_EQ(std::memcmp(&r.steps[0], &down, sizeof down), 0);
}

TEST(MacroRecorder, InsertDelayBeforeAStepThenExtendIt) {
    MacroRecorder recorder(recordOf(3));
    recorder.SelectRow(1);
    recorder.InsertDelayAtSelection();
    const MacroRecord& r = recorder.Record();
    EXPECT_EQ(r.count, 4);
    EXPECT_EQ(r.length, 12);
    EXPECT_EQ(r.steps[1].kind, kDelay);
    EXPECT_EQ(StepDelay(r.steps[1]), 10);
    EXPECT_EQ(r.steps[2].kind, kMouseDown);
    EXPECT_EQ(recorder.SelRow(), 1);
    recorder.InsertDelayAtSelection();
    EXPECT_EQ(r.count, 4);
    EXPECT_EQ(r.length, 12);
    EXPECT_EQ(StepDelay(r.steps[1]), 20);
}

TEST(MacroRecorder, InsertDelayExtendsASelectedPause) {
    MacroRecord record = recordOf(1);
    StepData pause;
    pause.milliseconds = 100;
    AppendStep(record, kDelay, pause);
    MacroRecorder recorder(record);
    recorder.SelectRow(1);
    recorder.InsertDelayAtSelection();
    EXPECT_EQ(StepDelay(recorder.Record().steps[1]), 110);
    recorder.InsertDelayAtSelection();
    EXPECT_EQ(StepDelay(recorder.Record().steps[1]), 120);
    EXPECT_EQ(recorder.Record().count, 2);
    EXPECT_EQ(recorder.SelRow(), 1);
}

// A selection on an empty row past the end inserts at the end and moves onto the new pause, so the
// next press lengthens it instead of adding another.
TEST(MacroRecorder, InsertDelayPastTheEnd) {
    MacroRecorder recorder(recordOf(3));
    recorder.SelectRow(15);
    recorder.InsertDelayAtSelection();
    EXPECT_EQ(recorder.SelRow(), 3);
    recorder.InsertDelayAtSelection();
    EXPECT_EQ(recorder.Record().count, 4);
    EXPECT_EQ(StepDelay(recorder.Record().steps[3]), 20);
}

TEST(MacroRecorder, InsertDelayWithoutBudgetDoesNothing) {
    MacroRecord record = recordOf(3);
    record.length = 251;
    MacroRecorder recorder(record);
    recorder.SelectRow(7);
    recorder.InsertDelayAtSelection();
    EXPECT_EQ(recorder.Record().count, 3);
    EXPECT_EQ(recorder.Record().length, 251);
    EXPECT_EQ(recorder.SelRow(), 7);
}

struct DeleteCase {
    const char* name;
    int steps;
    int selection;
    int countAfter;
    int selectionAfter;
};

void PrintTo(const DeleteCase& c, std::ostream* out) { *out << c.name; }

class DeleteSelection : public testing::TestWithParam<DeleteCase> {};

TEST_P(DeleteSelection, SelectionRules) {
    const DeleteCase& c = GetParam();
    MacroRecorder recorder(recordOf(c.steps));
    recorder.SelectRow(c.selection);
    recorder.DeleteSelection();
    EXPECT_EQ(recorder.Record().count, c.countAfter);
    EXPECT_EQ(recorder.SelRow(), c.selectionAfter);
}

INSTANTIATE_TEST_SUITE_P(MacroRecorder, DeleteSelection,
                         testing::Values(DeleteCase{"LastOfSeveralMovesUp", 5, 4, 4, 3},
                                         DeleteCase{"MiddleStays", 5, 2, 4, 2},
                                         DeleteCase{"FirstStays", 5, 0, 4, 0},
                                         DeleteCase{"OnlyStepStaysAtZero", 1, 0, 0, 0},
                                         DeleteCase{"PastTheEndDoesNothing", 3, 3, 3, 3},
                                         DeleteCase{"FarPastTheEndDoesNothing", 3, 20, 3, 20},
                                         DeleteCase{"EmptyListDoesNothing", 0, 0, 0, 0}));

TEST(MacroRecorder, CleanStartsOver) {
    MacroRecorder recorder(recordOf(30));
    recorder.ToggleDelayAfterDown();
    recorder.ToggleDelayAfterUp();
    recorder.Scroll(-1);
    recorder.SelectRow(12);
    recorder.OnHookKeyDown(46);
    recorder.Spinner().Start(SpinDirection::Up);
    recorder.Clean();
    EXPECT_EQ(recorder.Record().count, 0);
    EXPECT_EQ(recorder.Record().length, 0);
    EXPECT_EQ(recorder.Record().steps[0].kind, 0);
    EXPECT_EQ(recorder.TopRow(), 0);
    EXPECT_EQ(recorder.SelRow(), 0);
    EXPECT_FALSE(recorder.DelayAfterDown());
    EXPECT_FALSE(recorder.DelayAfterUp());
    EXPECT_EQ(recorder.Spinner().Value(), 8);
    EXPECT_EQ(recorder.Spinner().Direction(), SpinDirection::Idle);
    EXPECT_TRUE(recorder.Chord().Empty());
    EXPECT_FALSE(recorder.OnHookKeyUp(46));  // the key held before Clean is forgotten
    EXPECT_EQ(recorder.Record().count, 0);
}

TEST(MacroRecorder, WheelScrollsWithinTheList) {
    MacroRecorder recorder(recordOf(25));
    EXPECT_FALSE(recorder.Scroll(120));  // already at the top
    EXPECT_EQ(recorder.VisibleSteps(), 20);
    for (int top = 1; top <= 5; ++top) {
        EXPECT_TRUE(recorder.Scroll(-120));
        EXPECT_EQ(recorder.TopRow(), top);
    }
    EXPECT_FALSE(recorder.Scroll(-120));
    EXPECT_FALSE(recorder.Scroll(0));
    EXPECT_EQ(recorder.VisibleSteps(), 20);
    EXPECT_TRUE(recorder.Scroll(1));
    EXPECT_EQ(recorder.TopRow(), 4);
}

TEST(MacroRecorder, AppendingScrollsTheNewStepIntoView) {
    MacroRecorder recorder(recordOf(25));
    EXPECT_FALSE(recorder.RecordMouse(MouseChoice::ScrollUp));
    EXPECT_EQ(recorder.SelRow(), 25);
    EXPECT_EQ(recorder.TopRow(), 6);

    MacroRecorder short_list(recordOf(19));
    EXPECT_EQ(short_list.VisibleSteps(), 19);
    EXPECT_FALSE(short_list.RecordMouse(MouseChoice::ScrollUp));
    EXPECT_EQ(short_list.TopRow(), 0);
    EXPECT_FALSE(short_list.RecordMouse(MouseChoice::ScrollUp));
    EXPECT_EQ(short_list.TopRow(), 1);
}

// A damaged file's count beyond the slots: the list never reaches past slot 255.
TEST(MacroRecorder, CountBeyondTheSlotsStaysInside) {
    MacroRecord record{};
    record.count = 100000;
    MacroRecorder recorder(record);
    int scrolled = 0;
    while (recorder.Scroll(-1)) ++scrolled;
    EXPECT_EQ(scrolled, kMacroSlots - kEditorVisibleSteps);
    EXPECT_EQ(recorder.VisibleSteps(), kEditorVisibleSteps);
    recorder.SelectRow(5000);
    recorder.DeleteSelection();
    EXPECT_EQ(recorder.SelRow(), 5000);
}

}  // namespace
}  // namespace voltrane
