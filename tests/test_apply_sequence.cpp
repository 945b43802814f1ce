#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>

#include "control/device_actions.h"
#include "device/apply_sequence.h"
#include "device/factory_state.h"
#include "device/reports.h"
#include "device/virtual_mouse.h"
#include "device_fakes.h"
#include "file_bytes.h"
#include "host/host_pointer_memory.h"
#include "scripted_ui.h"
#include "settings/text_tables.h"
#include "temp_dir.h"

namespace voltrane {
namespace {

// A mixed configuration that fits: a macro, a key combination, a double click.
MouseSetting sampleSetting() {
    MouseSetting s;
    s.ResetToDefaults();
    s.m_nItem[1] = kFunctionDoubleClick;
    s.m_nItem[2] = kFunctionKeyboard;
    s.m_KeyData[2][0] = 70;
    s.m_KeyData[2][1] = 46;
    s.m_nItem[3] = kFunctionMacro;
    const uint8_t records[20] = {0x60, 0, 0x04, 0, 0, 0, 0, 0, 0x32, 0, 0x60};
    std::copy(std::begin(records), std::end(records), s.m_MacroData[3]);
    s.m_nMacroDataLen[3] = 20;
    s.m_nItem[55] = 3;
    return s;
}

// Nine macro buttons of 25 records each: more than the button report holds.
MouseSetting overflowingSetting() {
    MouseSetting s = sampleSetting();
    for (int b = 1; b < kButtonCount; ++b) {
        s.m_nItem[b] = kFunctionMacro;
        for (int r = 0; r < 25; ++r) s.m_MacroData[b][r * 10] = 0x20;
        s.m_nMacroDataLen[b] = 250;
    }
    return s;
}

struct Rig {
    TempDir dir;
    VirtualMouse mouse{FactoryState()};
    std::unique_ptr<HidTransport> faulty;  // set by cases that refuse button reports
    MemoryHostPointer host;
    RecordingSleeper sleeper;
    ScriptedUi messages;
    std::unique_ptr<CHidDevice> hid;
    std::unique_ptr<DeviceContext> context;

