#include <gtest/gtest.h>

#include <cstring>
#include <ostream>

#include "capture/macro_edit.h"

namespace voltrane {
namespace {

MacroRecord emptyRecord() {
    MacroRecord r;
    std::memset(&r, 0, sizeof r);
    return r;
}

StepData keys(std::initializer_list<uint8_t> k) {
    StepData d;
    std::copy(k.begin(), k.end(), d.keys);
    return d;
}

StepData pause(uint16_t ms) {
    StepData d;
    d.milliseconds = ms;
    return d;
}

StepData buttons(uint8_t mask) {
    StepData d;
    d.buttons = mask;
    return d;
}

uint16_t delayOf(const MacroEvent& e) { return static_cast<uint16_t>(e.data[0] << 8 | e.data[1]); }

// Every slot at or past count must be zero.
bool slotsPastCountAreZero(const MacroRecord& r) {
    static const MacroEvent zero{};
    for (int i = r.count; i < kMacroSlots; ++i) {
        if (std::memcmp(&r.steps[i], &zero, sizeof zero) != 0) return false;
    }
    return true;
}

TEST(MacroRecord, AppendEncodesEachKind) {
    MacroRecord r = emptyRecord();
    EXPECT_EQ(AppendStep(r, kKeyDown, keys({70, 46})), 0);
    EXPECT_EQ(AppendStep(r, kKeyUp, keys({70, 46})), 1);
    EXPECT_EQ(r.length, 8);
    StepData wheel;
    wheel.wheel = 255;
    EXPECT_EQ(AppendStep(r, kMouseDown, wheel), 2);
    EXPECT_EQ(AppendStep(r, kMouseUp, buttons(4)), 3);
    EXPECT_EQ(AppendStep(r, kDelay, pause(0x1234)), 4);
    EXPECT_EQ(AppendStep(r, kDpiStep, StepData{}), 5);
    EXPECT_EQ(r.count, 6);
    EXPECT_EQ(r.length, 8 + 3 + 3 + 3 + 3);

    const MacroEvent expected[] = {
        {kKeyDown, {70, 46}}, {kKeyUp, {70, 46}},     {kMouseDown, {0, 255}},
        {kMouseUp, {4}},      {kDelay, {0x12, 0x34}}, {kDpiStep, {}},
    };
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(std::memcmp(&r.steps[i], &expected[i], sizeof(MacroEvent)), 0);
    }
    EXPECT_TRUE(slotsPastCountAreZero(r));
}

TEST(MacroRecord, AppendRefusedNearTheBudget) {
    struct Case {
        uint8_t length;
        uint8_t kind;
        bool accepted;
    };
    const Case cases[] = {
        {246, kMouseDown, true}, {248, kKeyDown, true}, {249, kDelay, false}, {249, kMouseUp, false},
        {255, kKeyUp, false},    {0, 4, false},         {0, 0, false},        {0, 200, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.length) << " kind " << int(c.kind));
        MacroRecord r = emptyRecord();
        r.length = c.length;
        EXPECT_EQ(AppendStep(r, c.kind, buttons(1)), c.accepted ? 0 : -1);
        EXPECT_EQ(r.count, c.accepted ? 1 : 0);
    }
    MacroRecord r = emptyRecord();
    r.length = 246;
    ASSERT_EQ(AppendStep(r, kMouseDown, buttons(1)), 0);
    EXPECT_EQ(r.length, 249);
    EXPECT_EQ(AppendStep(r, kMouseUp, buttons(1)), -1);
}

TEST(MacroRecord, DeleteGivesBackCostAndShifts) {
    MacroRecord r = emptyRecord();
    AppendStep(r, kKeyDown, keys({46}));
    AppendStep(r, kKeyUp, keys({46}));
    AppendStep(r, kMouseDown, buttons(1));
    DeleteStep(r, 0);
    EXPECT_EQ(r.count, 2);
    EXPECT_EQ(r.length, 6);
    EXPECT_EQ(r.steps[0].kind, kKeyUp);
    EXPECT_EQ(r.steps[1].kind, kMouseDown);
    EXPECT_TRUE(slotsPastCountAreZero(r));
    DeleteStep(r, 1);
    EXPECT_EQ(r.count, 1);
    EXPECT_TRUE(slotsPastCountAreZero(r));
    DeleteStep(r, 1);  // past the end
    DeleteStep(r, -1);
    EXPECT_EQ(r.count, 1);
    EXPECT_EQ(r.length, 3);
}

TEST(MacroRecord, DeleteCostByKind) {
    struct Case {
        uint8_t kind;
        int cost;
    };
    const Case cases[] = {{1, 3},  {2, 3},  {3, 3},  {4, 5}, {5, 5}, {6, 5},  {7, 3},
                          {17, 3}, {18, 3}, {19, 3}, {0, 0}, {8, 0}, {255, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.kind));
        MacroRecord r = emptyRecord();
        r.count = 1;
        r.length = 20;
        r.steps[0].kind = c.kind;
        DeleteStep(r, 0);
        EXPECT_EQ(r.length, 20 - c.cost);
        EXPECT_EQ(r.count, 0);
    }
    // A damaged record whose budget is below the step's cost stays at 0 instead of wrapping.
    MacroRecord r = emptyRecord();
    r.count = 1;
    r.length = 2;
    r.steps[0].kind = kKeyDown;
    DeleteStep(r, 0);
    EXPECT_EQ(r.length, 0);
}

