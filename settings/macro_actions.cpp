#include "settings/macro_actions.h"

#include "settings/text_tables.h"

namespace voltrane {

namespace {

std::u16string_view Message(int row) { return GetText(TextTable::Message, row); }

}  // namespace

bool SaveMacros(MacroStore& store, const std::filesystem::path& macroFile,
                std::filesystem::path& macroNameFile, std::u16string_view editText, MacroFileUi& ui) {
    if (macroFile.empty()) return false;
    if (store.m_nMacroSel >= 0 && store.m_nMacroSel < kMacroStoreSlots) {
        store.m_strMacroNames[store.m_nMacroSel] = editText;
    }
    macroNameFile = NameFileFor(macroFile);
    const bool written = WriteMacroStore(store, macroFile, macroNameFile);
    ui.ShowMessage(Message(written ? kMessageFilesSaved : kMessageFilesSaveFailed), u"");
    return written;
}

bool ExportMacros(const MacroStore& store, MacroFileUi& ui) {
    const std::optional<std::filesystem::path> path = ui.ChooseSaveFile(kMacroFileFilter);
    if (!path) return false;
    const bool written = WriteMacroStore(store, *path, NameFileFor(*path));
    if (written) {
        ui.ShowMessage(Message(kMessageFileSaved), Message(kMessageFinish));
    } else {
        ui.ShowMessage(Message(kMessageFileSaveFailed), Message(kMessageError));
    }
    return written;
}

std::optional<std::u16string> ImportMacros(MacroStore& store, MacroFileUi& ui, int language) {
    const std::optional<std::filesystem::path> path = ui.ChooseOpenFile(kMacroFileFilter);
    if (!path) return std::nullopt;
    if (ReadMacroFile(store, *path) == MacroFileRead::CannotOpen) return std::nullopt;
    ReadMacroNames(store, NameFileFor(*path), language);
    return store.m_strMacroNames[0];
}

}  // namespace voltrane