    void Connect() {
        hid = std::make_unique<CHidDevice>(faulty ? *faulty : static_cast<HidTransport&>(mouse));
        context.reset(new DeviceContext{*hid, sleeper, dir.path()});
    }
};

struct ApplyCase {
    const char* name;
    std::function<void(Rig&)> fault;
    ApplyOutcome outcome;
    std::vector<long long> waits;
    int textRow;   // message row shown; -1 none
    int titleRow;  // -1 empty title
    int silent;
    bool settingsStored;
    bool buttonsStored;
};

const ApplyCase kCases[] = {
    {"Done", [](Rig&) {}, ApplyOutcome::Done, {300}, 14, -1, 0, true, true},
    {"Absent",
     [](Rig& r) { r.mouse.SetPresent(false); },
     ApplyOutcome::MouseNotFound,
     {},
     11,
     5,
     -3,
     false,
     false},
    {"SettingsRefusedFourTimes",
     [](Rig& r) { r.mouse.RefuseNextSends(4); },
     ApplyOutcome::Done,
     {300, 300, 300, 300, 300},
     14,
     -1,
     0,
     true,
     true},
    {"SettingsRefused",
     [](Rig& r) { r.mouse.RefuseNextSends(5); },
     ApplyOutcome::SettingsRefused,
     {300, 300, 300, 300, 300},
     8,
     3,
     -1,
     false,
     false},
    {"ReadBackFails",
     [](Rig& r) { r.mouse.FailNextFetches(1); },
     ApplyOutcome::SettingsReadFailed,
     {300},
     9,
     3,
     -2,
     true,
     false},
    {"NoButtonCollection",
     [](Rig& r) { r.mouse.SetButtonCollection(false); },
     ApplyOutcome::ButtonCollectionMissing,
     {300},
     -2,
     -1,
     0,
     true,
     false},
    {"ButtonsRefused",
     [](Rig& r) { r.faulty = std::make_unique<RefusingTransport>(r.mouse, kButtonReportId, 5); },
     ApplyOutcome::ButtonsRefused,
     {300, 300, 300, 300, 300, 300},
     15,
     -1,
     0,
     true,
     false},
    {"ButtonsRefusedTwice",
     [](Rig& r) { r.faulty = std::make_unique<RefusingTransport>(r.mouse, kButtonReportId, 2); },
     ApplyOutcome::Done,
     {300, 300, 300},
     14,
     -1,
     0,
     true,
     true},
};

void PrintTo(const ApplyCase& c, std::ostream* os) { *os << c.name; }

class ApplySequence : public testing::TestWithParam<ApplyCase> {};

TEST_P(ApplySequence, OutcomeWaitsMessageAndMouseState) {
    const ApplyCase& c = GetParam();
    const MouseSetting setting = sampleSetting();
    const SettingsReport settings = BuildSettingsReport(setting);
    const ButtonReport buttons = BuildButtonReport(setting).report;
    for (int language : {kEnglish, 3}) {
        SCOPED_TRACE(language);
        Rig rig;
        c.fault(rig);
        rig.Connect();
        ApplyToDevice(setting, rig.host, *rig.context, rig.messages, language);

        EXPECT_EQ(rig.sleeper.waits, c.waits);
        EXPECT_FALSE(rig.hid->IsOpen());
        ASSERT_EQ(rig.host.Applied().size(), 1u);  // host settings go first, whatever the mouse does
        EXPECT_EQ(rig.host.Applied()[0], HostValuesFromItems(setting));
        if (c.textRow == -2) {
            EXPECT_TRUE(rig.messages.shown.empty());
        } else {
            ASSERT_EQ(rig.messages.shown.size(), 1u);
            const ShownMessage expected{
                std::u16string(GetText(TextTable::Message, c.textRow, language)),
                c.titleRow < 0 ? u"" : std::u16string(GetText(TextTable::Message, c.titleRow, language)),
                language};
            EXPECT_EQ(rig.messages.shown[0], expected);
        }
        const auto& state = rig.mouse.Reports();
        EXPECT_EQ(std::equal(settings.begin(), settings.end(), state.begin()), c.settingsStored);
        EXPECT_EQ(std::equal(buttons.begin(), buttons.end(), state.begin() + 8), c.buttonsStored);
    }
    Rig silentRig;
    c.fault(silentRig);
    silentRig.Connect();
    EXPECT_EQ(RunApply(setting, *silentRig.context).outcome, c.outcome);
    Rig codeRig;
    c.fault(codeRig);
    codeRig.Connect();
    EXPECT_EQ(ApplyToDeviceSilently(setting, codeRig.host, *codeRig.context), c.silent);
    EXPECT_TRUE(codeRig.messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Faults, ApplySequence, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ApplyCase>& info) { return info.param.name; });

// What the desktop refused travels with the result, whatever the mouse did; the window's message is
// the mouse's alone.
TEST(ApplySequence, RefusedHostSettingsAreReportedBesideTheMouseOutcome) {
    for (const bool present : {true, false}) {
        SCOPED_TRACE(present);
        Rig rig;
        rig.host.SetRefuseApply(true);
        rig.mouse.SetPresent(present);
        rig.Connect();
        const DesktopAndMouseApply result = ApplyDesktopThenMouse(sampleSetting(), rig.host, *rig.context);
        EXPECT_EQ(result.mouse.outcome, present ? ApplyOutcome::Done : ApplyOutcome::MouseNotFound);
        EXPECT_EQ(result.host.failed, std::vector<std::string>{"memory: the desktop refused the values"});
        ApplyToDevice(sampleSetting(), rig.host, *rig.context, rig.messages, kEnglish);
        ASSERT_EQ(rig.messages.shown.size(), 1u);
        EXPECT_EQ(rig.messages.shown[0].text,
                  GetText(TextTable::Message, present ? 14 : kCases[1].textRow, kEnglish));
    }
}

// A desktop that notes how many reports the mouse had taken when the pointer settings arrived.
class CountingHost : public HostPointer {
public:
    explicit CountingHost(const VirtualMouse& mouse) : m_mouse(mouse) {}
    HostApplyReport Apply(const HostPointerValues&) override {
        sendsBefore.push_back(m_mouse.SendCount());
        return {};
    }
    std::optional<HostPointerValues> Read() override { return std::nullopt; }
    std::string Name() const override { return "counting"; }

