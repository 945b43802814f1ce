#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <vector>

#include "capture/macro_choice.h"
#include "capture/macro_edit.h"
#include "settings/macro_store.h"

namespace voltrane {
namespace {

// A store's records: macro i has `steps(i)` delays of i ms, the rest of the 301 slots are empty.
template <typename Steps>
std::vector<MacroRecord> storeOf(int macros, Steps steps) {
    std::vector<MacroRecord> records(kMacroStoreSlots, MacroRecord{});
    for (int i = 0; i < macros; ++i) {
        StepData pause;
        pause.milliseconds = static_cast<uint16_t>(i);
        for (int s = 0; s < steps(i); ++s) AppendStep(records[i], kDelay, pause);
    }
    return records;
}

std::vector<MacroRecord> storeOf(int macros) {
    return storeOf(macros, [](int) { return 3; });
}

struct KeyCase {
    const char* name;
    int macros;
    std::vector<ListKey> keys;
    int selected;
    int top;
};

void PrintTo(const KeyCase& c, std::ostream* out) { *out << c.name; }

class ChoiceKeys : public testing::TestWithParam<KeyCase> {};

std::vector<ListKey> repeat(ListKey key, int times, std::vector<ListKey> before = {}) {
    before.insert(before.end(), times, key);
    return before;
}

TEST_P(ChoiceKeys, SelectAndScroll) {
    const KeyCase& c = GetParam();
    const std::vector<MacroRecord> records = storeOf(c.macros);
    MacroChoice choice(records, c.macros);
    for (ListKey key : c.keys) choice.OnListKey(key);
    EXPECT_EQ(choice.SelMacro(), c.selected);
    EXPECT_EQ(choice.MacroTop(), c.top);
    EXPECT_EQ(std::memcmp(&choice.Preview(), &records[c.selected], sizeof(MacroRecord)), 0);
}

INSTANTIATE_TEST_SUITE_P(
    MacroChoice, ChoiceKeys,
    testing::Values(
        KeyCase{"Opening", 30, {}, 0, 0},
        KeyCase{"DownTo20StaysOnTheFirstPage", 30, repeat(ListKey::Down, 20), 20, 0},
        KeyCase{"DownTo21Scrolls", 30, repeat(ListKey::Down, 21), 21, 1},
        KeyCase{"Down25Of30", 30, repeat(ListKey::Down, 25), 25, 5},
        KeyCase{"UpBackTo4MakesItTheTop", 30, repeat(ListKey::Up, 21, repeat(ListKey::Down, 25)), 4, 4},
        KeyCase{"UpWithinThePageKeepsTheTop", 30, repeat(ListKey::Up, 3, repeat(ListKey::Down, 25)), 22, 5},
        KeyCase{"DownStopsAtTheLast", 30, repeat(ListKey::Down, 40), 29, 9},
        KeyCase{"UpStopsAtTheFirst", 30, repeat(ListKey::Up, 2), 0, 0},
        KeyCase{"ThreeMacros", 3, repeat(ListKey::Down, 5), 2, 0},
        KeyCase{"EmptyStore", 0, {ListKey::Down, ListKey::Up}, 0, 0}));

TEST(MacroChoice, KeysReportAChange) {
    const std::vector<MacroRecord> records = storeOf(2);
    MacroChoice choice(records, 2);
    EXPECT_FALSE(choice.OnListKey(ListKey::Up));
    EXPECT_TRUE(choice.OnListKey(ListKey::Down));
    EXPECT_FALSE(choice.OnListKey(ListKey::Down));
}

TEST(MacroChoice, ClickSelectsAndPreviewsFromTheTop) {
    const std::vector<MacroRecord> records = storeOf(5, [](int i) { return 25 + i; });
    MacroChoice choice(records, 5);
    EXPECT_TRUE(choice.ScrollSteps(-120));
    EXPECT_EQ(choice.StepTop(), 1);
    EXPECT_TRUE(choice.SelectMacroRow(3));
    EXPECT_EQ(choice.SelMacro(), 3);
    EXPECT_EQ(choice.StepTop(), 0);
    EXPECT_EQ(std::memcmp(&choice.Preview(), &records[3], sizeof(MacroRecord)), 0);
    EXPECT_FALSE(choice.SelectMacroRow(3));  // already selected
    EXPECT_FALSE(choice.SelectMacroRow(5));  // past the macros
    EXPECT_FALSE(choice.SelectMacroRow(-1));
    EXPECT_EQ(choice.SelMacro(), 3);
}

// The step list scrolls down only while more than 21 steps lie from the top row on.
TEST(MacroChoice, WheelOverTheSteps) {
    struct Case {
        int steps;
        int scrolls;
    };
    const Case cases[] = {{0, 0}, {21, 0}, {22, 1}, {30, 9}, {83, 62}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.steps);
        const std::vector<MacroRecord> records = storeOf(1, [&](int) { return c.steps; });
        MacroChoice choice(records, 1);
        EXPECT_FALSE(choice.ScrollSteps(120));
        int scrolled = 0;
        while (choice.ScrollSteps(-120)) ++scrolled;
        EXPECT_EQ(scrolled, c.scrolls);
        EXPECT_EQ(choice.VisibleSteps(), std::min(c.steps, 21));
        EXPECT_EQ(choice.ScrollSteps(120), c.scrolls > 0);
    }
}

TEST(MacroChoice, WheelOverTheMacros) {
    const std::vector<MacroRecord> records = storeOf(30);
    MacroChoice choice(records, 30);
    EXPECT_FALSE(choice.ScrollMacros(120));
    int scrolled = 0;
    while (choice.ScrollMacros(-120)) ++scrolled;
    EXPECT_EQ(scrolled, 9);
    EXPECT_EQ(choice.MacroTop(), 9);
    EXPECT_EQ(choice.VisibleMacros(), 21);
    EXPECT_EQ(choice.SelMacro(), 0);  // the wheel does not select
    EXPECT_FALSE(choice.ScrollMacros(0));
}

TEST(MacroChoice, MacroListEndsAtTheFirstMacroWithoutSteps) {
    const std::vector<MacroRecord> records = storeOf(7, [](int i) { return i == 5 ? 0 : 2; });
    MacroChoice choice(records, 7);
    EXPECT_EQ(choice.VisibleMacros(), 5);
}

TEST(MacroChoice, StepListEndsAtTheFirstEmptySlot) {
    std::vector<MacroRecord> records = storeOf(1, [](int) { return 6; });
    records[0].steps[4].kind = 0;
    MacroChoice choice(records, 1);
    EXPECT_EQ(choice.VisibleSteps(), 4);
}

TEST(MacroChoice, Headings) {
    const std::vector<MacroRecord> records = storeOf(30, [](int i) { return i + 1; });
    MacroChoice choice(records, 30);
    choice.SelectMacroRow(11);
    EXPECT_EQ(choice.MacroHeading(2), u"Macros List 12/30");
    EXPECT_EQ(choice.StepHeading(2), u"Macros Settings 12");
    EXPECT_EQ(choice.MacroHeading(1), u"巨集列表 12/30");
    EXPECT_EQ(choice.StepHeading(5), u"Macros Settings 12");
}

TEST(MacroChoice, EmptyStore) {
    const std::vector<MacroRecord> records = storeOf(0);
    MacroChoice choice(records, 0);
    EXPECT_EQ(choice.MacroHeading(2), u"Macros List 1/0");
    EXPECT_EQ(choice.StepHeading(2), u"Macros Settings 0");
    EXPECT_EQ(choice.SelMacro(), static_cast<int>(choice.MacroCount()));
    EXPECT_EQ(choice.VisibleMacros(), 0);
    EXPECT_EQ(choice.VisibleSteps(), 0);
}

// A count beyond the records given, or beyond 300, is cut to them.
TEST(MacroChoice, CountStaysWithinTheRecords) {
    const std::vector<MacroRecord> few(5, MacroRecord{});
    EXPECT_EQ(MacroChoice(few, 1000).MacroCount(), 5u);
    const std::vector<MacroRecord> records = storeOf(0);
    EXPECT_EQ(MacroChoice(records, 1000).MacroCount(), 300u);
    const std::vector<MacroRecord> none;
    MacroChoice empty(none, 3);
    EXPECT_EQ(empty.MacroCount(), 0u);
    EXPECT_EQ(empty.Preview().count, 0);
}

}  // namespace
}  // namespace voltrane
