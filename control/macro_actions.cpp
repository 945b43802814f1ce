#include "control/macro_actions.h"

#include "settings/text_tables.h"
#include "settings/utf.h"

namespace voltrane {

bool SaveMacros(MacroStore& store, const std::filesystem::path& macroFile,
                std::filesystem::path& macroNameFile, std::u16string_view editText, UserInterface& ui,
                int language) {
    if (macroFile.empty()) return false;
    if (store.m_nMacroSel >= 0 && store.m_nMacroSel < kMacroStoreSlots) {
        store.m_strMacroNames[store.m_nMacroSel] = BoundedName(editText);
    }
    macroNameFile = NameFileFor(macroFile);
    const bool written = static_cast<bool>(WriteMacroStore(store, macroFile, macroNameFile));
    const int row = written ? kMessageFilesSaved : kMessageFilesSaveFailed;
    ui.ShowMessage(GetText(TextTable::Message, row, language), u"", language);
    return written;
}

bool ExportMacros(const MacroStore& store, UserInterface& ui, int language) {
    const std::optional<std::filesystem::path> path = ui.ChooseSaveFile(kMacroFileFilter);
    if (!path) return false;
    const bool written = static_cast<bool>(WriteMacroStore(store, *path, NameFileFor(*path)));
    const int row = written ? kMessageFileSaved : kMessageFileSaveFailed;
    const int title = written ? kMessageFinish : kMessageError;
    ui.ShowMessage(GetText(TextTable::Message, row, language), GetText(TextTable::Message, title, language),
                   language);
    return written;
}

bool ReadMacroFileOrTell(MacroStore& store, const std::filesystem::path& path, UserInterface& ui,
                         int language) {
    switch (ReadMacroFile(store, path)) {
        case MacroFileRead::CannotOpen:
        case MacroFileRead::BadSignature:
            // Gone, unreadable or not a macro file: the store keeps its records and names.
            ui.ShowMessage(std::u16string(GetText(TextTable::Message, kMessageError, language)) + u"\n" +
                               Utf8ToUtf16(path.filename().string()),
                           GetText(TextTable::Message, kMessageFail, language), language);
            return false;
        case MacroFileRead::Read:
            break;
    }
    return true;
}

std::optional<std::u16string> ImportMacros(MacroStore& store, UserInterface& ui, int language) {
    const std::optional<std::filesystem::path> path = ui.ChooseOpenFile(kMacroFileFilter);
    if (!path) return std::nullopt;
    if (!ReadMacroFileOrTell(store, *path, ui, language)) return std::nullopt;
    ReadMacroNames(store, NameFileFor(*path), language);
    return store.m_strMacroNames[0];
}

}  // namespace voltrane
