#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "control/device_actions.h"
#include "device/apply_sequence.h"
#include "device/factory_state.h"
#include "device/read_sequence.h"
#include "device/virtual_mouse.h"
#include "device_fakes.h"
#include "scripted_ui.h"
#include "settings/text_tables.h"

namespace voltrane {
namespace {

MouseSetting configured() {
    MouseSetting s;
    s.ResetToDefaults();
    s.m_nItem[55] = 4;
    s.ApplyEditRule(15);  // colour shift
    s.ApplyEditRule(23);  // 1000 Hz
    s.m_nItem[1] = 13;    // Copy
    s.m_nItem[2] = kFunctionMacro;
    const uint8_t records[20] = {0x20, 0x01, 0, 0, 0, 0, 0, 0, 0x10, 0, 0xA0, 0x01};
    std::copy(std::begin(records), std::end(records), s.m_MacroData[2]);
    s.m_nMacroDataLen[2] = 20;
    s.m_nItem[9] = kFunctionDisable;
    return s;
}

struct Rig {
    VirtualMouse mouse{FactoryState()};
    std::unique_ptr<HidTransport> faulty;  // set by cases that fail the button fetch
    RecordingSleeper sleeper;
    ScriptedUi messages;
    std::unique_ptr<CHidDevice> hid;
    std::unique_ptr<DeviceContext> context;
    MouseSetting setting;
    std::unique_ptr<MacroStore> store = std::make_unique<MacroStore>();

    Rig() {
        for (auto& v : setting.m_nItem) v = -5;  // whatever a profile left
        setting.m_KeyData[4][0] = 46;
        Connect();
    }

    // Drops the link before a case swaps the transport under it.
    void Disconnect() {
        context.reset();
        hid.reset();
    }