    std::vector<int> sendsBefore;

private:
    const VirtualMouse& m_mouse;
};

// The desktop's pointer settings are written before anything reaches the mouse, and the mouse's own
// sequence leaves the desktop alone.
TEST(ApplySequence, DesktopSettingsGoBeforeTheMouse) {
    Rig rig;
    rig.Connect();
    CountingHost host(rig.mouse);
    const DesktopAndMouseApply result = ApplyDesktopThenMouse(sampleSetting(), host, *rig.context);
    EXPECT_EQ(result.mouse.outcome, ApplyOutcome::Done);
    EXPECT_EQ(host.sendsBefore, std::vector<int>{0});
    EXPECT_EQ(rig.mouse.SendCount(), 2);
    ASSERT_EQ(RunApply(sampleSetting(), *rig.context).outcome, ApplyOutcome::Done);
    EXPECT_EQ(host.sendsBefore.size(), 1u);
}

TEST(ApplySequence, DownloadCopyIsTheButtonReport) {
    Rig rig;
    rig.Connect();
    const MouseSetting setting = sampleSetting();
    const ApplyResult result = RunApply(setting, *rig.context);
    ASSERT_EQ(result.outcome, ApplyOutcome::Done);
    EXPECT_FALSE(result.downloadCopyFailed);
    const ButtonReport expected = BuildButtonReport(setting).report;
    EXPECT_EQ(ReadBytes(rig.dir.path() / "download.bin"), std::string(expected.begin(), expected.end()));
}

TEST(ApplySequence, FailedDownloadCopyDoesNotStopTheApply) {
    Rig rig;
    rig.Connect();
    rig.context->programDir = rig.dir.path() / "no-such-folder";
    const ApplyResult result = RunApply(sampleSetting(), *rig.context);
    EXPECT_EQ(result.outcome, ApplyOutcome::Done);
    EXPECT_TRUE(result.downloadCopyFailed);
}

TEST(ApplySequence, ConfigurationThatDoesNotFitIsNotSent) {
    Rig rig;
    rig.Connect();
    const VirtualMouse::State before = rig.mouse.Reports();
    const MouseSetting setting = overflowingSetting();
    ApplyToDevice(setting, rig.host, *rig.context, rig.messages, kEnglish);

    ASSERT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_EQ(rig.messages.shown[0].text,
              u"Button 10 no longer fits into the mouse. Shorten the macros and "
              u"apply again.");
    EXPECT_EQ(rig.messages.shown[0].title, u"Fail");
    EXPECT_FALSE(std::filesystem::exists(rig.dir.path() / "download.bin"));
    EXPECT_EQ(rig.mouse.Reports(), before);  // neither report reached the mouse
    EXPECT_EQ(rig.mouse.SendCount(), 0);
    EXPECT_EQ(rig.host.Applied().size(), 1u);
    EXPECT_FALSE(rig.hid->IsOpen());

    Rig other;
    other.Connect();
    const ApplyResult result = RunApply(setting, *other.context);
    EXPECT_EQ(result.outcome, ApplyOutcome::ButtonsDoNotFit);
    EXPECT_EQ(result.button, 10);
    EXPECT_EQ(ApplyToDeviceSilently(setting, other.host, *other.context), 0);
}

// Without a program directory the copy is not written anywhere, least of all the working folder.
TEST(ApplySequence, EmptyProgramDirectoryWritesNoCopy) {
    Rig rig;
    rig.Connect();
    rig.context->programDir.clear();
    const std::filesystem::path cwd = std::filesystem::current_path();
    const bool before = std::filesystem::exists(cwd / "download.bin");
    const ApplyResult result = RunApply(sampleSetting(), *rig.context);
    EXPECT_EQ(result.outcome, ApplyOutcome::Done);
    EXPECT_TRUE(result.downloadCopyFailed);
    EXPECT_EQ(std::filesystem::exists(cwd / "download.bin"), before);
}

// A mouse whose node this user may not open is not "not found": the user learns about the rule.
TEST(ApplySequence, AccessRefusedNamesTheNodeAndTheRule) {
    Rig rig;
    rig.faulty = std::make_unique<DenyingTransport>(rig.mouse, VirtualMouse::kVendorPath);
    rig.Connect();
    const ApplyResult result = RunApply(sampleSetting(), *rig.context);
    EXPECT_EQ(result.outcome, ApplyOutcome::MouseAccessDenied);
    ASSERT_TRUE(result.refusal.has_value());
    EXPECT_EQ(result.refusal->path, VirtualMouse::kVendorPath);
    EXPECT_EQ(result.refusal->result.reason, "Permission denied");
    EXPECT_EQ(ApplyToDeviceSilently(sampleSetting(), rig.host, *rig.context), -3);
    for (int language = 0; language < kLanguageCount; ++language) {
        ScriptedUi ui;
        ApplyToDevice(sampleSetting(), rig.host, *rig.context, ui, language);
        ASSERT_EQ(ui.shown.size(), 1u);
        EXPECT_EQ(ui.shown[0].text,
                  std::u16string(GetText(TextTable::Message, kMessageCannotOpen, language)) + u"\n" +
                      std::u16string(GetText(TextTable::Notice, kNoticeAccessDenied, language)));
        EXPECT_EQ(ui.shown[0].title, GetText(TextTable::Message, kMessageDownloadFailed, language));
    }
}

}  // namespace
}  // namespace voltrane
