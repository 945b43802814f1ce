// The commands of the button-function menu and the save-as menu, without a window: what each
// command does to the record, the profile files and the user, with the dialogs scripted.

#include <gtest/gtest.h>

#include <fstream>

#include "control/menu_commands.h"
#include "controller_rig.h"
#include "settings/profile.h"
#include "settings/text_tables.h"

namespace voltrane {
namespace {

constexpr KeyString kCtrlC{70, 48};  // LCtrl + C
constexpr KeyString kNoKeys{};

// One command on a button: the menu's answer, the dialogs' answers and the stored macros (the key
// presses of each), then the button's function code, macro name and macro row length.
struct FunctionCase {
    const char* name;
    int item;
    std::optional<int> command;
    std::optional<KeyString> keys;
    std::optional<int> choice;
    std::vector<int> macros;
    int code;  // 0: the default stays
    std::u16string macroName;
    int macroLength;
    bool refused;
};

// clang-format off
const std::vector<FunctionCase> kFunctionCases = {
    {"LeftOnButton3", 2, 5001, {}, {}, {}, kFunctionLeft, u"old", 0, false},
    {"CopyFromTheBasicSubmenu", 3, 5013, {}, {}, {}, 13, u"old", 0, false},
    {"SwitchDpiFromTheAdvancedSubmenu", 1, 5026, {}, {}, {}, 26, u"old", 0, false},
    {"MuteFromTheMediaSubmenu", 6, 5039, {}, {}, {}, 39, u"old", 0, false},
    {"Disable", 4, 5012, {}, {}, {}, kFunctionDisable, u"old", 0, false},
    {"DismissedMenu", 2, std::nullopt, {}, {}, {}, 0, u"old", 0, false},
    {"SubmenuTitleIsNoCommand", 2, 5010, {}, {}, {}, 0, u"old", 0, false},
    {"SaveAsCommandOnAButton", 2, 5041, {}, {}, {}, 0, u"old", 0, false},
    {"KeyboardWithKeys", 2, 5007, kCtrlC, {}, {}, kFunctionKeyboard, u"", 0, false},
    {"KeyboardOkWithoutKeysOnlyClearsTheName", 2, 5007, kNoKeys, {}, {}, 0, u"", 0, false},
    {"KeyboardCancelled", 2, 5007, std::nullopt, {}, {}, 0, u"old", 0, false},
    {"MacroChosen", 3, 5008, {}, 1, {1, 3}, kFunctionMacro, u"Macro_2", 60, false},
    {"MacroFromAnEmptyStore", 3, 5008, {}, 0, {}, kFunctionMacro, u"", 0, false},
    {"MacroThatFillsTheButton", 3, 5008, {}, 0, {12}, kFunctionMacro, u"Macro_1", 240, false},
    {"MacroTooLongIsRefused", 3, 5008, {}, 0, {13}, 0, u"old", 0, true},
    {"MacroCancelled", 3, 5008, {}, std::nullopt, {1}, 0, u"old", 0, false},
};
// clang-format on

TEST(FunctionCommands, EachCommandGivesTheButtonItsFunction) {
    for (const FunctionCase& c : kFunctionCases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        MouseSetting& setting = rig.Setting();
        setting.m_strButtonMacro[c.item] = u"old";
        for (int presses : c.macros) {
            rig.Store().m_Macro[rig.Store().m_nMacroCount] = KeyPresses(presses);
            rig.Store().m_strMacroNames[rig.Store().m_nMacroCount] =
                MacroName(rig.Store().m_nMacroCount + 1);
            ++rig.Store().m_nMacroCount;
        }
        rig.window.commands = {c.command};
        rig.dialogs.keys = {c.keys};
        rig.dialogs.choices = {c.choice};
        rig.Click(c.item);

        EXPECT_EQ(setting.m_nItem[c.item], c.code ? c.code : kDefaultItems[c.item]);
        EXPECT_EQ(setting.m_strButtonMacro[c.item], c.macroName);
        EXPECT_EQ(setting.m_nMacroDataLen[c.item], c.macroLength);
        if (c.keys && (*c.keys)[0] != 0) {
            EXPECT_TRUE(std::equal(c.keys->begin(), c.keys->end(), setting.m_KeyData[c.item]));
        }
        ASSERT_EQ(rig.ui.shown.size(), c.refused ? 1u : 0u);
        if (c.refused) {
            EXPECT_EQ(rig.ui.shown[0].text, GetText(TextTable::Notice, kNoticeMacroTooLong, kEnglish));
        }
        EXPECT_FALSE(rig.main.m_bModified);
        EXPECT_EQ(rig.mouse->SendCount(), 0);
    }
}

TEST(FunctionCommands, AChosenMacroBecomesStepRecords) {
    Rig rig;
    rig.Store().m_Macro[0] = KeyPresses(1);
    rig.Store().m_nMacroCount = 1;
    rig.window.commands = {5008};
    rig.dialogs.choices = {0};
    rig.Click(3);
    const uint8_t* row = rig.Setting().m_MacroData[3];
    EXPECT_EQ(row[0], 0x60);
    EXPECT_EQ(row[2], 0x04);  // the usage of A
    EXPECT_EQ(row[10], 0x60);
    EXPECT_EQ(row[12], 0);  // the release
    EXPECT_EQ(rig.dialogs.choiceCounts, std::vector<uint32_t>{1});
}

// Space repeats the activation of Button3 while the cursor rests on Button5: the menu shown under
// Button3 configures Button3.
TEST(FunctionCommands, TheCommandGoesToTheButtonWhoseMenuOpened) {
    Rig rig;
    rig.Click(2);
    rig.main.m_nHotItem = 4;
    rig.window.commands = {5012};
    rig.main.ActivateItem(rig.main.m_nFocusItem);
    EXPECT_EQ(rig.Setting().m_nItem[2], kFunctionDisable);
    EXPECT_EQ(rig.Setting().m_nItem[4], kDefaultItems[4]);
}

// With a profile chosen, a function from the menu leaves the record unmarked.
TEST(FunctionCommands, AMenuCommandDoesNotMarkTheProfile) {
    Rig rig;
    rig.Click(116);
    rig.window.commands = {5012};
    rig.Click(2);
    EXPECT_EQ(rig.Setting().m_nItem[2], kFunctionDisable);
    EXPECT_FALSE(rig.main.m_bModified);
}

TEST(FunctionCommands, DialogsRunInTheActiveLanguage) {
    Rig rig;
    rig.controller.SetLanguage(3);
    rig.window.commands = {5007, 5008};
    rig.Click(1);
    rig.Click(1);
    EXPECT_EQ(rig.dialogs.languages, (std::vector<int>{3, 3}));
}

// A save-as command: the file dialog's answer, then the files written, the profile label and tabs
// (items 114..119) and the message shown.
struct SaveAsCase {
    const char* name;
    int command;
    std::optional<const char*> chosen;
    const char* written;  // nullptr: nothing
    std::vector<int> tabs;
    bool failed;
};

// clang-format off
const std::vector<SaveAsCase> kSaveAsCases = {
    {"SaveSetting1", 5041, {}, "Setting1.ini", {0, 1, 0, 0, 0, 0}, false},
    {"SaveSetting3", 5043, {}, "Setting3.ini", {0, 0, 0, 1, 0, 0}, false},
    {"SaveSetting5", 5045, {}, "Setting5.ini", {0, 0, 0, 0, 0, 1}, false},
    {"SaveAsAChosenFile", 5040, "mine.ini", "mine.ini", {1, 0, 0, 0, 0, 0}, false},
    {"SaveAsCancelled", 5040, std::nullopt, nullptr, {1, 0, 0, 0, 0, 0}, false},
    {"SaveAsIntoAMissingFolder", 5040, "gone/mine.ini", nullptr, {1, 0, 0, 0, 0, 0}, true},
    {"DismissedMenu", 0, {}, nullptr, {0, 0, 0, 0, 0, 0}, false},
};
// clang-format on

TEST(FunctionCommands, SaveAsCommandsSaveTheProfile) {
    for (const SaveAsCase& c : kSaveAsCases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        for (int item = kItemProfileLabel; item <= kItemProfile5; ++item) rig.Setting().m_nItem[item] = 0;
        rig.window.commands = {c.command ? std::optional<int>(c.command) : std::nullopt};
        if (c.chosen) rig.ui.files = {rig.dir.path() / *c.chosen};
        rig.Click(kItemSaveSetting);

        const int32_t* items = rig.Setting().m_nItem;
        EXPECT_EQ(std::vector<int>(items + kItemProfileLabel, items + kItemProfile5 + 1), c.tabs);
        EXPECT_EQ(rig.ui.saveDialogs, c.command == kSaveAsCommandBase ? 1 : 0);
        if (rig.ui.lastFilter) {
            EXPECT_EQ(rig.ui.lastFilter->description, u"INI File (*.ini)");
        }
        std::size_t files = 0;
        for (const auto& entry : std::filesystem::directory_iterator(rig.dir.path()))
            files += entry.is_regular_file();
        EXPECT_EQ(files, c.written ? 1u : 0u);
        if (c.written) {
            EXPECT_TRUE(rig.Exists(c.written));
        }
        ASSERT_EQ(rig.ui.shown.size(), c.failed ? 1u : 0u);
        if (c.failed) {
            EXPECT_EQ(rig.ui.shown[0].text, GetText(TextTable::Message, kMessageFileSaveFailed, kEnglish));
            EXPECT_EQ(rig.ui.shown[0].title, GetText(TextTable::Message, kMessageError, kEnglish));
        }
    }
}

TEST(FunctionCommands, SaveAsProfile3AndLoadItAgain) {
    Rig rig;
    rig.Click(kItemRate1000);
    rig.window.commands = {5043};
    rig.Click(kItemSaveSetting);
    rig.Click(kItemRate125);
    rig.Click(117);
    EXPECT_EQ(rig.Setting().m_nItem[kItemRate1000], 1);
    EXPECT_EQ(rig.Setting().m_nItem[kItemRate125], 0);
    EXPECT_EQ(rig.main.m_nCurProfile, 3);
}

// "Load setting" on a file that is no profile: the record stays and the user is told.
TEST(FunctionCommands, LoadingAForeignFileIsTold) {
    Rig rig;
    rig.Click(kItemRate1000);
    std::ofstream(rig.dir.path() / "notes.ini") << "[Other]\nkey=1\n";
    rig.ui.files = {rig.dir.path() / "notes.ini"};
    rig.Click(kItemLoadSetting);
    EXPECT_EQ(rig.Setting().m_nItem[kItemRate1000], 1);
    ASSERT_EQ(rig.ui.shown.size(), 1u);
    EXPECT_EQ(rig.ui.shown[0].text, GetText(TextTable::Message, kMessageError, kEnglish));
    EXPECT_EQ(rig.ui.shown[0].title, GetText(TextTable::Message, kMessageFail, kEnglish));
}

}  // namespace
}  // namespace voltrane
