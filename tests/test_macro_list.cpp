// The macro panel without a window: list clicks, "Name", "Edit", "Delete" and the macro files, with
// the macro-name box a string and the macro editor scripted.

#include <gtest/gtest.h>

#include "control/macro_list.h"
#include "controller_rig.h"
#include "file_bytes.h"
#include "settings/macro_files.h"
#include "settings/text_tables.h"

namespace voltrane {
namespace {

// A store of `count` macros named "M1" .. (slot `unnamed` without a name), a selection, a top row,
// a hover row and the box's text; one click on `item` (the editor answering `edited` key presses,
// -1 for Cancel); then the count, selection, top row, names, the box and how often the editor ran.
struct ListCase {
    const char* name;
    int count;
    int unnamed;
    int selected;
    int top;
    int hover;
    std::u16string box;
    int item;
    int edited;
    int expectedCount;
    int expectedSelected;
    int expectedTop;
    std::vector<std::u16string> names;
    std::u16string expectedBox;
    int editorRuns;
};

// clang-format off
const std::vector<ListCase> kListCases = {
    {"ClickANamedMacro", 3, -1, 0, 0, 1, u"", 86, -1, 3, 1, 0, {u"M1", u"M2", u"M3"}, u"M2", 0},
    {"ClickAMacroWithoutNameNamesIt", 3, 2, 0, 0, 2, u"", 86, -1, 3, 2, 0,
     {u"M1", u"M2", u"Macro_3"}, u"Macro_3", 0},
    {"ClickBelowTheLastMacro", 2, -1, 0, 0, 2, u"M1", 86, -1, 2, 2, 0, {u"M1", u"M2"}, u"<New Macro>", 0},
    {"NameTheSelectedMacro", 2, -1, 1, 0, 1, u"Fire", 61, -1, 2, 1, 0, {u"M1", u"Fire"}, u"Fire", 0},
    {"NewMacroUnderThePlaceholderName", 2, -1, 2, 0, 2, u"<New Macro>", 68, 2, 3, 3, 0,
     {u"M1", u"M2", u"Macro_3"}, u"Macro_3", 1},
    {"NewMacroWithAnEmptyBox", 0, -1, 0, 0, 0, u"", 68, 1, 1, 1, 0, {u"Macro_1"}, u"Macro_1", 1},
    {"NewMacroUnderATypedName", 1, -1, 1, 0, 1, u"Jump", 68, 2, 2, 2, 0, {u"M1", u"Jump"}, u"Jump", 1},
    {"EditAnExistingMacro", 2, -1, 0, 0, 0, u"M1", 68, 4, 2, 0, 0, {u"M1", u"M2"}, u"M1", 1},
    {"EditEndingWithNoSteps", 2, -1, 0, 0, 0, u"M1", 68, 0, 2, 0, 0, {u"M1", u"M2"}, u"M1", 1},
    {"EditCancelled", 2, -1, 2, 0, 2, u"<New Macro>", 68, -1, 2, 2, 0, {u"M1", u"M2"}, u"<New Macro>", 1},
    {"DeleteFromTheMiddle", 3, -1, 1, 0, 1, u"M2", 67, -1, 2, 1, 0, {u"M1", u"M3"}, u"M3", 0},
    {"DeleteTheLastOfSeveral", 3, -1, 2, 2, 2, u"M3", 67, -1, 2, 1, 1, {u"M1", u"M2"}, u"M2", 0},
    {"DeleteTheOnlyMacro", 1, -1, 0, 0, 0, u"M1", 67, -1, 0, 0, 0, {}, u"<New Macro>", 0},
    {"DeleteOnTheNewMacroSlot", 2, -1, 2, 0, 2, u"<New Macro>", 67, -1, 2, 2, 0,
     {u"M1", u"M2"}, u"<New Macro>", 0},
};
// clang-format on

void fillStore(MacroStore& store, int count, int unnamed) {
    for (int slot = 0; slot < count; ++slot) {
        store.m_Macro[slot] = KeyPresses(slot % 8 + 1);
        if (slot != unnamed) store.m_strMacroNames[slot] = u"M" + DecimalUtf16(slot + 1);
    }
    store.m_nMacroCount = static_cast<uint32_t>(count);
}

TEST(MacroList, ActionsKeepSelectionNamesAndBoxInStep) {
    for (const ListCase& c : kListCases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        MacroStore& store = rig.Store();
        fillStore(store, c.count, c.unnamed);
        store.m_nMacroSel = c.selected;
        store.m_nMacroTop = c.top;
        store.m_nMacroHoverRow = c.hover;
        rig.window.nameText = c.box;
        if (c.edited >= 0) rig.dialogs.edits = {KeyPresses(c.edited)};
        const MacroRecord before = store.m_Macro[std::min(c.selected, c.count)];
        rig.Click(c.item);

        EXPECT_EQ(store.m_nMacroCount, static_cast<uint32_t>(c.expectedCount));
        EXPECT_EQ(store.m_nMacroSel, c.expectedSelected);
        EXPECT_EQ(store.m_nMacroTop, c.expectedTop);
        EXPECT_EQ(
            std::vector<std::u16string>(store.m_strMacroNames, store.m_strMacroNames + c.expectedCount),
            c.names);
        EXPECT_EQ(rig.window.nameText, c.expectedBox);
        EXPECT_EQ(rig.window.nameBoxFocused, c.item == kItemMacroList);
        ASSERT_EQ(rig.dialogs.editorInput.size(), static_cast<std::size_t>(c.editorRuns));
        if (c.editorRuns) {
            EXPECT_EQ(rig.dialogs.editorInput[0].count, before.count);
        }
        EXPECT_TRUE(rig.ui.shown.empty());
        EXPECT_FALSE(rig.Exists("mouse.mac"));
    }
}

// Macros recorded one after another, each from the box as the last one left it (or as typed): every
// new macro gets a name no other macro has.
TEST(MacroList, NewMacrosGetNamesOfTheirOwn) {
    struct Case {
        const char* name;
        std::vector<std::u16string> stored;  // the names of the macros already there
        std::vector<std::u16string> typed;   // the box before each recording; "" keeps it as it is
        std::vector<std::u16string> expected;
    };
    const Case cases[] = {
        {"TwoInARow", {}, {u"", u""}, {u"Macro_1", u"Macro_2"}},
        {"TypedNameThenAgain", {}, {u"Jump", u""}, {u"Jump", u"Macro_2"}},
        {"NumberAlreadyTaken", {u"Macro_2"}, {u"<New Macro>"}, {u"Macro_2", u"Macro_3"}},
        {"TypedNameOfAnotherMacro", {u"Fire"}, {u"Fire"}, {u"Fire", u"Macro_2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        MacroStore& store = rig.Store();
        fillStore(store, static_cast<int>(c.stored.size()), -1);
        std::copy(c.stored.begin(), c.stored.end(), store.m_strMacroNames);
        store.m_nMacroSel = static_cast<int>(c.stored.size());
        for (const std::u16string& typed : c.typed) {
            if (!typed.empty()) rig.window.nameText = typed;
            rig.dialogs.edits = {KeyPresses(1)};
            rig.Click(kItemMacroEdit);
        }
        EXPECT_EQ(
            std::vector<std::u16string>(store.m_strMacroNames, store.m_strMacroNames + store.m_nMacroCount),
            c.expected);
        EXPECT_EQ(rig.window.nameText, c.expected.back());
    }
}

TEST(MacroList, AnEditedMacroReplacesTheSlot) {
    Rig rig;
    fillStore(rig.Store(), 2, -1);
    rig.Store().m_nMacroSel = 1;
    rig.dialogs.edits = {KeyPresses(5)};
    rig.Click(kItemMacroEdit);
    EXPECT_EQ(rig.Store().m_Macro[1].count, 10);
    EXPECT_EQ(rig.dialogs.editorNames, std::vector<std::u16string>{u"M2"});
}

// The store takes 300 macros and no more; while it is full no macro can be edited.
TEST(MacroList, TheStoreHoldsAtMost300Macros) {
    Rig rig;
    MacroStore& store = rig.Store();
    fillStore(store, 299, -1);
    store.m_nMacroSel = 299;
    rig.dialogs.edits = {KeyPresses(1), KeyPresses(1), KeyPresses(1)};
    rig.Click(kItemMacroEdit);
    EXPECT_EQ(store.m_nMacroCount, 300u);
    EXPECT_EQ(store.m_nMacroSel, 300);
    EXPECT_EQ(store.m_strMacroNames[299], u"Macro_300");
    rig.Click(kItemMacroEdit);
    store.m_nMacroSel = 5;
    rig.Click(kItemMacroEdit);
    EXPECT_EQ(store.m_nMacroCount, 300u);
    EXPECT_EQ(rig.dialogs.editorInput.size(), 1u);
    store.m_nMacroSel = 0;
    rig.Click(kItemMacroDelete);
    rig.Click(kItemMacroEdit);
    EXPECT_EQ(rig.dialogs.editorInput.size(), 2u);
}

// Create, rename and delete, then " Save": "mouse.mac" and its name file hold what the list shows.
TEST(MacroList, SavedStoreReadsBackAsShown) {
    Rig rig;
    rig.main.Initialise(kEnglish);
    rig.dialogs.edits = {KeyPresses(1), KeyPresses(2), KeyPresses(3)};
    for (int made = 0; made < 3; ++made) {
        rig.window.nameText = kNewMacroName;
        rig.Click(kItemMacroEdit);
    }
    rig.Store().m_nMacroHoverRow = 0;
    rig.Click(kItemMacroList);
    rig.window.nameText = u"Run";
    rig.Click(kItemMacroName);
    rig.Store().m_nMacroHoverRow = 1;
    rig.Click(kItemMacroList);
    rig.Click(kItemMacroDelete);
    rig.Click(kItemSaveMacros);

    ASSERT_EQ(rig.ui.shown.size(), 1u);
    EXPECT_EQ(rig.ui.shown[0].text, GetText(TextTable::Message, kMessageFilesSaved, kEnglish));
    auto read = std::make_unique<MacroStore>();
    ASSERT_EQ(ReadMacroFile(*read, rig.dir.path() / "mouse.mac"), MacroFileRead::Read);
    ReadMacroNames(*read, rig.dir.path() / "mouse.name", kEnglish);
    EXPECT_EQ(read->m_nMacroCount, 2u);
    EXPECT_EQ(read->m_strMacroNames[0], u"Run");
    EXPECT_EQ(read->m_strMacroNames[1], u"Macro_3");
    EXPECT_EQ(read->m_Macro[1].count, 6);
}

TEST(MacroList, ExportThenImport) {
    Rig rig;
    fillStore(rig.Store(), 2, -1);
    const std::filesystem::path file = rig.dir.path() / "mine.mac";
    rig.ui.files = {file, file};
    rig.Click(kItemExport);
    rig.Store().m_nMacroCount = 0;
    rig.Store().m_strMacroNames[1].clear();
    rig.Click(kItemImport);
    EXPECT_EQ(rig.ui.lastFilter->description, u"MACRO File (*.mac)");
    EXPECT_EQ(rig.Store().m_nMacroCount, 2u);
    EXPECT_EQ(rig.Store().m_strMacroNames[1], u"M2");
    EXPECT_EQ(rig.window.nameText, u"M1");
}

// An export whose name file cannot be written leaves the macro file that was there whole.
TEST(MacroList, AFailedExportKeepsTheOldFile) {
    Rig rig;
    fillStore(rig.Store(), 2, -1);
    const std::filesystem::path file = rig.dir.path() / "keep.mac";
    WriteBytes(file, "old contents");
    std::filesystem::create_directory(rig.dir.path() / "keep.name");
    rig.ui.files = {file};
    rig.Click(kItemExport);
    EXPECT_EQ(ReadBytes(file), "old contents");
    ASSERT_EQ(rig.ui.shown.size(), 1u);
    EXPECT_EQ(rig.ui.shown[0].text, GetText(TextTable::Message, kMessageFileSaveFailed, kEnglish));
    EXPECT_EQ(rig.ui.shown[0].title, GetText(TextTable::Message, kMessageError, kEnglish));
}

}  // namespace
}  // namespace voltrane
