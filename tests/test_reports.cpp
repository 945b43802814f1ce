#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "device/reports.h"
#include "device/step_records.h"
#include "setting_fixture.h"

namespace voltrane {
namespace {

using Bytes = std::vector<uint8_t>;
using ItemValues = std::vector<std::pair<int, int32_t>>;

MouseSetting withItems(const ItemValues& items) {
    MouseSetting s = defaults();
    for (auto [item, value] : items) s.m_nItem[item] = value;
    return s;
}

// ---- settings report ----

struct SettingsBuildCase {
    const char* name;
    ItemValues items;  // on top of the defaults
    SettingsReport expected;
};

TEST(SettingsReport, Build) {
    const SettingsBuildCase cases[] = {
        {"Defaults", {}, {3, 1, 2, 0, 8, 0, 0, 0}},
        {"RedOnLevel2KeepsModeBits", {{24, 0}, {25, 1}, {37, 2}, {16, 1}}, {3, 1, 2, 1, 8, 6, 0, 0}},
        {"AllLedsOffClearsMode", {{16, 1}, {37, 3}, {38, 3}, {39, 3}}, {3, 1, 2, 0, 8, 0, 0, 0}},
        {"ColorShiftSendsEveryLevel",
         {{14, 0}, {15, 1}, {16, 1}, {37, 1}, {38, 2}, {39, 3}},
         {3, 1, 2, 3, 8, 3, 6, 9}},
        {"ColorShiftAllLevelsZero",
         {{14, 0}, {15, 1}, {16, 1}, {37, 0}, {38, 0}, {39, 0}},
         {3, 1, 2, 0, 8, 0, 0, 0}},
        {"OnItemMustBeOne", {{25, 2}, {37, 1}, {33, 1}, {39, 1}, {15, 2}}, {3, 1, 2, 0, 8, 0, 0, 3}},
        {"BreathingMustBeOne", {{16, 2}, {33, 1}}, {3, 1, 2, 0, 8, 0, 0, 3}},
        {"NoRateSet", {{22, 0}}, {3, 1, 0, 0, 8, 0, 0, 0}},
        {"Rate125WinsOverLater", {{20, 1}, {23, 1}}, {3, 1, 0, 0, 8, 0, 0, 0}},
        {"Rate250", {{21, 1}, {22, 0}}, {3, 1, 1, 0, 8, 0, 0, 0}},
        {"Rate1000AnyNonzero", {{22, 0}, {23, 5}}, {3, 1, 3, 0, 8, 0, 0, 0}},
        {"DpiLowByte", {{55, 0x1234}}, {3, 0x34, 2, 0, 8, 0, 0, 0}},
        {"DpiNegative", {{55, -1}}, {3, 0xFF, 2, 0, 8, 0, 0, 0}},
        {"Shine0", {{36, 0}}, {3, 1, 2, 0, 4, 0, 0, 0}},
        {"Shine2", {{36, 2}}, {3, 1, 2, 0, 11, 0, 0, 0}},
        {"Shine3", {{36, 3}}, {3, 1, 2, 0, 15, 0, 0, 0}},
        {"Shine7", {{36, 7}}, {3, 1, 2, 0, 15, 0, 0, 0}},
        {"ShineNegativeTakesFirst", {{36, -5}}, {3, 1, 2, 0, 4, 0, 0, 0}},
        {"ShineMinTakesFirst", {{36, INT_MIN}}, {3, 1, 2, 0, 4, 0, 0, 0}},
        {"ShineHugeTakesLast", {{36, 1000000}}, {3, 1, 2, 0, 15, 0, 0, 0}},
        {"ShineMaxTakesLast", {{36, INT_MAX}}, {3, 1, 2, 0, 15, 0, 0, 0}},
        {"LevelNegativeTakesZero", {{25, 1}, {37, -1}}, {3, 1, 2, 0, 8, 0, 0, 0}},
        {"LevelAboveRangeTakesThree", {{25, 1}, {37, 86}}, {3, 1, 2, 0, 8, 9, 0, 0}},
        {"LevelMax", {{29, 1}, {38, INT_MAX}}, {3, 1, 2, 0, 8, 0, 9, 0}},
        {"LevelMin", {{33, 1}, {39, INT_MIN}}, {3, 1, 2, 0, 8, 0, 0, 0}},
        {"LevelThatWouldWrapKeepsMode", {{16, 1}, {25, 1}, {37, 256}}, {3, 1, 2, 1, 8, 9, 0, 0}},
    };
    for (const SettingsBuildCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(BuildSettingsReport(withItems(c.items)), c.expected);
    }
}

// A decode sets only the items the report carries; every other item keeps this value.
constexpr int32_t kUntouched = 77;

struct SettingsDecodeCase {
    const char* name;
    SettingsReport report;
    std::map<int, int32_t> expected;  // items not listed keep kUntouched
};

TEST(SettingsReport, Decode) {
    // What a report of zeros (rate byte aside) sets.
    const std::map<int, int32_t> base = {{14, 1}, {15, 0}, {16, 0}, {24, 1}, {25, 0}, {28, 1},
                                         {29, 0}, {32, 1}, {33, 0}, {36, 0}, {55, 0}};
    auto with = [&](const ItemValues& changes) {
        std::map<int, int32_t> all = base;
        for (auto [item, value] : changes) all[item] = value;
        return all;
    };
    const SettingsDecodeCase cases[] = {
        {"Rate0", {3, 0, 0, 0, 0, 0, 0, 0}, with({{20, 1}, {21, 0}, {22, 0}, {23, 0}})},
        {"Rate1", {3, 0, 1, 0, 0, 0, 0, 0}, with({{20, 0}, {21, 1}, {22, 0}, {23, 0}})},
        {"Rate2", {3, 0, 2, 0, 0, 0, 0, 0}, with({{20, 0}, {21, 0}, {22, 1}, {23, 0}})},
        {"Rate3", {3, 0, 3, 0, 0, 0, 0, 0}, with({{20, 0}, {21, 0}, {22, 0}, {23, 1}})},
        {"Rate7LeavesRateItems", {3, 0, 7, 0, 0, 0, 0, 0}, with({})},
        {"Dpi", {3, 200, 7, 0, 0, 0, 0, 0}, with({{55, 200}})},
        {"Breathing", {3, 0, 7, 1, 0, 0, 0, 0}, with({{16, 1}})},
        {"ColorShift", {3, 0, 7, 2, 0, 0, 0, 0}, with({{14, 0}, {15, 1}})},
        {"BothModeBits", {3, 0, 7, 0xFF, 0, 0, 0, 0}, with({{14, 0}, {15, 1}, {16, 1}})},
        {"OtherModeBitsIgnored", {3, 0, 7, 0xFC, 0, 0, 0, 0}, with({})},
        {"Shine15", {3, 0, 7, 0, 15, 0, 0, 0}, with({{36, 3}})},
        {"Shine12", {3, 0, 7, 0, 12, 0, 0, 0}, with({{36, 3}})},
        {"Shine11", {3, 0, 7, 0, 11, 0, 0, 0}, with({{36, 2}})},
        {"Shine9", {3, 0, 7, 0, 9, 0, 0, 0}, with({{36, 2}})},
        {"Shine8", {3, 0, 7, 0, 8, 0, 0, 0}, with({{36, 1}})},
        {"Shine5", {3, 0, 7, 0, 5, 0, 0, 0}, with({{36, 1}})},
        {"Shine4", {3, 0, 7, 0, 4, 0, 0, 0}, with({{36, 0}})},
        {"Shine255", {3, 0, 7, 0, 255, 0, 0, 0}, with({{36, 3}})},
        {"LedLevels9_3_6",
         {3, 0, 7, 0, 0, 9, 3, 6},
         with({{24, 0}, {25, 1}, {37, 3}, {28, 0}, {29, 1}, {38, 1}, {32, 0}, {33, 1}, {39, 2}})},
        {"LedLevel1", {3, 0, 7, 0, 0, 1, 0, 0}, with({{24, 0}, {25, 1}, {37, 1}})},
        {"LedHighBitsIgnored",
         {3, 0, 7, 0, 0, 0, 0xFD, 0x10},
         with({{28, 0}, {29, 1}, {38, 3}, {32, 0}, {33, 1}, {39, 0}})},
        {"LedZeroKeepsLevel", {3, 0, 7, 0, 0, 0, 0, 0}, with({})},
    };
    for (const SettingsDecodeCase& c : cases) {
        SCOPED_TRACE(c.name);
        MouseSetting s;
        std::fill(std::begin(s.m_nItem), std::end(s.m_nItem), kUntouched);
        DecodeSettingsReport(c.report, s);
        for (int item = 0; item < kItemCount; ++item) {
            SCOPED_TRACE(item);
            const auto it = c.expected.find(item);
            EXPECT_EQ(s.m_nItem[item], it == c.expected.end() ? kUntouched : it->second);
        }
    }
}

struct LevelMapCase {
    const char* name;
    uint8_t ledByte;  // nonzero: the LED is on
    int32_t level;
};

// Every entry of the level map: an LED byte reads back as the level of its low 4 bits, on each LED.
TEST(SettingsReport, DecodeEveryLevelMapEntry) {
    const LevelMapCase cases[] = {
        {"LowBits0", 0x10, 0}, {"Byte1", 0x01, 1},  {"Byte2", 0x02, 1},  {"Byte3", 0x03, 1},
        {"Byte4", 0x04, 1},    {"Byte5", 0x05, 1},  {"Byte6", 0x06, 2},  {"Byte7", 0x07, 2},
        {"Byte8", 0x08, 2},    {"Byte9", 0x09, 3},  {"Byte10", 0x0A, 3}, {"Byte11", 0x0B, 3},
        {"Byte12", 0x0C, 3},   {"Byte13", 0x0D, 3}, {"Byte14", 0x0E, 3}, {"Byte15", 0x0F, 3},
    };
    for (const LevelMapCase& c : cases) {
        for (size_t lamp = 0; lamp < std::size(kLampItems); ++lamp) {
            SCOPED_TRACE(std::string(c.name) + " on LED " + std::to_string(lamp));
            SettingsReport report = {3, 0, 7, 0, 0, 0, 0, 0};
            report[5 + lamp] = c.ledByte;
            MouseSetting s;
            std::fill(std::begin(s.m_nItem), std::end(s.m_nItem), kUntouched);
            DecodeSettingsReport(report, s);
            EXPECT_EQ(s.m_nItem[kLampItems[lamp].level], c.level);
            EXPECT_EQ(s.m_nItem[kLampItems[lamp].on], 1);
            EXPECT_EQ(s.m_nItem[kLampItems[lamp].off], 0);
        }
    }
}

// ---- button report: writing ----

uint16_t entry(const ButtonReport& r, int k) {
    return static_cast<uint16_t>(r[1 + 2 * k] | r[2 + 2 * k] << 8);
}

// Data offsets [from, to).
Bytes dataBytes(const ButtonReport& r, int from, int to) {
    return Bytes(r.begin() + 1 + from, r.begin() + 1 + to);
}

bool zeroFrom(const ButtonReport& r, int from) {
    return std::all_of(r.begin() + 1 + from, r.end(), [](uint8_t b) { return b == 0; });
}

// Every button from 2 on set to `code`.
MouseSetting allButtons(int32_t code) {
    MouseSetting s = defaults();
    std::fill(s.m_nItem + 1, s.m_nItem + kButtonCount, code);
    return s;
}

void setMacro(MouseSetting& s, int button, const Bytes& records, int length) {
    s.m_nItem[button - 1] = kFunctionMacro;
    std::memset(s.m_MacroData[button - 1], 0, kMacroRowBytes);
    std::copy(records.begin(), records.end(), s.m_MacroData[button - 1]);
    s.m_nMacroDataLen[button - 1] = length;
}

void setMacro(MouseSetting& s, int button, const Bytes& records) {
    setMacro(s, button, records, static_cast<int>(records.size()));
}

void setKeys(MouseSetting& s, int button, Bytes keys) {
    s.m_nItem[button - 1] = kFunctionKeyboard;
    std::memset(s.m_KeyData[button - 1], 0, kKeyStringLength);
    std::copy(keys.begin(), keys.end(), s.m_KeyData[button - 1]);
}

// Key-table rows used below.
constexpr uint8_t kLCtrl = 70, kLShift = 58, kLAlt = 72, kLWin = 71;
constexpr uint8_t kA = 46, kB = 63, kC = 61, kD = 48, kE = 34, kF = 49, kG = 50, kTab = 31;

// A 3-record macro: A down with 50 ms, keys up, left press.
const Bytes kMacroA = {0x60, 0, 0x04, 0, 0, 0,    0,    0, 0x32, 0, 0x60, 0, 0, 0, 0,
                       0,    0, 0,    0, 0, 0x20, 0x01, 0, 0,    0, 0,    0, 0, 0, 0};
// A 2-record macro: right press with 1 s, right release.
const Bytes kMacroB = {0x20, 0x02, 0, 0, 0, 0, 0, 0, 0xE8, 0x03, 0xA0, 0x02, 0, 0, 0, 0, 0, 0, 0, 0};
// A 3-record macro that starts with a DPI step.
const Bytes kMacroDpiFirst = {0x40, 0x01, 0, 0, 0, 0,    0, 0, 0, 0, 0x60, 0x01, 0x06, 0, 0,
                              0,    0,    0, 0, 0, 0x60, 0, 0, 0, 0, 0,    0,    0,    0, 0};

Bytes withButton(Bytes records, int button) {
    for (size_t at = 0; at < records.size(); at += kStepRecordBytes) records[at] |= button;
    return records;
}

TEST(ButtonReport, RecordOfEachCode) {
    const struct {
        int32_t code;
        Bytes record;  // on button 2
    } cases[] = {
        {1, {0x22, 0x01, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF}},
        {2, {0x22, 0x02, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF}},
        {3, {0x22, 0x04, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF}},
        {4, {0x22, 0x08, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF}},
        {5, {0x22, 0x10, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF}},
        {6, {0x22, 0x01, 0, 0, 0, 0, 0, 0, 0x0F, 0, 0xA2, 0x01, 0, 0, 0, 0, 0, 0, 0x0F, 0,
             0x22, 0x01, 0, 0, 0, 0, 0, 0, 0x0F, 0, 0xA2, 0x01, 0, 0, 0, 0, 0, 0, 0x0F, 0}},
        {7, {0x62, 0x02, 0x04, 0x05, 0, 0, 0, 0, 0xFF, 0xFF}},  // LShift+A+B
        {13, {0x62, 0x01, 0x06, 0, 0, 0, 0, 0, 0, 0}},
        {14, {0x62, 0x01, 0x19, 0, 0, 0, 0, 0, 0, 0}},
        {15, {0x62, 0x01, 0x1B, 0, 0, 0, 0, 0, 0, 0}},
        {16, {0x62, 0x01, 0x04, 0, 0, 0, 0, 0, 0, 0}},
        {17, {0x62, 0x01, 0x09, 0, 0, 0, 0, 0, 0, 0}},
        {18, {0x62, 0x01, 0x11, 0, 0, 0, 0, 0, 0, 0}},
        {19, {0x62, 0x01, 0x13, 0, 0, 0, 0, 0, 0, 0}},
        {20, {0x62, 0x01, 0x16, 0, 0, 0, 0, 0, 0, 0}},
        {21, {0x62, 0x01, 0x1D, 0, 0, 0, 0, 0, 0, 0}},
        {22, {0x82, 0, 0, 0x02, 0, 0, 0, 0, 0, 0}},
        {23, {0x62, 0x08, 0, 0, 0, 0, 0, 0, 0, 0}},
        {24, {0x42, 0x01, 0, 0, 0, 0, 0, 0, 0, 0}},
        {25, {0x42, 0x02, 0, 0, 0, 0, 0, 0, 0, 0}},
        {26, {0x42, 0x00, 0, 0, 0, 0, 0, 0, 0, 0}},
        {27, {0x62, 0x04, 0x2B, 0, 0, 0, 0, 0, 0, 0}},
        {28, {0x62, 0x04, 0x3D, 0, 0, 0, 0, 0, 0, 0}},
        {29, {0x62, 0x08, 0x08, 0, 0, 0, 0, 0, 0, 0}},
        {30, {0x62, 0x08, 0x15, 0, 0, 0, 0, 0, 0, 0}},
        {31, {0x62, 0x08, 0x07, 0, 0, 0, 0, 0, 0, 0}},
        {32, {0x62, 0x08, 0x0F, 0, 0, 0, 0, 0, 0, 0}},
        {33, {0x82, 0x08, 0, 0, 0, 0, 0, 0, 0, 0}},
        {34, {0x82, 0x04, 0, 0, 0, 0, 0, 0, 0, 0}},
        {35, {0x82, 0x01, 0, 0, 0, 0, 0, 0, 0, 0}},
        {36, {0x82, 0x02, 0, 0, 0, 0, 0, 0, 0, 0}},
        {37, {0x82, 0x40, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF}},
        {38, {0x82, 0x80, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF}},
        {39, {0x82, 0x10, 0, 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        MouseSetting s = allButtons(kFunctionDisable);
        s.m_nItem[1] = c.code;
        s.m_KeyData[1][0] = kLShift;
        s.m_KeyData[1][1] = kA;
        s.m_KeyData[1][2] = kB;
        const ButtonReportBuild build = BuildButtonReport(s);
        ASSERT_EQ(build.overflowButton, 0);
        EXPECT_EQ(entry(build.report, 1), 48);
        const int end = 48 + static_cast<int>(c.record.size());
        EXPECT_EQ(dataBytes(build.report, 48, end), c.record);
        EXPECT_TRUE(zeroFrom(build.report, end));
    }
}

struct AddressCase {
    const char* name;
    MouseSetting setting;
    std::array<uint16_t, kButtonCount> entries;
    Bytes records;  // data offset 48 on; everything after them is zero
};

TEST(ButtonReport, AddressTable) {
    const uint16_t off = kNoRecords;
    MouseSetting doubleCopy = allButtons(kFunctionDisable);
    doubleCopy.m_nItem[1] = kFunctionDoubleClick;
    doubleCopy.m_nItem[2] = 13;
    MouseSetting headings = allButtons(kFunctionDisable);
    const int32_t notSent[] = {9, 10, 11, 0, -1, 40, INT_MIN, INT_MAX};
    std::copy(std::begin(notSent), std::end(notSent), headings.m_nItem + 1);
    MouseSetting emptyMacro = allButtons(kFunctionDisable);
    setMacro(emptyMacro, 2, {});
    emptyMacro.m_nItem[2] = kFunctionLeft;
    setMacro(emptyMacro, 10, {});
    MouseSetting keysAtoG = allButtons(kFunctionDisable);
    setKeys(keysAtoG, 2, {kLCtrl, kLShift, kA, kB, kC, kD, kE, kF, kG});
    MouseSetting dirtyButtonBits = allButtons(kFunctionDisable);
    Bytes dirty = kMacroB;
    dirty[0] |= 0x1F;
    dirty[10] |= 0x05;
    setMacro(dirtyButtonBits, 4, dirty);

    const AddressCase cases[] = {
        {"AllDisabled", allButtons(kFunctionDisable), {0, off, off, off, off, off, off, off, off, off}, {}},
        {"HeadingsAndOutOfRangeCodes", headings, {0, off, off, off, off, off, off, off, off, off}, {}},
        {"DoubleClickThenCopy",
         doubleCopy,
         {0, 0x30, 0x58, off, off, off, off, off, off, off},
         {0x22, 1,    0, 0,    0,    0, 0,    0,    0x0F, 0, 0xA2, 1,    0, 0,    0, 0, 0,
          0,    0x0F, 0, 0x22, 1,    0, 0,    0,    0,    0, 0,    0x0F, 0, 0xA2, 1, 0, 0,
          0,    0,    0, 0,    0x0F, 0, 0x63, 0x01, 0x06, 0, 0,    0,    0, 0,    0, 0}},
        {"EmptyMacroPointsAtNextGroup",
         emptyMacro,
         {0, 48, 48, off, off, off, off, off, off, 58},
         {0x23, 0x01, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF}},
        {"KeyboardDropsSeventhUsage",
         keysAtoG,
         {0, 48, off, off, off, off, off, off, off, off},
         {0x62, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0xFF, 0xFF}},
        {"MacroButtonBitsReplaced",
         dirtyButtonBits,
         {0, off, off, 48, off, off, off, off, off, off},
         withButton(kMacroB, 4)},
    };
    for (const AddressCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ButtonReportBuild build = BuildButtonReport(c.setting);
        ASSERT_EQ(build.overflowButton, 0);
        EXPECT_EQ(build.report[0], kButtonReportId);
        for (int k = 0; k < kButtonCount; ++k) EXPECT_EQ(entry(build.report, k), c.entries[k]) << k;
        EXPECT_EQ(dataBytes(build.report, 20, 48), Bytes(28, 0));
        const int end = 48 + static_cast<int>(c.records.size());
        EXPECT_EQ(dataBytes(build.report, 48, end), c.records);
        EXPECT_TRUE(zeroFrom(build.report, end));
    }
}

TEST(ButtonReport, MacroLengthUsesWholeRecordsInsideTheRow) {
    Bytes full(kMacroRowBytes);
    for (int at = 0; at < kMacroRowBytes; ++at) full[at] = at % 10 == 0 ? 0x20 : static_cast<uint8_t>(at);
    const struct {
        const char* name;
        int length;
        int sent;
    } cases[] = {
        {"Zero", 0, 0},        {"Whole", 30, 30},     {"PartRecordDropped", 25, 20}, {"Row", 255, 250},
        {"PastRow", 300, 250}, {"Max", INT_MAX, 250}, {"Negative", -10, 0},          {"Min", INT_MIN, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MouseSetting s = allButtons(kFunctionDisable);
        setMacro(s, 2, full, c.length);
        s.m_nItem[2] = kFunctionLeft;  // the next group shows where the macro ended
        const ButtonReportBuild build = BuildButtonReport(s);
        ASSERT_EQ(build.overflowButton, 0);
        EXPECT_EQ(entry(build.report, 1), 48);
        EXPECT_EQ(entry(build.report, 2), 48 + c.sent);
        EXPECT_EQ(dataBytes(build.report, 48, 48 + c.sent),
                  withButton(Bytes(full.begin(), full.begin() + c.sent), 2));
        EXPECT_TRUE(zeroFrom(build.report, 48 + c.sent + 10));
    }
}

// Nine 25-record macros need 2250 bytes; only 2000 fit.
TEST(ButtonReport, OverflowNamesTheFirstButtonThatDoesNotFit) {
    Bytes macro;
    for (int i = 0; i < kMaxButtonRecords; ++i) {
        macro.insert(macro.end(), {0x20, 1, 0, 0, 0, 0, 0, 0, 1, 0});
    }
    MouseSetting s = defaults();
    for (int button = 2; button <= kButtonCount; ++button) setMacro(s, button, macro);

    const ButtonReportBuild over = BuildButtonReport(s);
    EXPECT_EQ(over.overflowButton, 10);
    for (int k = 1; k < 9; ++k) EXPECT_EQ(entry(over.report, k), 48 + 250 * (k - 1)) << k;
    EXPECT_EQ(entry(over.report, 9), 0);                                  // button 10 never placed
    EXPECT_EQ(dataBytes(over.report, 1798, 2048), withButton(macro, 9));  // button 9 ends at the last byte

    s.m_nItem[9] = kFunctionLeft;  // one record more than fits
    EXPECT_EQ(BuildButtonReport(s).overflowButton, 10);

    // Exactly full: 2000 bytes of records, and an empty macro entry at the end of the data.
    setMacro(s, 10, {});
    const ButtonReportBuild full = BuildButtonReport(s);
    EXPECT_EQ(full.overflowButton, 0);
    EXPECT_EQ(entry(full.report, 9), 2048);
    s.m_nItem[9] = kFunctionDisable;
    EXPECT_EQ(BuildButtonReport(s).overflowButton, 0);
}

// ---- button report: reading ----

struct ReadBack {
    MouseSetting setting = defaults();
    std::unique_ptr<MacroStore> store = std::make_unique<MacroStore>();
    std::optional<std::u16string> edit;
};

ReadBack decode(const ButtonReport& report) {
    ReadBack rb;
    rb.edit = DecodeButtonReport(report, rb.setting, *rb.store);
    return rb;
}

ReadBack roundTrip(const MouseSetting& written) {
    const ButtonReportBuild build = BuildButtonReport(written);
    EXPECT_EQ(build.overflowButton, 0);
    return decode(build.report);
}

Bytes reencoded(const MacroRecord& macro) {
    const MacroSteps steps = EncodeMacroSteps(macro);
    return Bytes(steps.bytes, steps.bytes + steps.length);
}

int32_t readBackCode(int32_t code) {
    return code >= kFunctionBasicHeading && code <= kFunctionMediaHeading ? kFunctionDisable : code;
}

TEST(ButtonReportRoundTrip, EveryCodeOnEveryButton) {
    for (int button = 2; button <= kButtonCount; ++button) {
        for (int32_t code = 1; code <= kFunctionLast; ++code) {
            SCOPED_TRACE(testing::Message() << "button " << button << " code " << code);
            MouseSetting written = defaults();  // the other buttons keep their default functions
            written.m_nItem[button - 1] = code;
            if (code == kFunctionKeyboard) setKeys(written, button, {kLShift, kA, kB});
            if (code == kFunctionMacro) setMacro(written, button, kMacroA);

            const ReadBack rb = roundTrip(written);
            for (int k = 0; k < kButtonCount; ++k) {
                EXPECT_EQ(rb.setting.m_nItem[k], readBackCode(written.m_nItem[k])) << "button " << k + 1;
            }
            if (code == kFunctionKeyboard) {
                EXPECT_EQ(Bytes(rb.setting.m_KeyData[button - 1], rb.setting.m_KeyData[button - 1] + 10),
                          Bytes(written.m_KeyData[button - 1], written.m_KeyData[button - 1] + 10));
            }
            const bool macro = code == kFunctionMacro;
            EXPECT_EQ(rb.store->m_nMacroCount, macro ? 1u : 0u);
            EXPECT_EQ(rb.edit, macro ? std::optional<std::u16string>(u"<New Macro>") : std::nullopt);
            if (macro) {
                EXPECT_EQ(rb.store->m_strMacroNames[0], u"Macro_1");
                EXPECT_EQ(reencoded(rb.store->m_Macro[0]), kMacroA);
            }
        }
    }
}

TEST(ButtonReportRoundTrip, KeyCombosEqualToAShortcutReadAsTheShortcut) {
    const struct {
        const char* name;
        Bytes keys;
        int32_t code;
    } cases[] = {
        {"CtrlC", {kLCtrl, kC}, 13},
        {"CInFrontOfCtrl", {kC, kLCtrl}, 13},
        {"WinAlone", {kLWin}, 23},
        {"AltTab", {kLAlt, kTab}, 27},
        {"CtrlShiftC", {kLCtrl, kLShift, kC}, kFunctionKeyboard},
        {"CtrlCD", {kLCtrl, kC, kD}, kFunctionKeyboard},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MouseSetting written = defaults();
        setKeys(written, 4, c.keys);
        EXPECT_EQ(roundTrip(written).setting.m_nItem[3], c.code);
    }
}

TEST(ButtonReportRoundTrip, MixedConfigurationWithTwoMacros) {
    MouseSetting written = defaults();
    setMacro(written, 2, kMacroB);
    written.m_nItem[2] = 13;  // Copy
    written.m_nItem[3] = kFunctionDoubleClick;
    setMacro(written, 5, kMacroA);
    written.m_nItem[5] = 24;
    setKeys(written, 7, {kLCtrl, kLShift, kD});
    written.m_nItem[7] = kFunctionDisable;
    written.m_nItem[8] = 37;
    written.m_nItem[9] = 26;

    ReadBack rb;
    rb.store->m_nMacroCount = 50;
    rb.store->m_nMacroSel = 9;
    rb.store->m_nMacroTop = 7;
    rb.store->m_nMacroHoverRow = 5;
    rb.store->m_strMacroNames[2] = u"kept";
    rb.edit = DecodeButtonReport(BuildButtonReport(written).report, rb.setting, *rb.store);

    const int32_t expected[kButtonCount] = {1, 8, 13, 6, 8, 24, 7, 12, 37, 26};
    for (int k = 0; k < kButtonCount; ++k) EXPECT_EQ(rb.setting.m_nItem[k], expected[k]) << k;
    EXPECT_EQ(rb.store->m_nMacroCount, 2u);
    EXPECT_EQ(rb.store->m_nMacroSel, 2);
    EXPECT_EQ(rb.store->m_nMacroTop, 0);
    EXPECT_EQ(rb.store->m_nMacroHoverRow, 0);
    EXPECT_EQ(rb.store->m_strMacroNames[0], u"Macro_1");
    EXPECT_EQ(rb.store->m_strMacroNames[1], u"Macro_2");
    EXPECT_EQ(rb.store->m_strMacroNames[2], u"kept");
    EXPECT_EQ(reencoded(rb.store->m_Macro[0]), kMacroB);
    EXPECT_EQ(reencoded(rb.store->m_Macro[1]), kMacroA);
    EXPECT_EQ(rb.edit, u"<New Macro>");
    EXPECT_EQ(Bytes(rb.setting.m_KeyData[2], rb.setting.m_KeyData[2] + 3), (Bytes{kLCtrl, kC, 0}));
    EXPECT_EQ(Bytes(rb.setting.m_KeyData[6], rb.setting.m_KeyData[6] + 4), (Bytes{kLCtrl, kLShift, kD, 0}));
    EXPECT_EQ(rb.setting.m_nMacroDataLen[1], 0);  // stored step bytes are not refreshed
}

// Groups the address table alone cannot tell apart: an empty macro shares its address with the next
// group, and a macro may start with a DPI record.
TEST(ButtonReportRoundTrip, EmptyMacrosAndDpiRecordsKeepLaterButtonsInPlace) {
    const struct {
        const char* name;
        void (*setup)(MouseSetting&);
        int32_t expected[kButtonCount];
        uint32_t macros;
    } cases[] = {
        {"EmptyMacroBeforeOthers",
         [](MouseSetting& s) {
             setMacro(s, 2, {});
             s.m_nItem[2] = kFunctionRight;
             setMacro(s, 4, {});
             setMacro(s, 5, kMacroB);
             s.m_nItem[5] = 13;
         },
         {1, 8, 2, 8, 8, 13, 25, 22, 23, 28},
         1},
        {"EmptyMacroBeforeDpi",
         [](MouseSetting& s) {
             setMacro(s, 2, {});
             s.m_nItem[2] = 25;
         },
         {1, 8, 25, 5, 4, 24, 25, 22, 23, 28},
         0},
        {"EmptyMacroLast",
         [](MouseSetting& s) { setMacro(s, 10, {}); },
         {1, 2, 3, 5, 4, 24, 25, 22, 23, 8},
         0},
        {"EmptyMacroBeforeDisabledTail",
         [](MouseSetting& s) {
             std::fill(s.m_nItem + 4, s.m_nItem + 10, kFunctionDisable);
             setMacro(s, 4, {});
         },
         {1, 2, 3, 8, 12, 12, 12, 12, 12, 12},
         0},
        {"DpiNextToMacros",
         [](MouseSetting& s) {
             setMacro(s, 2, kMacroDpiFirst);
             s.m_nItem[2] = 25;
             setMacro(s, 4, kMacroA);
             s.m_nItem[4] = 24;
             setMacro(s, 7, kMacroDpiFirst);
         },
         {1, 8, 25, 8, 24, 24, 8, 22, 23, 28},
         3},
        {"MacroStartingWithDpiLast",
         [](MouseSetting& s) { setMacro(s, 10, kMacroDpiFirst); },
         {1, 2, 3, 5, 4, 24, 25, 22, 23, 8},
         1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MouseSetting written = defaults();
        c.setup(written);
        const ReadBack rb = roundTrip(written);
        for (int k = 0; k < kButtonCount; ++k) EXPECT_EQ(rb.setting.m_nItem[k], c.expected[k]) << k;
        EXPECT_EQ(rb.store->m_nMacroCount, c.macros);
        EXPECT_EQ(rb.edit.has_value(), c.macros > 0);
        for (uint32_t slot = c.macros; slot < kMacroStoreSlots; ++slot) {
            EXPECT_TRUE(rb.store->m_strMacroNames[slot].empty()) << slot;  // empty groups name no slot
        }
    }
}

TEST(ButtonReportRoundTrip, FullReport) {
    Bytes macro;
    for (int i = 0; i < kMaxButtonRecords; ++i) {
        macro.insert(macro.end(), {0x60, 0, uint8_t(4 + i), 0, 0, 0, 0, 0, 0, 0});
    }
    MouseSetting written = defaults();
    for (int button = 2; button < kButtonCount; ++button) setMacro(written, button, macro);
    setMacro(written, 10, {});
    const ReadBack rb = roundTrip(written);
    for (int k = 1; k < kButtonCount; ++k) EXPECT_EQ(rb.setting.m_nItem[k], kFunctionMacro) << k;
    EXPECT_EQ(rb.store->m_nMacroCount, 8u);
    EXPECT_EQ(rb.store->m_strMacroNames[7], u"Macro_8");
    EXPECT_EQ(reencoded(rb.store->m_Macro[7]), macro);
}

void setEntry(ButtonReport& r, int k, uint16_t value) {
    r[1 + 2 * k] = static_cast<uint8_t>(value & 0xFF);
    r[2 + 2 * k] = static_cast<uint8_t>(value >> 8);
}

void put(ButtonReport& r, int dataOffset, const Bytes& bytes) {
    std::copy(bytes.begin(), bytes.end(), r.begin() + 1 + dataOffset);
}

// A report with every button from 2 on disabled.
ButtonReport disabledReport() {
    ButtonReport r{};
    r[0] = kButtonReportId;
    for (int k = 1; k < kButtonCount; ++k) setEntry(r, k, kNoRecords);
    return r;
}

// One group of `records` on button 3 (entry 2) at offset 48, the rest disabled.
ButtonReport oneGroup(const Bytes& records) {
    ButtonReport r = disabledReport();
    setEntry(r, 2, 48);
    put(r, 48, withButton(records, 3));
    return r;
}

struct DecodeCase {
    const char* name;
    ButtonReport report;
    int32_t button3;  // expected item 2
    uint32_t macros;
    int steps;  // steps of the macro in slot 0, when macros > 0
};

TEST(ButtonReportDecode, SingleGroups) {
    const Bytes press = {0x20, 0x01, 0, 0, 0, 0, 0, 0, 0x0F, 0};
    const Bytes release = {0xA0, 0x01, 0, 0, 0, 0, 0, 0, 0x0F, 0};
    Bytes doubleClick;
    for (int i = 0; i < 2; ++i) {
        doubleClick.insert(doubleClick.end(), press.begin(), press.end());
        doubleClick.insert(doubleClick.end(), release.begin(), release.end());
    }
    Bytes slowDouble = doubleClick;
    slowDouble[18] = 0x10;
    Bytes pressOrder = doubleClick;
    std::swap_ranges(pressOrder.begin(), pressOrder.begin() + 10, pressOrder.begin() + 10);

    const DecodeCase cases[] = {
        {"DoubleClick", oneGroup(doubleClick), kFunctionDoubleClick, 0, 0},
        {"SlowDoubleClickIsAMacro", oneGroup(slowDouble), kFunctionMacro, 1, 8},
        {"ReleaseFirstIsAMacro", oneGroup(pressOrder), kFunctionMacro, 1, 8},
        {"PressOfTwoButtonsLeavesItem", oneGroup({0x20, 0x03, 0, 0, 0, 0, 0, 0, 0, 0}), 3, 0, 0},
        {"WheelPressLeavesItem", oneGroup({0x20, 0, 0x01, 0, 0, 0, 0, 0, 0, 0}), 3, 0, 0},
        {"ForwardPress", oneGroup({0x20, 0x10, 0, 0, 0, 0, 0, 0, 0, 0}), kFunctionForward, 0, 0},
        {"UnknownDpiStepLeavesItem", oneGroup({0x40, 0x05, 0, 0, 0, 0, 0, 0, 0, 0}), 3, 0, 0},
        {"DpiWithDelayStillDpi", oneGroup({0x40, 0x02, 0, 0, 0, 0, 0, 0, 9, 9}), 25, 0, 0},
        {"KeyboardMatchesDpiRow", oneGroup({0x60, 0x00, 0x01, 0, 0, 0, 0, 0, 0, 0}), 26, 0, 0},
        {"KeyboardMatchesIeRow", oneGroup({0x60, 0x00, 0x00, 0x02, 0, 0, 0, 0, 0, 0}), 22, 0, 0},
        {"ConsumerIeKey", oneGroup({0x80, 0x00, 0x00, 0x02, 0, 0, 0, 0, 0, 0}), 22, 0, 0},
        {"ConsumerMute", oneGroup({0x80, 0x10, 0, 0, 0, 0, 0, 0, 0, 0}), 39, 0, 0},
        {"ConsumerUnknownLeavesItem", oneGroup({0x80, 0x20, 0, 0, 0, 0, 0, 0, 0, 0}), 3, 0, 0},
        {"SingleReleaseIsAMacro", oneGroup({0xA0, 0x01, 0, 0, 0, 0, 0, 0, 0, 0}), kFunctionMacro, 1, 1},
        {"TwoKeyRecordsAreAMacro",
         oneGroup({0x60, 0x01, 0x06, 0, 0, 0, 0, 0, 0, 0, 0x60, 0, 0, 0, 0, 0, 0, 0, 0, 0}), kFunctionMacro,
         1, 2},
        {"KindWithoutStepsIsAnEmptyMacro", oneGroup({0xC0, 1, 0, 0, 0, 0, 0, 0, 0, 0}), kFunctionMacro, 0,
         0},
    };
    for (const DecodeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ReadBack rb = decode(c.report);
        EXPECT_EQ(rb.setting.m_nItem[2], c.button3);
        EXPECT_EQ(rb.store->m_nMacroCount, c.macros);
        if (c.button3 == kFunctionMacro) {
            // A decoded macro names its slot, empty or not.
            EXPECT_EQ(rb.edit, u"<New Macro>");
            EXPECT_EQ(rb.store->m_strMacroNames[0], u"Macro_1");
        }
        if (c.macros > 0) {
            EXPECT_EQ(rb.store->m_Macro[0].count, c.steps);
        }
    }
}

TEST(ButtonReportDecode, EmptyDecodedMacroLeavesItsSlotToTheNext) {
    ButtonReport r = disabledReport();
    setEntry(r, 2, 48);
    setEntry(r, 5, 58);
    put(r, 48, {0xC3, 1, 0, 0, 0, 0, 0, 0, 0, 0});
    put(r, 58, withButton(kMacroB, 6));
    const ReadBack rb = decode(r);
    EXPECT_EQ(rb.setting.m_nItem[2], kFunctionMacro);
    EXPECT_EQ(rb.setting.m_nItem[5], kFunctionMacro);
    EXPECT_EQ(rb.store->m_nMacroCount, 1u);
    EXPECT_EQ(reencoded(rb.store->m_Macro[0]), kMacroB);
    EXPECT_EQ(rb.store->m_strMacroNames[0], u"Macro_1");
    EXPECT_TRUE(rb.store->m_strMacroNames[1].empty());
}

TEST(ButtonReportDecode, LastButtonLengthComesFromItsButtonNumbers) {
    ButtonReport r = disabledReport();
    setEntry(r, 9, 48);
    put(r, 48, withButton(kMacroA, 10));
    put(r, 78, withButton(kMacroB, 9));  // records of another button end the group
    const ReadBack rb = decode(r);
    EXPECT_EQ(rb.setting.m_nItem[9], kFunctionMacro);
    EXPECT_EQ(reencoded(rb.store->m_Macro[0]), kMacroA);
}

TEST(ButtonReportDecode, KeyRecordFillsOnlyItsOwnKeyRow) {
    MouseSetting s = defaults();
    for (auto& row : s.m_KeyData) std::fill(std::begin(row), std::end(row), uint8_t{0xEE});
    auto store = std::make_unique<MacroStore>();
    const ButtonReport r = oneGroup({0x60, 0xFF, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0, 0});
    DecodeButtonReport(r, s, *store);
    EXPECT_EQ(s.m_nItem[2], kFunctionKeyboard);
    EXPECT_EQ(Bytes(s.m_KeyData[2], s.m_KeyData[2] + 10), (Bytes{70, 58, 72, 71, 77, 69, 74, 75, kA, kB}));
    EXPECT_EQ(s.m_KeyData[1][9], 0xEE);
    EXPECT_EQ(s.m_KeyData[3][0], 0xEE);
}

// Reports no writer produces. Each must decode inside the report, the key rows and the store.
struct HostileCase {
    const char* name;
    ButtonReport report;
    std::vector<int32_t> items;  // expected items 1..9 when given
    uint32_t macros;
};

TEST(ButtonReportDecode, HostileReportsStayInside) {
    ButtonReport allZero{};
    allZero[0] = kButtonReportId;
    ButtonReport allFF;
    allFF.fill(0xFF);
    ButtonReport pastEnd = disabledReport();
    const uint16_t pastEntries[] = {0xFFFE, 3000, 2047, 2048, 2040, 0xFFFE, 2049, 1, 0xFFFD};
    for (int k = 1; k < kButtonCount; ++k) setEntry(pastEnd, k, pastEntries[k - 1]);
    std::fill(pastEnd.begin() + 21, pastEnd.end(), 0x2A);
    ButtonReport overlapping = disabledReport();
    const uint16_t overlapEntries[] = {48, 48, 2000, 58, 48, 1000, 68, 48, 48};
    for (int k = 1; k < kButtonCount; ++k) setEntry(overlapping, k, overlapEntries[k - 1]);
    for (int at = 48; at < 2048; at += 10) {
        put(overlapping, at, {uint8_t(0x20 | (at / 10 % 11)), 1, 2, 3, 4, 5, 6, 7, 8, 9});
    }
    ButtonReport claims2000 = disabledReport();
    setEntry(claims2000, 1, 48);
    setEntry(claims2000, 2, 2048);
    setEntry(claims2000, 3, 2048 - 5);
    for (int at = 48; at < 2048; at += 10) put(claims2000, at, {0x62, 1, 4, 0, 0, 0, 0, 0, 1, 0});
    ButtonReport neverStop = disabledReport();
    setEntry(neverStop, 5, 48);
    setEntry(neverStop, 6, 0);  // the first 0 marks the last group: later groups are found by scanning
    setEntry(neverStop, 9, 40);
    std::fill(neverStop.begin() + 21, neverStop.end(), 0x2A);
    ButtonReport odd = disabledReport();
    setEntry(odd, 1, 48);
    setEntry(odd, 2, 53);
    setEntry(odd, 3, 2047);
    put(odd, 48, {0x22, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0x23, 2});
    // Button 10's entry of 0: its length still comes from scanning, here from the table's first byte.
    ButtonReport lastEntryZero = disabledReport();
    setEntry(lastEntryZero, 0, 0x002A);
    setEntry(lastEntryZero, 9, 0);
    put(lastEntryZero, 48, {0x20, 0x10, 0, 0, 0, 0, 0, 0, 0, 0});

    const HostileCase cases[] = {
        {"AllZero", allZero, {8, 8, 8, 8, 8, 8, 8, 8, 8}, 0},
        {"AllFF", allFF, {12, 12, 12, 12, 12, 12, 12, 12, 12}, 0},
        {"EntriesPastTheEnd", pastEnd, {}, 0},
        {"Overlapping", overlapping, {}, 0},
        {"GroupClaims2000Bytes", claims2000, {8, 8, 8, 12, 12, 12, 12, 12, 12}, 1},
        {"ButtonNumbersNeverStop", neverStop, {12, 12, 12, 12, 8, 8, 12, 12, 8}, 1},
        {"OddLengths", odd, {8, 8, 8, 12, 12, 12, 12, 12, 12}, 1},
        {"LastEntryZero", lastEntryZero, {12, 12, 12, 12, 12, 12, 12, 12, kFunctionForward}, 0},
    };
    for (const HostileCase& c : cases) {
        SCOPED_TRACE(c.name);
        ReadBack rb;
        for (auto& name : rb.store->m_strMacroNames) name = u"old";
        rb.edit = DecodeButtonReport(c.report, rb.setting, *rb.store);
        EXPECT_EQ(rb.setting.m_nItem[0], kFunctionLeft);
        for (int k = 1; k < kButtonCount; ++k) {
            EXPECT_GE(rb.setting.m_nItem[k], 1) << k;
            EXPECT_LE(rb.setting.m_nItem[k], kFunctionLast) << k;
            if (!c.items.empty()) {
                EXPECT_EQ(rb.setting.m_nItem[k], c.items[k - 1]) << k;
            }
        }
        if (!c.items.empty()) {
            EXPECT_EQ(rb.store->m_nMacroCount, c.macros);
        }
        EXPECT_LT(rb.store->m_nMacroCount, static_cast<uint32_t>(kButtonCount));
        EXPECT_EQ(rb.store->m_nMacroSel, static_cast<int>(rb.store->m_nMacroCount));
        // At most one slot past the macros found is renamed (an empty decoded macro).
        for (int slot = rb.store->m_nMacroSel + 1; slot < kMacroStoreSlots; ++slot) {
            ASSERT_EQ(rb.store->m_strMacroNames[slot], u"old") << slot;
        }
        for (uint32_t slot = 0; slot < rb.store->m_nMacroCount; ++slot) {
            EXPECT_LE(rb.store->m_Macro[slot].count, kMacroSlots);
        }
    }
}

}  // namespace
}  // namespace voltrane
