// The main controller without a window: which rule each item runs, what it marks, which question
// it asks, and what reaches the profile files and the (virtual) mouse.

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "control/device_actions.h"
#include "controller_rig.h"
#include "device/step_records.h"
#include "settings/language_file.h"
#include "settings/macro_files.h"
#include "settings/text_tables.h"
#include "settings/utf.h"

namespace voltrane {
namespace {

// What one click asks of the window, from a fresh start with the cursor on the item.
struct DispatchCase {
    const char* name;
    int item;
    std::vector<std::string> requests;
    bool repaintsItem;
};

const std::vector<DispatchCase> kDispatchCases = {
    {"Button1SameView", 0, {}, true},
    {"Button2OpensItsMenu", 1, {"menu 1"}, true},
    {"Button6TurnsToTheSideAndOpensItsMenu", 5, {"repaint", "menu 5"}, true},
    {"Button7TurnsToTheSideAndOpensItsMenu", 6, {"repaint", "menu 6"}, true},
    {"SaveSettingOpensTheSaveAsMenu", 121, {"save as"}, true},
    {"Hide", 123, {"hide"}, true},
    {"Close", 124, {"close"}, false},
    {"Cancel", 130, {"close"}, false},
    {"BasicTab", 125, {"box off", "repaint"}, true},
    {"AdvancedTab", 126, {"box on", "repaint"}, true},
    {"MacroList", 86, {}, true},
    {"MacroName", 61, {}, true},
    {"MacroDelete", 67, {}, true},
    {"MacroEdit", 68, {}, true},
    {"Import", 64, {}, true},
    {"Export", 66, {}, true},
    {"LabelDoesNothing", 7, {}, true},
    {"NoItem", 131, {}, false},
};

TEST(MainController, DispatchesEachItemToItsAction) {
    for (const DispatchCase& c : kDispatchCases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.Click(c.item);
        EXPECT_EQ(rig.window.requests, c.requests);
        const bool repainted = !rig.window.changed.empty() && rig.window.changed.back() == c.item;
        EXPECT_EQ(repainted, c.repaintsItem);
        EXPECT_TRUE(rig.ui.questions.empty());
        EXPECT_EQ(rig.mouse->SendCount(), 0);
    }
}

// A run of clicks (answering every question with `answers`): the modified flag and the questions.
struct MarkingCase {
    const char* name;
    std::vector<int> clicks;
    std::deque<bool> answers;
    bool modified;
    int questions;
};

const std::vector<MarkingCase> kMarkingCases = {
    {"NoProfileNoMarking", {14}, {}, false, 0},
    {"FirstProfileSwitchNeverAsks", {14, 116}, {}, false, 0},
    {"EditAfterProfileMarks", {116, 14}, {}, true, 0},
    {"StepperAtItsLimitStillMarks", {116, 47, 47, 47, 47, 47}, {}, true, 0},
    {"SliderTrackDoesNotMark", {116, 51}, {}, false, 0},
    {"Button6MarksWhenTheViewTurns", {116, 5}, {}, true, 0},
    {"Button7AfterButton6KeepsTheView", {116, 5, 118, 6}, {false}, false, 1},
    {"Button1TurnsBackWithoutMarking", {116, 5, 117, 0}, {false}, false, 1},
    {"SwitchWithChangesAsks", {116, 14, 117}, {false}, false, 1},
    {"SameProfileWithChangesAsks", {116, 14, 116}, {false}, false, 1},
    {"SaveSettingClears", {116, 14, 121, 117}, {}, false, 0},
    {"LoadSettingClears", {116, 14, 120}, {}, false, 0},
    {"DefaultAnsweredNoClears", {116, 14, 122}, {false}, false, 1},
    {"ApplyKeepsTheMark", {116, 14, 129}, {}, true, 0},
    {"TabsDoNotMark", {116, 126, 125}, {}, false, 0},
};

TEST(MainController, MarksAndAsksAsTheRulesSay) {
    for (const MarkingCase& c : kMarkingCases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.ui.yesNo = c.answers;
        for (int item : c.clicks) rig.Click(item);
        EXPECT_EQ(rig.main.m_bModified, c.modified);
        EXPECT_EQ(rig.ui.questions.size(), static_cast<std::size_t>(c.questions));
    }
}

TEST(MainController, EditRuleChangesTheRecordAndRepaintsWhatChanged) {
    Rig rig;
    rig.Click(kItemRate1000);
    EXPECT_EQ(rig.controller.Setting().m_nItem[kItemRate1000], 1);
    EXPECT_EQ(rig.controller.Setting().m_nItem[22], 0);  // the default 500 Hz is off
    EXPECT_NE(std::find(rig.window.changed.begin(), rig.window.changed.end(), 22),
              rig.window.changed.end());
}

// A slider click is an edit like any other: it sets the value, repaints the track and its value,
// and marks the profile once one was chosen, so that switching profiles asks.
struct SliderCase {
    const char* name;
    int track;
    int value;
};

const std::vector<SliderCase> kSliderCases = {
    {"Dpi", kItemDpiSlider, 3},
    {"PointerSpeed", kItemSpeedSlider, 8},
    {"WheelLines", 79, 0},
    {"DoubleClick", kItemDoubleClickSlider, 9},
};

TEST(MainController, SliderClickSetsTheValueAndMarksTheProfile) {
    for (const SliderCase& c : kSliderCases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.Click(116);
        rig.window.changed.clear();
        rig.main.ClickSlider(c.track, c.value);
        EXPECT_EQ(rig.Setting().m_nItem[c.track + kSliderValueOffset], c.value);
        EXPECT_EQ(rig.window.changed, (std::vector<int>{c.track, c.track + kSliderValueOffset}));
        EXPECT_TRUE(rig.main.m_bModified);
        rig.Click(117);
        EXPECT_EQ(rig.ui.questions.size(), 1u);
    }
}

// The name typed into the box becomes the selected macro's name on a background click, bounded.
TEST(MainController, BackgroundClickTakesOverTheTypedNameBounded) {
    Rig rig;
    rig.Store().m_nMacroSel = 2;
    rig.window.nameText = std::u16string(32767, u'n');
    rig.main.TakeOverMacroName();
    EXPECT_EQ(rig.Store().m_strMacroNames[2], std::u16string(kMaxNameLength, u'n'));
    EXPECT_EQ(rig.window.changed, std::vector<int>{kItemMacroList});
    rig.window.nameText.clear();
    rig.main.TakeOverMacroName();
    EXPECT_EQ(rig.Store().m_strMacroNames[2], std::u16string(kMaxNameLength, u'n'));
}

// The hover row follows the cursor over the list on the advanced page, never past the new-macro
// row, and falls back to the selected row elsewhere; only a change repaints.
struct HoverCase {
    const char* name;
    int page;
    int hot;
    int offsetY;
    int expectedRow;
    bool repaints;
};

const std::vector<HoverCase> kHoverCases = {
    {"FirstRow", 1, kItemMacroList, 0, 3, true},
    {"ThirdRow", 1, kItemMacroList, 2 * kMacroRowHeight + 5, 5, true},
    {"PastTheNewMacroRow", 1, kItemMacroList, 19 * kMacroRowHeight, 6, true},
    {"SelectedRowUnchanged", 1, kItemMacroList, kMacroRowHeight + 1, 4, false},
    {"BasicPage", 0, kItemMacroList, 0, 4, false},
    {"OtherItem", 1, kItemMacroCount, 0, 4, false},
};

TEST(MainController, HoverFollowsTheCursorOverTheMacroList) {
    for (const HoverCase& c : kHoverCases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        MacroStore& store = rig.Store();
        store.m_nMacroCount = 6;
        store.m_nMacroTop = 3;
        store.m_nMacroSel = 4;
        store.m_nMacroHoverRow = 4;
        rig.main.m_nPage = c.page;
        rig.main.Hover(c.hot, c.offsetY);
        EXPECT_EQ(rig.main.m_nHotItem, c.hot);
        EXPECT_EQ(store.m_nMacroHoverRow, c.expectedRow);
        const std::vector<int> repainted =
            c.repaints ? std::vector<int>{kItemMacroInfo, kItemMacroList} : std::vector<int>{};
        EXPECT_EQ(rig.window.changed, repainted);
    }
}

// The wheel scrolls the list a row at a time, stops at both ends, and is left to the window when
// the cursor is elsewhere.
struct WheelCase {
    const char* name;
    int hot;
    int top;
    int delta;
    bool handled;
    int expectedTop;
};

const std::vector<WheelCase> kWheelCases = {
    {"Up", kItemMacroList, 5, 120, true, 4},
    {"UpAtTheTop", kItemMacroList, 0, 120, true, 0},
    {"Down", kItemMacroList, 5, -120, true, 6},
    {"DownAtTheEnd", kItemMacroList, 11, -120, true, 11},
    {"ElsewhereIsNotHandled", kItemMacroCount, 5, 120, false, 5},
};

TEST(MainController, WheelScrollsTheMacroListWithinItsRows) {
    for (const WheelCase& c : kWheelCases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.Store().m_nMacroCount = 30;
        rig.Store().m_nMacroTop = c.top;
        rig.main.m_nHotItem = c.hot;
        EXPECT_EQ(rig.main.ScrollMacroList(c.delta), c.handled);
        EXPECT_EQ(rig.Store().m_nMacroTop, c.expectedTop);
        const bool moved = c.top != c.expectedTop;
        EXPECT_EQ(rig.window.changed, moved ? std::vector<int>{kItemMacroList} : std::vector<int>{});
    }
}

// The save question in each language, and what each answer does to the old profile's file.
struct SaveQuestionCase {
    const char* name;
    int language;
    bool answer;
    std::u16string text;
};

const std::vector<SaveQuestionCase> kSaveQuestionCases = {
    {"EnglishYes", kEnglish, true, u"Do you want to save the changes?"},
    {"GermanNo", 3, false, u"Möchten Sie die Änderungen speichern?"},
    {"KoreanYes", 5, true, u"변경 사항을 저장하시겠습니까?"},
};

TEST(MainController, SaveQuestionSavesTheOldProfileOnYes) {
    for (const SaveQuestionCase& c : kSaveQuestionCases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.controller.SetLanguage(c.language);
        rig.ui.yesNo = {c.answer};
        rig.Click(116);
        rig.Click(14);
        rig.Click(118);
        ASSERT_EQ(rig.ui.questions.size(), 1u);
        EXPECT_EQ(rig.ui.questions[0], c.text);
        EXPECT_EQ(rig.Exists("Setting2.ini"), c.answer);
        EXPECT_EQ(rig.main.m_nCurProfile, 4);
        const int* items = rig.controller.Setting().m_nItem;
        EXPECT_EQ(std::vector<int>(items + 115, items + 120), (std::vector<int>{0, 0, 0, 1, 0}));
    }
}

// Loading a profile that has no file empties the macro-name box; a profile with a file keeps it.
TEST(MainController, ProfileWithoutFileEmptiesTheNameBox) {
    struct Case {
        const char* name;
        int item;
        const char* file;  // written before the click, if any
        std::u16string box;
    };
    const Case cases[] = {
        {"NumberedProfileWithoutFile", 117, nullptr, u""},
        {"NumberedProfileWithFile", 117, "Setting3.ini", u"Macro_1"},
        {"DefaultsWithoutFile", 122, nullptr, u""},
        {"DefaultsWithFile", 122, "DefSet.ini", u"Macro_1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        if (c.file) {
            ASSERT_TRUE(rig.controller.SaveProfile(rig.dir.path() / c.file));
        }
        rig.window.nameText = u"Macro_1";
        rig.ui.yesNo = {true};
        rig.Click(c.item);
        EXPECT_EQ(rig.window.nameText, c.box);
    }
}

// A profile file that cannot be written or read (a folder in its place): each failure is told as
// "Save Setting2" and "Load setting" tell it, and neither the changes nor the profile shown are lost.
constexpr int kNoTitle = -1;

struct ProfileFailureCase {
    const char* name;
    std::vector<int> clicksBefore;  // before the folder appears
    const char* folder;
    std::vector<int> clicksAfter;
    std::deque<bool> answers;
    std::vector<std::pair<int, int>> shown;  // message rows: text, title (kNoTitle: none)
    int profile;                             // the current profile afterwards
    bool modified;
};

const std::vector<ProfileFailureCase> kProfileFailureCases = {
    {"ApplyTellsTheFailedSaveAndStillWritesTheMouse",
     {116, kItemRate1000},
     "Setting2.ini",
     {129},
     {},
     {{kMessageFileSaveFailed, kMessageError}, {kMessageDownloadComplete, kNoTitle}},
     2,
     true},
    {"FailedSaveAfterYesStaysWithTheChanges",
     {116, kItemRate1000},
     "Setting2.ini",
     {118},
     {true},
     {{kMessageFileSaveFailed, kMessageError}},
     2,
     true},
    {"UnreadableTabKeepsTheProfileAndChanges",
     {116, kItemRate1000},
     "Setting4.ini",
     {118},
     {false},
     {{kMessageError, kMessageFail}},
     2,
     true},
    {"UnreadableFirstTab", {}, "Setting4.ini", {118}, {}, {{kMessageError, kMessageFail}}, -1, false},
};

TEST(MainController, ProfileFileFailuresAreToldAndLoseNothing) {
    for (const ProfileFailureCase& c : kProfileFailureCases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.ui.yesNo = c.answers;
        for (int item : c.clicksBefore) rig.Click(item);
        const MouseSetting before = rig.Setting();
        std::filesystem::create_directory(rig.dir.path() / c.folder);
        for (int item : c.clicksAfter) rig.Click(item);
        ASSERT_EQ(rig.ui.shown.size(), c.shown.size());
        for (std::size_t i = 0; i < c.shown.size(); ++i) {
            EXPECT_EQ(rig.ui.shown[i].text, GetText(TextTable::Message, c.shown[i].first, kEnglish));
            const int title = c.shown[i].second;
            EXPECT_EQ(rig.ui.shown[i].title,
                      title == kNoTitle ? u"" : GetText(TextTable::Message, title, kEnglish));
        }
        EXPECT_EQ(rig.main.m_nCurProfile, c.profile);
        EXPECT_EQ(rig.main.m_bModified, c.modified);
        EXPECT_EQ(rig.Setting().m_nItem[kItemRate1000], before.m_nItem[kItemRate1000]);
        const int* items = rig.Setting().m_nItem;
        EXPECT_EQ(std::vector<int>(items + kItemProfile1, items + kItemProfile5 + 1),
                  std::vector<int>(before.m_nItem + kItemProfile1, before.m_nItem + kItemProfile5 + 1));
    }
}

TEST(MainController, RestoreQuestionInKorean) {
    Rig rig;
    rig.controller.SetLanguage(5);
    rig.Click(122);
    ASSERT_EQ(rig.ui.questions.size(), 1u);
    EXPECT_EQ(rig.ui.questions[0], u"공장 기본값으로 복원하시겠습니까？");
    EXPECT_EQ(rig.mouse->SendCount(), 0);
}

TEST(MainController, RestoreOnYesSendsTheDefaultsSilently) {
    Rig rig;
    rig.Click(kItemRate1000);
    rig.ui.yesNo = {true};
    rig.Click(122);
    EXPECT_EQ(rig.controller.Setting().m_nItem[kItemRate1000], 0);
    EXPECT_GT(rig.mouse->SendCount(), 0);
    EXPECT_TRUE(rig.ui.shown.empty());
}

// Apply before any profile tab: profile 1 is the one highlighted, so it is saved there.
TEST(MainController, ApplyBeforeAnyProfileSavesProfileOne) {
    Rig rig;
    rig.Click(kItemRate1000);
    rig.Click(129);
    EXPECT_TRUE(rig.Exists("Setting1.ini"));
    EXPECT_FALSE(rig.Exists("Setting-1.ini"));
    EXPECT_TRUE(rig.Exists("download.bin"));
    ASSERT_EQ(rig.ui.shown.size(), 1u);
    EXPECT_EQ(rig.ui.shown[0].text, GetText(TextTable::Message, kMessageDownloadComplete, kEnglish));
    EXPECT_GT(rig.mouse->SendCount(), 0);
}

TEST(MainController, OkSendsAndHidesEvenWhenTheMouseIsGone) {
    for (const bool present : {true, false}) {
        SCOPED_TRACE(present);
        Rig rig;
        rig.mouse->SetPresent(present);
        rig.Click(128);
        EXPECT_EQ(rig.window.requests, std::vector<std::string>{"hide"});
        ASSERT_EQ(rig.ui.shown.size(), 1u);
        EXPECT_EQ(rig.ui.shown[0].text == GetText(TextTable::Message, kMessageDownloadComplete, kEnglish),
                  present);
        EXPECT_FALSE(rig.Exists("Setting1.ini"));
    }
}

// Start-up read "LANGUAGE.ini" before the window existed; the controller takes the language it
// is given rather than reading the file again.
TEST(MainController, InitialiseUsesTheGivenLanguageAndLeavesTheDesktopAlone) {
    const HostPointerValues desktop{4, false, 7, 900};
    Rig rig(desktop);
    ASSERT_TRUE(WriteLanguage(rig.dir.path() / "LANGUAGE.ini", 5).ok());
    const MacroNameBox box = rig.main.Initialise(3);
    EXPECT_EQ(rig.controller.Language(), 3);
    EXPECT_TRUE(rig.host->Applied().empty());
    EXPECT_EQ(rig.host->Values(), desktop);
    EXPECT_EQ(rig.controller.Setting().m_nItem[kItemWheelLines], 6);
    EXPECT_EQ(rig.controller.Setting().m_nItem[kItemProfile1], 1);
    EXPECT_EQ(rig.main.m_nCurProfile, -1);
    EXPECT_FALSE(box.enabled);
    EXPECT_TRUE(rig.ui.shown.empty());
}

// Button 4's macro was named in profile 1 and applied; at the next start the read decodes it from
// the mouse. The profile's name survives when the mouse holds the profile's macro.
TEST(MainController, StartUpKeepsTheProfilesMacroNames) {
    struct Case {
        const char* name;
        int profilePresses;  // key presses of the macro that profile 1 holds for button 4
        std::u16string shown;
    };
    const Case cases[] = {
        {"MouseHoldsTheProfilesMacro", 2, u"Combo1"},
        {"MouseHoldsAnotherMacro", 3, u"Macro_1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        const MacroRecord applied = KeyPresses(2);
        const MacroRecord inProfile = KeyPresses(c.profilePresses);
        ASSERT_TRUE(AssignMacro(rig.Setting(), 3, &applied, u"Combo1"));
        ASSERT_EQ(rig.controller.Apply().mouse.outcome, ApplyOutcome::Done);
        ASSERT_TRUE(AssignMacro(rig.Setting(), 3, &inProfile, u"Combo1"));
        ASSERT_TRUE(rig.controller.SaveProfile(rig.dir.path() / "Setting1.ini"));
        rig.Setting().ResetToDefaults();

        rig.main.Initialise(kEnglish);
        EXPECT_EQ(rig.Setting().m_nItem[3], kFunctionMacro);
        EXPECT_EQ(rig.Setting().m_nMacroDataLen[3], 40);
        EXPECT_EQ(rig.Setting().m_strButtonMacro[3], c.shown);
    }
}

// A "mouse.mac" that start-up cannot read is told before a save could replace it; a good one is read
// silently.
TEST(MainController, StartUpTellsAnUnreadableMacroFile) {
    struct Case {
        const char* name;
        bool directory;        // "mouse.mac" is a folder: it exists but cannot be read
        std::string contents;  // else the file's bytes
        bool told;
    };
    const Case cases[] = {
        {"NotAMacroFile", false, "these are not macros", true},
        {"Empty", false, "", true},
        {"Folder", true, "", true},
        {"EmptyStore", false, std::string(kMacroSignature) + std::string(kMacroHeaderBytes - 31, '\0'),
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        const std::filesystem::path path = rig.dir.path() / "mouse.mac";
        if (c.directory) {
            std::filesystem::create_directory(path);
        } else {
            std::ofstream(path, std::ios::binary) << c.contents;
        }
        const MacroNameBox box = rig.main.Initialise(3);
        EXPECT_TRUE(box.enabled);
        if (!c.told) {
            EXPECT_TRUE(rig.ui.shown.empty());
            continue;
        }
        ASSERT_EQ(rig.ui.shown.size(), 1u);
        EXPECT_EQ(rig.ui.shown[0].text,
                  std::u16string(GetText(TextTable::Message, kMessageError, 3)) + u"\nmouse.mac");
        EXPECT_EQ(rig.ui.shown[0].title, GetText(TextTable::Message, kMessageFail, 3));
    }
}

// A refused report is told with the device's reason under the message, when the device gave one.
TEST(ShowApplyOutcome, RefusalsCarryTheDevicesReason) {
    struct Case {
        const char* name;
        ApplyOutcome outcome;
        std::string reason;
        int row;
        std::u16string title;
    };
    const std::string reason =
        "cannot write the virtual mouse's state file /x/m.bin: Read-only file system";
    const Case cases[] = {
        {"SettingsNoReason", ApplyOutcome::SettingsRefused, "", kMessageSetFailed,
         std::u16string(GetText(TextTable::Message, kMessageFail, 3))},
        {"SettingsWithReason", ApplyOutcome::SettingsRefused, reason, kMessageSetFailed,
         std::u16string(GetText(TextTable::Message, kMessageFail, 3))},
        {"ButtonsNoReason", ApplyOutcome::ButtonsRefused, "", kMessageProgramFailure, u""},
        {"ButtonsWithReason", ApplyOutcome::ButtonsRefused, reason, kMessageProgramFailure, u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedUi ui;
        ApplyResult result{c.outcome};
        result.transferFailure = c.reason;
        ShowApplyOutcome(result, ui, 3);
        std::u16string expected(GetText(TextTable::Message, c.row, 3));
        if (!c.reason.empty()) expected += u"\n" + Utf8ToUtf16(c.reason);
        ASSERT_EQ(ui.shown.size(), 1u);
        EXPECT_EQ(ui.shown[0].text, expected);
        EXPECT_EQ(ui.shown[0].title, c.title);
    }
}

TEST(MainController, LanguageChangeIsStoredAndRepainted) {
    Rig rig;
    rig.main.ChangeLanguage(5);
    EXPECT_EQ(ReadLanguage(rig.dir.path() / "LANGUAGE.ini"), 5);
    EXPECT_EQ(rig.controller.Language(), 5);
    EXPECT_EQ(rig.window.requests, std::vector<std::string>{"repaint"});
    EXPECT_TRUE(rig.ui.shown.empty());
}

// A language file that cannot be written is told; the language is used all the same.
TEST(MainController, LanguageThatCannotBeStoredIsTold) {
    Rig rig;
    std::filesystem::create_directory(rig.dir.path() / "LANGUAGE.ini");
    rig.main.ChangeLanguage(3);
    EXPECT_EQ(rig.controller.Language(), 3);
    ASSERT_EQ(rig.ui.shown.size(), 1u);
    EXPECT_EQ(rig.ui.shown[0].text, GetText(TextTable::Message, kMessageFileSaveFailed, 3));
    EXPECT_EQ(rig.ui.shown[0].title, GetText(TextTable::Message, kMessageError, 3));
}

}  // namespace
}  // namespace voltrane
