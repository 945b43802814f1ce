#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "device/step_records.h"
#include "settings/text_tables.h"

namespace voltrane {
namespace {

using Bytes = std::vector<uint8_t>;

MacroRecord emptyRecord() {
    MacroRecord r;
    std::memset(&r, 0, sizeof r);
    return r;
}

// A macro built from raw steps, as a file or the mouse may hold them.
MacroRecord macroOf(std::initializer_list<MacroEvent> steps) {
    MacroRecord r = emptyRecord();
    for (const MacroEvent& e : steps) r.steps[r.count++] = e;
    return r;
}

Bytes encoded(const MacroRecord& r) {
    MacroSteps s = EncodeMacroSteps(r);
    return Bytes(s.bytes, s.bytes + s.length);
}

struct EncodeCase {
    const char* name;
    MacroRecord macro;
    Bytes bytes;
};

TEST(StepRecords, Encode) {
    const EncodeCase cases[] = {
        {"KeyPressAndRelease",
         macroOf({{kKeyDown, {46}}, {kKeyUp, {46}}}),
         {0x60, 0, 0x04, 0, 0, 0, 0, 0, 0, 0, 0x60, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"KeyWithDelays",
         macroOf({{kKeyDown, {46}}, {kDelay, {0, 50}}, {kKeyUp, {46}}, {kDelay, {0, 20}}}),
         {0x60, 0, 0x04, 0, 0, 0, 0, 0, 0x32, 0, 0x60, 0, 0, 0, 0, 0, 0, 0, 0x14, 0}},
        {"DelayOf1000AfterPress",
         macroOf({{kMouseDown, {1}}, {kDelay, {0x03, 0xE8}}}),
         {0x20, 1, 0, 0, 0, 0, 0, 0, 0xE8, 0x03}},
        {"SecondDelayWins",
         macroOf({{kMouseUp, {2}}, {kDelay, {0, 5}}, {kDelay, {1, 0}}}),
         {0xA0, 2, 0, 0, 0, 0, 0, 0, 0, 1}},
        {"LeadingDelayDropped",
         macroOf({{kDelay, {0, 9}}, {kMouseDown, {0, 0xFF}}}),
         {0x20, 0, 0xFF, 0, 0, 0, 0, 0, 0, 0}},
        {"ChordWithModifiers",
         macroOf({{kKeyDown, {70, 58, 61}}}),
         {0x60, 0x03, 0x06, 0, 0, 0, 0, 0, 0, 0}},
        {"RawKeyAndDpi",
         macroOf({{kRawKey, {0x01, 0x19}}, {kDpiStep, {2}}}),
         {0x60, 0x01, 0x19, 0, 0, 0, 0, 0, 0, 0, 0x40, 2, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"UnknownKindsWriteNothing", macroOf({{0, {1}}, {4, {1}}, {99, {1}}}), {}},
        {"Empty", emptyRecord(), {}},
    };
    for (const EncodeCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(encoded(c.macro), c.bytes);
        // What the editor and the lists count is what the button receives.
        EXPECT_EQ(static_cast<size_t>(ButtonRecordCount(c.macro) * kStepRecordBytes), c.bytes.size());
    }
}

MacroRecord pressesWithPauses(int presses) {
    MacroRecord r = emptyRecord();
    for (int i = 0; i < presses; ++i) {
        r.steps[r.count++] = {kMouseDown, {1}};
        r.steps[r.count++] = {kDelay, {0, 1}};
    }
    return r;
}

TEST(StepRecords, MacroOfMoreThan25RecordsIsRefusedWhole) {
    MacroSteps fits = EncodeMacroSteps(pressesWithPauses(25));
    EXPECT_TRUE(fits.Fits());
    EXPECT_EQ(fits.length, 250);

    MacroSteps tooLong = EncodeMacroSteps(pressesWithPauses(26));
    EXPECT_FALSE(tooLong.Fits());
    EXPECT_EQ(tooLong.records, 26);
    EXPECT_EQ(tooLong.length, 0);

    MouseSetting s;
    s.ResetToDefaults();
    s.m_MacroData[3][0] = 0x77;
    s.m_nMacroDataLen[3] = 10;
    s.m_strButtonMacro[3] = u"old";
    const MacroRecord macro = pressesWithPauses(26);
    EXPECT_FALSE(AssignMacro(s, 3, &macro, u"long"));
    EXPECT_EQ(s.m_nItem[3], 5);
    EXPECT_EQ(s.m_MacroData[3][0], 0x77);
    EXPECT_EQ(s.m_nMacroDataLen[3], 10);
    EXPECT_EQ(s.m_strButtonMacro[3], u"old");
}

TEST(StepRecords, DamagedCountsStayInsideTheSlots) {
    MacroRecord r = pressesWithPauses(3);
    r.count = 100000;
    EXPECT_EQ(EncodeMacroSteps(r).records, 3);  // read up to the last slot, not past it
    EXPECT_EQ(ButtonRecordCount(r), 3);
    r.count = -4;
    EXPECT_EQ(EncodeMacroSteps(r).records, 0);
    EXPECT_EQ(ButtonRecordCount(r), 0);
}

// What the macro editor and the macro lists tell the user about a macro's records, at the edge of
// what a button holds (pauses cost nothing).
TEST(StepRecords, RecordCountAsTheUserReadsIt) {
    struct Case {
        int presses;
        int language;
        std::u16string line;
        std::u16string listName;
    };
    const Case cases[] = {
        {0, kEnglish, u"Records: 0 (a button holds 25)", u"Jump"},
        {25, kEnglish, u"Records: 25 (a button holds 25)", u"Jump"},
        {26, kEnglish, u"Records: 26, too many for a button (25 at most)", u"Jump (26/25)"},
        {26, 3, u"Einträge: 26, zu viele für eine Taste (höchstens 25)", u"Jump (26/25)"},
        {3, 5, u"레코드: 3개 (버튼당 최대 25개)", u"Jump"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.presses << " presses, language " << c.language);
        const MacroRecord macro = pressesWithPauses(c.presses);
        EXPECT_EQ(ButtonRecordText(macro, c.language), c.line);
        EXPECT_EQ(MacroListName(u"Jump", macro), c.listName);
        EXPECT_EQ(ButtonRecordCount(macro) <= kMaxButtonRecords, EncodeMacroSteps(macro).Fits());
    }
}

TEST(StepRecords, AssignMacro) {
    MouseSetting s;
    s.ResetToDefaults();
    std::memset(s.m_MacroData[2], 0xEE, kMacroRowBytes);
    const MacroRecord macro = macroOf({{kMouseDown, {1}}, {kMouseUp, {1}}});
    ASSERT_TRUE(AssignMacro(s, 2, &macro, u"Clicks"));
    EXPECT_EQ(s.m_nItem[2], kFunctionMacro);
    EXPECT_EQ(s.m_strButtonMacro[2], u"Clicks");
    EXPECT_EQ(s.m_nMacroDataLen[2], 20);
    EXPECT_EQ(s.m_MacroData[2][0], 0x20);
    EXPECT_EQ(s.m_MacroData[2][10], 0xA0);
    EXPECT_EQ(s.m_MacroData[2][20], 0);  // the rest of the row is cleared
    EXPECT_EQ(s.m_MacroData[2][254], 0);

    ASSERT_TRUE(AssignMacro(s, 2, nullptr, u""));  // a choice past the last macro
    EXPECT_EQ(s.m_nItem[2], kFunctionMacro);
    EXPECT_EQ(s.m_nMacroDataLen[2], 0);
    EXPECT_TRUE(s.m_strButtonMacro[2].empty());
    EXPECT_FALSE(AssignMacro(s, 10, &macro, u"x"));
}

struct DecodeCase {
    const char* name;
    Bytes group;
    std::vector<MacroEvent> steps;
    int length;
};

TEST(StepRecords, DecodeGroup) {
    const DecodeCase cases[] = {
        {"CtrlC", {0x60, 0x01, 0x06, 0, 0, 0, 0, 0, 0, 0}, {{kKeyDown, {70, 61}}}, 5},
        {"PressNoDelay", {0x23, 0x01, 0, 0, 0, 0, 0, 0, 0, 0}, {{kMouseDown, {1}}}, 3},
        {"PressWithDelay",
         {0x20, 0x01, 0, 0, 0, 0, 0, 0, 0x00, 0x01},
         {{kMouseDown, {1}}, {kDelay, {0x01, 0x00}}},
         6},
        {"WheelDown", {0x20, 0, 0xFF, 0, 0, 0, 0, 0, 0, 0}, {{kMouseDown, {0, 0xFF}}}, 3},
        {"ReleaseKeepsChord",
         {0x60, 0x02, 0x04, 0x05, 0, 0, 0, 0, 0x32, 0, 0x60, 0, 0, 0, 0, 0, 0, 0, 0x14, 0},
         {{kKeyDown, {58, 46, 63}}, {kDelay, {0, 0x32}}, {kKeyUp, {58, 46, 63}}, {kDelay, {0, 0x14}}},
         14},
        {"DpiIgnoresDelay", {0x42, 0x01, 0, 0, 0, 0, 0, 0, 0x10, 0x10}, {{kDpiStep, {1}}}, 3},
        {"AllModifiersCapAtTen",
         {0x60, 0xFF, 0x04, 0x05, 0x06, 0, 0, 0, 0, 0},
         {{kKeyDown, {70, 58, 72, 71, 77, 69, 74, 75, 46, 63}}},
         5},
        {"UsageNoKeyHas", {0x60, 0, 0xE0, 0, 0, 0, 0, 0, 0, 0}, {{kKeyDown, {105}}}, 5},
        {"ZeroUsageEndsChord", {0x60, 0, 0x04, 0, 0x05, 0, 0, 0, 0, 0}, {{kKeyDown, {46}}}, 5},
        {"ConsumerAndOtherKindsGiveNoStep",
         {0x80, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0x00, 1, 0, 0, 0, 0, 0, 0, 0, 0,
          0xC0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0xE0, 1, 0, 0, 0, 0, 0, 0, 0, 0},
         {},
         0},
        {"PartialRecordIgnored", {0x20, 1, 0, 0, 0}, {}, 0},
    };
    for (const DecodeCase& c : cases) {
        SCOPED_TRACE(c.name);
        MacroRecord r = emptyRecord();
        r.steps[200].kind = 9;  // stale content is cleared
        DecodeMacroGroup(c.group, static_cast<int>(c.group.size()), r);
        ASSERT_EQ(r.count, static_cast<int>(c.steps.size()));
        EXPECT_EQ(r.length, c.length);
        for (size_t i = 0; i < c.steps.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(r.steps[i].kind, c.steps[i].kind);
            EXPECT_EQ(Bytes(r.steps[i].data, r.steps[i].data + 10),
                      Bytes(c.steps[i].data, c.steps[i].data + 10));
        }
        EXPECT_EQ(r.steps[200].kind, 0);
    }
}

TEST(StepRecords, DecodeThenEncodeReproducesTheGroup) {
    const Bytes group = {0x60, 0x01, 0x06, 0, 0, 0, 0, 0, 0x0A, 0x00, 0x60, 0,    0, 0, 0, 0, 0, 0, 0, 0,
                         0x20, 0x04, 0,    0, 0, 0, 0, 0, 0x00, 0x02, 0xA0, 0x04, 0, 0, 0, 0, 0, 0, 0, 0,
                         0x20, 0x00, 0x01, 0, 0, 0, 0, 0, 0,    0};
    MacroRecord r = emptyRecord();
    DecodeMacroGroup(group, static_cast<int>(group.size()), r);
    EXPECT_EQ(encoded(r), group);
}

TEST(StepRecords, DecodeStaysInsideItsInput) {
    // A long group of records that each add a delay step: more steps than slots, budget saturated.
    Bytes group;
    for (int i = 0; i < 200; ++i) {
        const uint8_t rec[10] = {0x20, 1, 0, 0, 0, 0, 0, 0, 1, 0};
        group.insert(group.end(), rec, rec + 10);
    }
    MacroRecord r = emptyRecord();
    DecodeMacroGroup(group, static_cast<int>(group.size()), r);
    EXPECT_EQ(r.count, kMacroSlots);
    EXPECT_EQ(r.length, 255);

    // A length larger than the data, or negative, reads only what is there.
    DecodeMacroGroup(std::span<const uint8_t>(group.data(), 25), 2000, r);
    EXPECT_EQ(r.count, 4);
    DecodeMacroGroup(group, -10, r);
    EXPECT_EQ(r.count, 0);
}

}  // namespace
}  // namespace voltrane
