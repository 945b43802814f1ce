#include "app/qt_prompter.h"

#include "app/safe_file_dialog.h"
#include "settings/text_tables.h"
#include "skin/msg_box_dlg.h"
#include "skin/qt_text.h"
#include "skin/skin_fonts.h"

namespace voltrane {

void QtPrompter::ShowMessage(std::u16string_view text, std::u16string_view title, int language) {
    ShowMsgBox(ToQString(text), ToQString(title), language, SmallFont(language), m_owner);
}

bool QtPrompter::AskYesNo(std::u16string_view text, std::u16string_view title, int language) {
    const QStringList answers = {ToQString(GetText(TextTable::Question, kQuestionYes, language)),
                                 ToQString(GetText(TextTable::Question, kQuestionNo, language))};
    CMsgBoxDlg box(ToQString(text), ToQString(title), answers, language, SmallFont(language), m_owner);
    box.SetAnswerLetters(QStringLiteral("YN"));
    box.exec();
    return box.Answer() == 0;
}

std::optional<std::filesystem::path> QtPrompter::ChooseSaveFile(const FileFilter& filter) {
    return SafeFileDialog(m_owner, m_startDir, filter, QFileDialog::AcceptSave).Choose();
}

std::optional<std::filesystem::path> QtPrompter::ChooseOpenFile(const FileFilter& filter) {
    return SafeFileDialog(m_owner, m_startDir, filter, QFileDialog::AcceptOpen).Choose();
}

}  // namespace voltrane