TEST(MacroRecord, InsertDelay) {
    MacroRecord r = emptyRecord();
    for (int i = 0; i < 5; ++i) AppendStep(r, kKeyDown, keys({uint8_t(46 + i)}));
    InsertDelay(r, 3, 100);
    EXPECT_EQ(r.count, 6);
    EXPECT_EQ(r.length, 28);
    EXPECT_EQ(r.steps[3].kind, kDelay);
    EXPECT_EQ(delayOf(r.steps[3]), 100);
    EXPECT_EQ(r.steps[4].kind, kKeyDown);
    EXPECT_EQ(r.steps[4].data[0], 49);

    InsertDelay(r, 3, 10);  // lengthens the delay already there
    EXPECT_EQ(r.count, 6);
    EXPECT_EQ(r.length, 28);
    EXPECT_EQ(delayOf(r.steps[3]), 110);

    InsertDelay(r, 3, 65530);  // the sum stops at the longest pause
    EXPECT_EQ(delayOf(r.steps[3]), 65535);

    InsertDelay(r, 50, 7);  // past the end: appended, no gap
    EXPECT_EQ(r.count, 7);
    EXPECT_EQ(r.steps[6].kind, kDelay);
    EXPECT_EQ(delayOf(r.steps[6]), 7);
    EXPECT_TRUE(slotsPastCountAreZero(r));

    InsertDelay(r, -1, 7);
    EXPECT_EQ(r.count, 7);
}

struct LengthenCase {
    const char* name;
    uint16_t pause;     // the Delay step already there
    uint16_t inserted;  // the pause inserted at it
    uint16_t expected;
};

void PrintTo(const LengthenCase& c, std::ostream* out) { *out << c.name; }

class LengthenDelay : public testing::TestWithParam<LengthenCase> {};

TEST_P(LengthenDelay, SumStopsAtTheLongestPause) {
    const LengthenCase& c = GetParam();
    MacroRecord r = emptyRecord();
    AppendStep(r, kKeyDown, keys({46}));
    AppendStep(r, kDelay, pause(c.pause));
    InsertDelay(r, 1, c.inserted);
    EXPECT_EQ(delayOf(r.steps[1]), c.expected);
    EXPECT_EQ(r.count, 2);
    EXPECT_EQ(r.length, 8);
    EXPECT_TRUE(slotsPastCountAreZero(r));
}

INSTANTIATE_TEST_SUITE_P(MacroRecord, LengthenDelay,
                         testing::Values(LengthenCase{"BelowTheLimit", 100, 10, 110},
                                         LengthenCase{"ByNothing", 500, 0, 500},
                                         LengthenCase{"ExactlyToTheLimit", 65530, 5, 65535},
                                         LengthenCase{"OneMsPastTheLimit", 65530, 6, 65535},
                                         LengthenCase{"FarPastTheLimit", 65530, 110, 65535},
                                         LengthenCase{"LongestPlusLongest", 65535, 65535, 65535},
                                         LengthenCase{"ZeroPlusLongest", 0, 65535, 65535},
                                         LengthenCase{"LowByteCarries", 0x00FF, 1, 0x0100}),
                         [](const testing::TestParamInfo<LengthenCase>& info) { return info.param.name; });

TEST(MacroRecord, InsertDelayRefusedWhenBudgetIsFull) {
    MacroRecord r = emptyRecord();
    AppendStep(r, kKeyDown, keys({46}));
    r.length = 251;
    InsertDelay(r, 0, 5);
    EXPECT_EQ(r.count, 1);
    EXPECT_EQ(r.length, 251);
    r.length = 250;
    InsertDelay(r, 0, 5);
    EXPECT_EQ(r.count, 2);
    EXPECT_EQ(r.length, 253);
}

TEST(MacroRecord, ClearAndDamagedCounts) {
    MacroRecord r = emptyRecord();
    AppendStep(r, kKeyDown, keys({46}));
    ClearRecord(r);
    EXPECT_EQ(r.count, 0);
    EXPECT_EQ(r.length, 0);
    EXPECT_TRUE(slotsPastCountAreZero(r));

    // Counts from a damaged file never move steps outside the 256 slots.
    for (int32_t count : {-5, 256, 300, 1 << 30}) {
        SCOPED_TRACE(count);
        MacroRecord d = emptyRecord();
        d.count = count;
        EXPECT_EQ(AppendStep(d, kMouseDown, buttons(1)), count < 0 ? 0 : -1);
        InsertDelay(d, 0, 5);
        DeleteStep(d, 255);
        DeleteStep(d, count);
        EXPECT_LE(d.count, kMacroSlots);
    }
}

}  // namespace
}  // namespace voltrane
