// The macro panel of the advanced page: the macro list's actions and the macro file actions, with
// the macro-name box of the window.

#include "control/macro_list.h"
#include "control/main_controller.h"

namespace voltrane {

void MainController::macroPanelAction(int item) {
    MacroStore& store = m_controller.Store();
    std::vector<int> changed = kMacroStoreItems;
    switch (item) {
        case kItemMacroList:
            changed = SelectMacro(store, m_window);
            break;
        case kItemMacroName:
            changed = RenameMacro(store, m_window);
            break;
        case kItemMacroEdit:
            changed = EditMacro(store, m_window, m_dialogs, m_controller.Language());
            break;
        case kItemMacroDelete:
            changed = DeleteMacro(store, m_window);
            break;
        case kItemImport:
            if (const std::optional<std::u16string> name = m_controller.ImportMacros()) {
                m_window.SetMacroNameText(*name);
            }
            break;
        case kItemSaveMacros:
            m_controller.SaveMacros(m_window.MacroNameText());
            break;
        default:
            m_controller.ExportMacros();
    }
    m_window.ItemsChanged(changed);
}

}  // namespace voltrane
