#include "control/main_controller.h"

#include <string>
#include <vector>

#include "host/host_pointer.h"
#include "settings/language_file.h"
#include "settings/macro_files.h"

namespace voltrane {

namespace {

constexpr char16_t kNewMacroName[] = u"<New Macro>";

// The open-file dialog of "Load setting".
constexpr FileFilter kProfileFilter{u"ini", u"*.ini", u"INI File (*.ini)", u"*.ini"};

bool isEditItem(int item) {
    return (item >= 14 && item <= 35) || item == kItemDpiUp || item == kItemDpiDown ||
           (item >= kItemPrecision && item <= kItemScrollScreen);
}

bool isMacroListItem(int item) {
    return item == kItemMacroList || item == kItemMacroName || item == kItemMacroDelete ||
           item == kItemMacroEdit;
}

std::string profileName(int number) { return "Setting" + std::to_string(number) + ".ini"; }

}  // namespace

MacroNameBox MainController::Initialise() {
    m_controller.SetLanguage(ReadLanguage(m_controller.ProgramFile("LANGUAGE.ini")));
    m_controller.LoadProfile(numberedProfile(1), m_nPage);
    std::optional<std::u16string> readName;
    m_controller.ReadFromDevice(&readName);
    MouseSetting& setting = m_controller.Setting();
    setting.m_nItem[kItemProfile1] = 1;

    MacroNameBox box{false, readName.value_or(u"")};
    m_controller.m_strMacroFile = m_controller.ProgramFile("mouse.mac");
    std::error_code error;
    if (std::filesystem::exists(m_controller.m_strMacroFile, error)) {
        m_controller.m_strMacroNameFile = NameFileFor(m_controller.m_strMacroFile);
        ReadMacroFile(m_controller.Store(), m_controller.m_strMacroFile);
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
    WriteLanguage(m_controller.ProgramFile("LANGUAGE.ini"), m_controller.Language());
    m_window.RepaintWindow(false);
}

void MainController::ActivateItem(int item) {
    if (item < 0 || item >= kNoItem) return;
    m_nFocusItem = item;
    dispatch(item);
    if (item == kItemClose || item == kItemCancel) return;
    m_controller.Ui().ItemsChanged(std::vector<int>{item});
}

void MainController::dispatch(int item) {
    if (item >= kItemButton1 && item <= kItemButton7) {
        sideViewRule(item);
        if (item != kItemButton1) m_window.ShowFunctionMenu(item);
    } else if (isEditItem(item)) {
        editItem(item);
    } else if (item >= kItemProfile1 && item <= kItemProfile5) {
        chooseProfile(item - kItemProfile1 + 1);
    } else if (item == kItemLoadSetting) {
        loadChosenFile();
    } else if (item == kItemSaveSetting) {
        m_bModified = false;
        m_window.ShowSaveAsMenu();
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
    } else if (isMacroListItem(item)) {
        m_window.MacroListAction(item);
    } else if (item >= kItemImport && item <= kItemExport) {
        m_window.MacroFileAction(item);
    }
}

void MainController::markModified() {
    if (m_nCurProfile > 0) m_bModified = true;
}

void MainController::sideViewRule(int item) {
    const bool side = m_nHotItem == 5 || m_nHotItem == 6;
    if (side == m_bSideView) return;
    if (item != kItemButton1) markModified();
    m_bSideView = side;
    m_window.RepaintWindow(item == kItemButton1);
}

void MainController::editItem(int item) {
    markModified();
    const std::vector<int> changed = m_controller.Setting().ApplyEditRule(item);
    if (!changed.empty()) m_controller.Ui().ItemsChanged(changed);
}

void MainController::chooseProfile(int profile) {
    const int language = m_controller.Language();
    if (m_nCurProfile > 0 && m_bModified &&
        m_controller.Ui().AskYesNo(GetText(TextTable::Question, kQuestionSaveText, language),
                                   GetText(TextTable::Question, kQuestionSaveCaption, language))) {
        m_controller.SaveProfile(numberedProfile(m_nCurProfile));
    }
    m_nCurProfile = profile;
    m_bModified = false;
    m_controller.LoadProfile(numberedProfile(profile), m_nPage);
    MouseSetting& setting = m_controller.Setting();
    for (int tab = kItemProfile1; tab <= kItemProfile5; ++tab) setting.m_nItem[tab] = 0;
    setting.m_nItem[kItemProfile1 + profile - 1] = 1;
    m_window.RepaintWindow(false);
}

void MainController::loadChosenFile() {
    m_bModified = false;
    const std::optional<std::filesystem::path> path = m_controller.Ui().ChooseOpenFile(kProfileFilter);
    if (!path) return;
    m_controller.LoadProfile(*path, m_nPage);
    m_window.RepaintWindow(false);
}

void MainController::restoreDefaults() {
    m_bModified = false;
    const int language = m_controller.Language();
    if (!m_controller.Ui().AskYesNo(GetText(TextTable::Question, kQuestionRestoreText, language),
                                    GetText(TextTable::Question, kQuestionRestoreCaption, language))) {
        return;
    }
    m_controller.LoadProfile(m_controller.ProgramFile("DefSet.ini"), m_nPage);
    m_controller.ApplyToDeviceSilently();
    m_window.RepaintWindow(false);
}

void MainController::switchPage(int item) {
    m_nPage = item - kItemBasicTab;
    m_window.ShowMacroNameBox(m_nPage != 0);
    m_controller.Setting().ApplyEditRule(item);
    m_window.RepaintWindow(false);
}

// Before any profile tab was clicked, profile 1 is the one shown highlighted, and Apply keeps it.
void MainController::applyAndSave() {
    m_controller.SaveProfile(numberedProfile(m_nCurProfile > 0 ? m_nCurProfile : 1));
    m_controller.ApplyToDevice();
}

std::filesystem::path MainController::numberedProfile(int number) const {
    return m_controller.ProgramFile(profileName(number));
}

}  // namespace voltrane