    // Talks to the mouse directly, or through `faulty` when a case set one.
    void Connect() {
        hid = std::make_unique<CHidDevice>(faulty ? *faulty : static_cast<HidTransport&>(mouse));
        context.reset(new DeviceContext{*hid, sleeper, {}});
    }
};

TEST(ReadSequence, ReadsBackWhatWasApplied) {
    Rig rig;
    ASSERT_EQ(RunApply(configured(), *rig.context).outcome, ApplyOutcome::Done);
    rig.sleeper.waits.clear();

    std::optional<std::u16string> name;
    EXPECT_EQ(ReadFromDevice(rig.setting, *rig.store, *rig.context, rig.messages, kEnglish, &name), 1);
    EXPECT_TRUE(rig.messages.shown.empty());
    EXPECT_EQ(rig.sleeper.waits, std::vector<long long>{300});
    EXPECT_TRUE(rig.hid->IsOpen());  // the button collection stays open after a good read

    const int32_t* item = rig.setting.m_nItem;
    EXPECT_EQ(item[55], 4);
    EXPECT_EQ(item[15], 1);
    EXPECT_EQ(item[14], 0);
    EXPECT_EQ(item[23], 1);
    EXPECT_EQ(item[22], 0);
    EXPECT_EQ(item[1], 13);
    EXPECT_EQ(item[2], kFunctionMacro);
    EXPECT_EQ(item[9], kFunctionDisable);
    EXPECT_EQ(item[82], 4);                      // every other item is back at its default
    EXPECT_EQ(rig.setting.m_KeyData[4][0], 46);  // key data of other buttons survives
    EXPECT_EQ(rig.store->m_nMacroCount, 1u);
    EXPECT_EQ(rig.store->m_strMacroNames[0], u"Macro_1");
    EXPECT_EQ(rig.store->m_Macro[0].count, 3);  // the press, its 16 ms pause, the release
    EXPECT_EQ(name, std::optional<std::u16string>(u"<New Macro>"));
}

// Every function code on every button 2-10 goes through the button report, the virtual mouse and the
// read, and comes back as the code the mouse can tell apart: headings as Disable, macros as new
// macros named "Macro_%d".
TEST(ReadSequence, EveryFunctionOnEveryButtonRoundTrips) {
    for (int shift = 0; shift < kFunctionLast; ++shift) {
        SCOPED_TRACE(shift);
        MouseSetting s;
        s.ResetToDefaults();
        int macros = 0;
        for (int b = 1; b < kButtonCount; ++b) {
            s.m_nItem[b] = (shift + b) % kFunctionLast + 1;
            s.m_KeyData[b][0] = 58;  // LShift+Q: no shortcut has it
            s.m_KeyData[b][1] = 32;
            if (s.m_nItem[b] == kFunctionMacro) {
                const uint8_t records[20] = {0x60, 0, 0x04, 0, 0, 0, 0, 0, 0, 0, 0x60};
                std::copy(std::begin(records), std::end(records), s.m_MacroData[b]);
                s.m_nMacroDataLen[b] = 20;
                ++macros;
            }
        }
        Rig rig;
        ASSERT_EQ(RunApply(s, *rig.context).outcome, ApplyOutcome::Done);
        ASSERT_EQ(RunRead(rig.setting, *rig.store, *rig.context).outcome, ReadOutcome::Done);
        EXPECT_EQ(rig.setting.m_nItem[0], kFunctionLeft);
        for (int b = 1; b < kButtonCount; ++b) {
            SCOPED_TRACE(b);
            const int32_t code = s.m_nItem[b];
            EXPECT_EQ(rig.setting.m_nItem[b], code >= 9 && code <= 11 ? kFunctionDisable : code);
            if (code == kFunctionKeyboard) {
                EXPECT_EQ(rig.setting.m_KeyData[b][0], 58);
                EXPECT_EQ(rig.setting.m_KeyData[b][1], 32);
            }
        }
        ASSERT_EQ(rig.store->m_nMacroCount, static_cast<uint32_t>(macros));
        for (int m = 0; m < macros; ++m) {
            EXPECT_EQ(rig.store->m_strMacroNames[m], u"Macro_" + std::u16string(1, char16_t(u'1' + m)));
            EXPECT_EQ(rig.store->m_Macro[m].count, 2);
        }
    }
}

struct ReadCase {
    const char* name;
    std::function<void(Rig&)> fault;
    ReadOutcome outcome;
    bool settingsDecoded;
    std::vector<long long> waits;
};

TEST(ReadSequence, Failures) {
    const ReadCase cases[] = {
        {"Absent", [](Rig& r) { r.mouse.SetPresent(false); }, ReadOutcome::MouseNotFound, false, {}},
        {"SettingsFetchFails",
         [](Rig& r) { r.mouse.FailNextFetches(1); },
         ReadOutcome::SettingsReadFailed,
         false,
         {}},
        {"NoButtonCollection",
         [](Rig& r) { r.mouse.SetButtonCollection(false); },
         ReadOutcome::ButtonCollectionMissing,
         true,
         {}},
        {"ButtonFetchFails",
         [](Rig& r) { r.faulty = std::make_unique<RefusingTransport>(r.mouse, kButtonReportId, 0, 1); },
         ReadOutcome::ButtonsReadFailed,
         true,
         {300}},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        ASSERT_EQ(RunApply(configured(), *rig.context).outcome, ApplyOutcome::Done);
        rig.Disconnect();
        c.fault(rig);
        rig.Connect();
        rig.sleeper.waits.clear();
        EXPECT_EQ(RunRead(rig.setting, *rig.store, *rig.context).outcome, c.outcome);
        EXPECT_EQ(rig.sleeper.waits, c.waits);
        rig.Disconnect();
        c.fault(rig);  // the first read used up one-shot faults
        rig.Connect();
        EXPECT_EQ(ReadFromDevice(rig.setting, *rig.store, *rig.context, rig.messages, kEnglish), 0);
        ASSERT_EQ(rig.messages.shown.size(), 1u);
        EXPECT_EQ(rig.messages.shown[0], (ShownMessage{u"Please plug your mouse.", u"Fail", kEnglish}));
        EXPECT_FALSE(rig.hid->IsOpen());
        EXPECT_EQ(rig.setting.m_nItem[55], c.settingsDecoded ? 4 : 1);
        EXPECT_EQ(rig.setting.m_nItem[1], 2);  // button functions stay at their defaults
    }
}

// Reading a mouse whose node may not be opened says why, under the plug message.
TEST(ReadSequence, AccessRefusedAddsTheRuleLine) {
    Rig rig;
    rig.Disconnect();
    rig.faulty = std::make_unique<DenyingTransport>(rig.mouse, VirtualMouse::kVendorPath);
    rig.Connect();
    const ReadResult result = RunRead(rig.setting, *rig.store, *rig.context);
    EXPECT_EQ(result.outcome, ReadOutcome::MouseAccessDenied);
    ASSERT_TRUE(result.refusal.has_value());
    EXPECT_EQ(result.refusal->path, VirtualMouse::kVendorPath);
    EXPECT_EQ(ReadFromDevice(rig.setting, *rig.store, *rig.context, rig.messages, 3), 0);
    ASSERT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_EQ(
        rig.messages.shown[0].text,
        u"Please plug your mouse.\n" + std::u16string(GetText(TextTable::Notice, kNoticeAccessDenied, 3)));
}

}  // namespace
}  // namespace voltrane
