#include "app/qt_capture_dialogs.h"

#include "dialogs/choice_dlg.h"
#include "dialogs/macro_dlg.h"
#include "dialogs/single_key_dlg.h"

namespace voltrane {

std::optional<KeyString> QtCaptureDialogs::RunSingleKey(int language) {
    return RunSingleKeyDialog(m_parent, m_images, language, m_keyNames);
}

std::optional<int> QtCaptureDialogs::RunChoice(const MacroStore& store, int language) {
    return RunChoiceDialog(m_parent, m_images, store, language, m_keyNames);
}

std::optional<MacroRecord> QtCaptureDialogs::RunMacroEditor(const MacroRecord& record, std::u16string_view,
                                                            int language) {
    MacroRecord edited = record;
    if (!RunMacroDialog(m_parent, m_images, edited, language, m_keyNames)) return std::nullopt;
    return edited;
}

}  // namespace voltrane
