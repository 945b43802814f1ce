#include "cli/console_ui.h"

#include "settings/utf.h"

namespace voltrane {

void ConsoleUi::ShowMessage(std::u16string_view text, std::u16string_view title, int) {
    m_err << "voltranectl: ";
    if (!title.empty()) m_err << Utf16ToUtf8(title) << ": ";
    m_err << Utf16ToUtf8(text) << "\n";
}

bool ConsoleUi::AskYesNo(std::u16string_view, std::u16string_view, int) { return false; }

std::optional<std::filesystem::path> ConsoleUi::ChooseSaveFile(const FileFilter&) { return std::nullopt; }

std::optional<std::filesystem::path> ConsoleUi::ChooseOpenFile(const FileFilter&) { return std::nullopt; }

}  // namespace voltrane
