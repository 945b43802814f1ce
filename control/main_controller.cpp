#include "control/main_controller.h"

#include <algorithm>
#include <string>
#include <vector>

#include "control/button_function.h"
#include "control/macro_actions.h"
#include "control/macro_list.h"
#include "control/menu_commands.h"
#include "control/profile_actions.h"
#include "host/host_pointer.h"
#include "settings/language_file.h"
#include "settings/macro_files.h"

namespace voltrane {

namespace {

// The profile every start shows highlighted, and the one Apply saves before any profile tab was clicked.
constexpr int kFirstProfile = 1;

// The lighting, report-rate and lamp items run from "Single" to the last lamp's down stepper.
constexpr int kLastLampItem = kLampItems[std::size(kLampItems) - 1].down;

bool isEditItem(int item) {
    return (item >= kItemSingle && item <= kLastLampItem) || item == kItemDpiUp || item == kItemDpiDown ||
           (item >= kItemPrecision && item <= kItemScrollScreen);
}

// Profile tab kItemProfile1 + n - 1 chooses profile n.
int profileOfTab(int item) { return item - kItemProfile1 + kFirstProfile; }
int tabOfProfile(int profile) { return kItemProfile1 + profile - kFirstProfile; }

bool isMacroPanelItem(int item) {
    return item == kItemMacroList || item == kItemMacroName ||
           (item >= kItemImport && item <= kItemMacroEdit);
}

}  // namespace

MacroNameBox MainController::Initialise(int language) {
    m_controller.SetLanguage(language);
    // Profile 1 is not yet chosen: without a readable file the record keeps the built-in defaults.
    static_cast<void>(m_controller.LoadProfile(m_controller.NumberedProfile(kFirstProfile), m_nPage));
    std::optional<std::u16string> readName;
    m_controller.ReadFromDevice(&readName);
    MouseSetting& setting = m_controller.Setting();
    setting.m_nItem[tabOfProfile(kFirstProfile)] = 1;

    MacroNameBox box{false, readName.value_or(u"")};
    m_controller.m_strMacroFile = m_controller.ProgramFile("mouse.mac");
    std::error_code error;
    if (std::filesystem::exists(m_controller.m_strMacroFile, error)) {
        m_controller.m_strMacroNameFile = NameFileFor(m_controller.m_strMacroFile);
        // A damaged "mouse.mac" is told now, before a save could replace it with an empty store.
        static_cast<void>(ReadMacroFileOrTell(m_controller.Store(), m_controller.m_strMacroFile,
                                              m_controller.Ui(), m_controller.Language()));
        ReadMacroNames(m_controller.Store(), m_controller.m_strMacroNameFile, m_controller.Language());
        const std::u16string& first = m_controller.Store().m_strMacroNames[0];
        if (!first.empty() && first != kNewMacroName) box.text = first;
        box.enabled = true;
    }
    if (DeviceSession* device = m_controller.Device()) ReadHostPointer(device->Host(), setting);
    return box;
}

void MainController::ChangeLanguage(int language) {
    m_controller.SetLanguage(language);
    if (!WriteLanguage(m_controller.ProgramFile("LANGUAGE.ini"), m_controller.Language()))
        m_controller.Tell(kMessageFileSaveFailed, kMessageError);
    m_window.RepaintWindow(false);
}

void MainController::ActivateItem(int item) {
    if (item < 0 || item >= kNoItem) return;
    m_nFocusItem = item;
    dispatch(item);
    if (item == kItemClose || item == kItemCancel) return;
    m_window.ItemsChanged(std::vector<int>{item});
}

void MainController::dispatch(int item) {
    if (item >= kItemButton1 && item <= kItemButton7) {
        sideViewRule(item);
        if (item != kItemButton1) openMenu(item);
    } else if (isEditItem(item)) {
        editItem(item);
    } else if (item >= kItemProfile1 && item <= kItemProfile5) {
        chooseProfile(profileOfTab(item));
    } else if (item == kItemLoadSetting) {
        loadChosenFile();
    } else if (item == kItemSaveSetting) {
        m_bModified = false;
        openMenu(item);
    } else if (item == kItemDefault) {
        restoreDefaults();
    } else if (item == kItemHide) {
        m_window.HideWindow();
    } else if (item == kItemClose || item == kItemCancel) {
        m_window.CloseWindow();
    } else if (item == kItemBasicTab || item == kItemAdvancedTab) {
        switchPage(item);
    } else if (item == kItemOk) {
        m_controller.ApplyToDevice();
        m_window.HideWindow();
    } else if (item == kItemApply) {
        applyAndSave();
    } else if (isMacroPanelItem(item)) {
        macroPanelAction(item);
    }
}

void MainController::markModified() {
    if (m_nCurProfile > 0) m_bModified = true;
}

void MainController::sideViewRule(int item) {
    const bool side = m_nHotItem == kItemButton6 || m_nHotItem == kItemButton7;
    if (side == m_bSideView) return;
    if (item != kItemButton1) markModified();
    m_bSideView = side;
    m_window.RepaintWindow(item == kItemButton1);
}

void MainController::editItem(int item) {
    markModified();
    const std::vector<int> changed = m_controller.Setting().ApplyEditRule(item);
    if (!changed.empty()) m_window.ItemsChanged(changed);
}

void MainController::ClickSlider(int item, int value) {
    const std::vector<int> changed = m_controller.Setting().SetSliderValue(item, value);
    if (changed.empty()) return;
    markModified();
    m_window.ItemsChanged(changed);
}

void MainController::Hover(int hot, int listOffsetY) {
    m_nHotItem = hot;
    MacroStore& store = m_controller.Store();
    const int previousRow = store.m_nMacroHoverRow;
    store.m_nMacroHoverRow = store.m_nMacroSel;
    if (m_nPage == kAdvancedPage && hot == kItemMacroList) {
        const int row = listOffsetY / kMacroRowHeight + store.m_nMacroTop;
        store.m_nMacroHoverRow = std::min(row, static_cast<int>(store.m_nMacroCount));
    }
    if (store.m_nMacroHoverRow != previousRow)
        m_window.ItemsChanged(std::vector<int>{kItemMacroInfo, kItemMacroList});
}

bool MainController::ScrollMacroList(int delta) {
    if (m_nHotItem != kItemMacroList) return false;
    MacroStore& store = m_controller.Store();
    const int before = store.m_nMacroTop;
    if (delta > 0 && store.m_nMacroTop > 0) --store.m_nMacroTop;
    if (delta < 0 && store.m_nMacroTop + kMacroListRows - 1 < static_cast<int>(store.m_nMacroCount))
        ++store.m_nMacroTop;
    if (store.m_nMacroTop != before) m_window.ItemsChanged(std::vector<int>{kItemMacroList});
    return true;
}

void MainController::TakeOverMacroName() {
    const std::u16string text = m_window.MacroNameText();
    if (text.empty()) return;
    MacroStore& store = m_controller.Store();
    store.m_strMacroNames[std::clamp(store.m_nMacroSel, 0, kMacroStoreSlots - 1)] = BoundedName(text);
    m_window.ItemsChanged(std::vector<int>{kItemMacroList});
}

// A failed save after "Yes" keeps the user on the old profile with the changes; a profile file that
// cannot be read keeps the old profile and record. Both failures are told to the user.
void MainController::chooseProfile(int profile) {
    const int language = m_controller.Language();
    if (m_nCurProfile > 0 && m_bModified &&
        m_controller.Ui().AskYesNo(GetText(TextTable::Question, kQuestionSaveText, language),
                                   GetText(TextTable::Question, kQuestionSaveCaption, language),
                                   language)) {
        if (!SaveNumberedProfile(m_controller, m_nCurProfile)) return;
        m_bModified = false;
    }
    const ProfileLoad load = LoadNumberedProfile(m_controller, profile, m_nPage);
    if (!ProfileTaken(load)) return;
    if (load == ProfileLoad::Missing) m_window.SetMacroNameText(u"");
    m_nCurProfile = profile;
    m_bModified = false;
    MouseSetting& setting = m_controller.Setting();
    for (int tab = kItemProfile1; tab <= kItemProfile5; ++tab) setting.m_nItem[tab] = 0;
    setting.m_nItem[tabOfProfile(profile)] = 1;
    m_window.RepaintWindow(false);
}

// A profile without a file gives the built-in defaults, whose buttons have no macro names: the
// macro-name box is emptied with them.
void MainController::loadProfile(const std::filesystem::path& path) {
    if (m_controller.LoadProfile(path, m_nPage) == ProfileLoad::Missing) m_window.SetMacroNameText(u"");
}

void MainController::loadChosenFile() {
    m_bModified = false;
    if (LoadChosenProfile(m_controller, m_nPage)) m_window.RepaintWindow(false);
}

// The menu shows under the item; its command goes to that item even when the cursor has moved on.
void MainController::openMenu(int item) {
    m_nMenuItem = item;
    const std::optional<int> command =
        item == kItemSaveSetting ? m_window.ShowSaveAsMenu() : m_window.ShowFunctionMenu(item);
    if (command) OnFunctionCommand(*command);
}

void MainController::OnFunctionCommand(int id) {
    if (id < kFunctionCommandBase || id > kLastCommand) return;
    if (m_nMenuItem > kItemButton1 && m_nMenuItem <= kItemButton7) {
        AssignButtonFunction(m_controller, m_dialogs, m_nMenuItem, id - kFunctionCommandBase);
    } else if (m_nMenuItem == kItemSaveSetting) {
        m_window.ItemsChanged(SaveSettingAs(m_controller, id - kSaveAsCommandBase));
    }
}

void MainController::restoreDefaults() {
    m_bModified = false;
    const int language = m_controller.Language();
    if (!m_controller.Ui().AskYesNo(GetText(TextTable::Question, kQuestionRestoreText, language),
                                    GetText(TextTable::Question, kQuestionRestoreCaption, language),
                                    language)) {
        return;
    }
    // Without a readable "DefSet.ini" the record keeps what it holds and is sent as it is.
    loadProfile(m_controller.ProgramFile("DefSet.ini"));
    m_controller.ApplyToDeviceSilently();
    m_window.RepaintWindow(false);
}

void MainController::switchPage(int item) {
    m_nPage = item - kItemBasicTab;
    m_window.ShowMacroNameBox(m_nPage != kBasicPage);
    m_controller.Setting().ApplyEditRule(item);
    m_window.RepaintWindow(false);
}

// Before any profile tab was clicked, profile 1 is the one shown highlighted, and Apply keeps it.
// A failed save is told, and the mouse is written all the same.
void MainController::applyAndSave() {
    static_cast<void>(SaveNumberedProfile(m_controller, m_nCurProfile > 0 ? m_nCurProfile : kFirstProfile));
    m_controller.ApplyToDevice();
}

}  // namespace voltrane
