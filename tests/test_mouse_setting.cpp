#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "setting_fixture.h"
#include "settings/mouse_setting.h"

namespace voltrane {
namespace {

// Every item whose default is not 0.
const std::map<int, int32_t> kNonZeroDefaults = {
    {0, 1},          {1, 2},          {2, 3},          {3, 5},          {4, 4},          {5, 24},
    {6, 25},         {7, 22},         {8, 23},         {9, 28},         {14, 1},         {22, 1},
    {24, 1},         {28, 1},         {32, 1},         {36, 1},         {39, 1},         {52, 9},
    {53, 9},         {54, 9},         {55, 1},         {70, 1},         {82, 4},         {83, 2},
    {84, 4},         {88, 1},         {92, 1},         {104, 0xFF0000}, {105, 0x0000FF}, {106, 0x00FF00},
    {107, 0xFF0000}, {108, 0xFF00FF}, {109, 0x00FFFF}, {110, 0xFFFF00}, {111, 0xFFFFFF}, {125, 1},
};

TEST(MouseSetting, ResetToDefaults) {
    MouseSetting s;
    for (auto& v : s.m_nItem) v = -3;
    s.m_KeyData[4][9] = 7;
    s.m_MacroData[9][254] = 7;
    s.m_nMacroDataLen[2] = 30;
    s.m_strButtonMacro[3] = u"macro";
    s.ResetToDefaults();
    for (int i = 0; i < kItemCount; ++i) {
        SCOPED_TRACE(i);
        auto it = kNonZeroDefaults.find(i);
        EXPECT_EQ(s.m_nItem[i], it == kNonZeroDefaults.end() ? 0 : it->second);
    }
    EXPECT_EQ(s.m_KeyData[4][9], 0);
    EXPECT_EQ(s.m_MacroData[9][254], 0);
    EXPECT_TRUE(s.m_strButtonMacro[3].empty());
    EXPECT_EQ(s.m_nMacroDataLen[2], 30);  // the length is not part of a reset
}

struct RuleCase {
    const char* name;
    std::map<int, int32_t> before;  // set on top of the defaults
    int item;
    std::map<int, int32_t> after;  // expected changes; every other item keeps its value
};

void PrintTo(const RuleCase& c, std::ostream* os) { *os << c.name; }

class EditRule : public testing::TestWithParam<RuleCase> {};

TEST_P(EditRule, ChangesExactlyTheExpectedItems) {
    const RuleCase& c = GetParam();
    MouseSetting s = defaults();
    for (auto [item, value] : c.before) s.m_nItem[item] = value;
    const MouseSetting before = s;

    const std::vector<int> changed = s.ApplyEditRule(c.item);

    std::vector<int> expectedChanged;
    for (int i = 0; i < kItemCount; ++i) {
        SCOPED_TRACE(i);
        auto it = c.after.find(i);
        const int32_t expected = it == c.after.end() ? before.m_nItem[i] : it->second;
        EXPECT_EQ(s.m_nItem[i], expected);
        if (expected != before.m_nItem[i]) expectedChanged.push_back(i);
    }
    EXPECT_EQ(changed, expectedChanged);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, EditRule,
    testing::Values(
        RuleCase{"SingleFromColorShift", {{14, 0}, {15, 1}}, 14, {{14, 1}, {15, 0}}},
        RuleCase{"ColorShiftTurnsBreathingOn", {}, 15, {{14, 0}, {15, 1}, {16, 1}}},
        RuleCase{"BreathingTogglesInSingle", {}, 16, {{16, 1}}},
        RuleCase{"BreathingTogglesOff", {{16, 1}}, 16, {{16, 0}}},
        RuleCase{"BreathingIgnoredInColorShift", {{14, 0}, {15, 1}, {16, 1}}, 16, {}},
        RuleCase{"ShineUp", {}, 17, {{36, 2}}}, RuleCase{"ShineUpSaturates", {{36, 3}}, 17, {}},
        RuleCase{"ShineDown", {}, 18, {{36, 0}}}, RuleCase{"ShineDownSaturates", {{36, 0}}, 18, {}},
        RuleCase{"ReportRate", {}, 20, {{20, 1}, {22, 0}}},
        RuleCase{"ReportRate1000", {}, 23, {{22, 0}, {23, 1}}},
        RuleCase{"Lamp1On", {}, 25, {{24, 0}, {25, 1}}},
        RuleCase{"Lamp1OffZeroesLevel", {{24, 0}, {25, 1}, {37, 2}}, 24, {{24, 1}, {25, 0}, {37, 0}}},
        RuleCase{"Lamp1UpWhileOn", {{24, 0}, {25, 1}}, 26, {{37, 1}}},
        RuleCase{"Lamp1UpWhileOff", {}, 26, {}},
        RuleCase{"Lamp1UpSaturates", {{24, 0}, {25, 1}, {37, 3}}, 26, {}},
        RuleCase{"Lamp1Down", {{24, 0}, {25, 1}, {37, 2}}, 27, {{37, 1}}},
        RuleCase{"Lamp1DownSaturates", {{24, 0}, {25, 1}}, 27, {}},
        RuleCase{"Lamp2On", {}, 29, {{28, 0}, {29, 1}}},
        RuleCase{"Lamp2OffZeroesLevel", {{28, 0}, {29, 1}, {38, 3}}, 28, {{28, 1}, {29, 0}, {38, 0}}},
        RuleCase{"Lamp2Up", {{28, 0}, {29, 1}}, 30, {{38, 1}}},
        RuleCase{"Lamp2DownWhileOff", {{38, 2}}, 31, {}},
        RuleCase{"Lamp3Off", {{32, 0}, {33, 1}}, 32, {{32, 1}, {33, 0}, {39, 0}}},
        RuleCase{"Lamp3Up", {{32, 0}, {33, 1}}, 34, {{39, 2}}},
        RuleCase{"Lamp3Down", {{32, 0}, {33, 1}}, 35, {{39, 0}}}, RuleCase{"Lamp3UpWhileOff", {}, 34, {}},
        RuleCase{"DpiUp", {}, 46, {{55, 2}}}, RuleCase{"DpiUpSaturates", {{55, 4}}, 46, {}},
        RuleCase{"DpiDown", {}, 47, {{55, 0}}}, RuleCase{"DpiDownSaturates", {{55, 0}}, 47, {}},
        RuleCase{"Precision", {}, 69, {{69, 1}}}, RuleCase{"PrecisionOff", {{69, 1}}, 69, {{69, 0}}},
        RuleCase{"ScreenAtATime", {}, 71, {{70, 0}, {71, 1}}},
        RuleCase{"Lines", {{70, 0}, {71, 1}}, 70, {{70, 1}, {71, 0}}},
        RuleCase{"Profile3", {{115, 1}}, 117, {{115, 0}, {117, 1}}},
        RuleCase{"AdvancedTab", {}, 126, {{125, 0}, {126, 1}}},
        RuleCase{"BasicTabFromColour", {{125, 0}, {127, 1}}, 125, {{125, 1}, {127, 0}}},
        RuleCase{"NoRuleForCaption", {}, 10, {}}, RuleCase{"NoRuleForApply", {}, 129, {}},
        RuleCase{"NoItem", {}, kNoItem, {}}, RuleCase{"NegativeItem", {}, -1, {}},
        RuleCase{"SliderTrackHasNoClickRule", {}, 51, {}}),
    [](const testing::TestParamInfo<RuleCase>& info) { return info.param.name; });

TEST(MouseSetting, LampOffThenOnKeepsLevelZero) {
    MouseSetting s = defaults();
    s.ApplyEditRule(25);
    s.ApplyEditRule(26);
    s.ApplyEditRule(26);
    ASSERT_EQ(s.m_nItem[37], 2);
    s.ApplyEditRule(24);
    s.ApplyEditRule(25);
    EXPECT_EQ(s.m_nItem[37], 0);
    EXPECT_EQ(s.m_nItem[25], 1);
}

TEST(MouseSetting, SliderValues) {
    MouseSetting s = defaults();
    const std::pair<int, int> sliders[] = {{51, 55}, {78, 82}, {79, 83}, {80, 84}};
    for (auto [track, item] : sliders) {
        EXPECT_EQ(s.SetSliderValue(track, 7), (std::vector<int>{track, item}));
        EXPECT_EQ(s.m_nItem[item], 7) << track;
    }
    MouseSetting untouched = defaults();
    s = defaults();
    EXPECT_TRUE(s.SetSliderValue(77, 3).empty());   // not a slider track
    EXPECT_TRUE(s.SetSliderValue(127, 3).empty());  // would reach past the items
    EXPECT_TRUE(std::equal(std::begin(s.m_nItem), std::end(s.m_nItem), untouched.m_nItem));
}

TEST(MouseSetting, AssignKeyCombo) {
    MouseSetting s = defaults();
    s.m_strButtonMacro[2] = u"old";
    const uint8_t keys[kKeyStringLength] = {70, 46};
    s.AssignKeyCombo(2, keys);
    EXPECT_EQ(s.m_nItem[2], kFunctionKeyboard);
    EXPECT_EQ(s.m_KeyData[2][0], 70);
    EXPECT_EQ(s.m_KeyData[2][1], 46);
    EXPECT_TRUE(s.m_strButtonMacro[2].empty());

    // An empty capture keeps the function and the old keys but still drops the macro name.
    s.m_nItem[3] = kFunctionMacro;
    s.m_KeyData[3][0] = 9;
    s.m_strButtonMacro[3] = u"old";
    const uint8_t none[kKeyStringLength] = {};
    s.AssignKeyCombo(3, none);
    EXPECT_EQ(s.m_nItem[3], kFunctionMacro);
    EXPECT_EQ(s.m_KeyData[3][0], 9);
    EXPECT_TRUE(s.m_strButtonMacro[3].empty());

    MouseSetting before = s;
    s.AssignKeyCombo(10, keys);
    s.AssignKeyCombo(-1, keys);
    EXPECT_TRUE(std::equal(std::begin(s.m_nItem), std::end(s.m_nItem), before.m_nItem));
}

TEST(MouseSetting, AssignFunctionKeepsButtonData) {
    MouseSetting s = defaults();
    s.m_KeyData[4][0] = 46;
    s.m_strButtonMacro[4] = u"name";
    s.AssignFunction(4, 13);
    EXPECT_EQ(s.m_nItem[4], 13);
    EXPECT_EQ(s.m_KeyData[4][0], 46);
    EXPECT_EQ(s.m_strButtonMacro[4], u"name");
    s.AssignFunction(kButtonCount, 13);  // out of range: ignored
    EXPECT_EQ(s.m_nItem[kButtonCount], 0);
}

}  // namespace
}  // namespace voltrane
