#include "app/qt_prompter.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QTreeView>

#include "settings/text_tables.h"
#include "skin/msg_box_dlg.h"
#include "skin/qt_text.h"
#include "skin/skin_fonts.h"

namespace voltrane {

namespace {

constexpr QSize kFileDialogSize(760, 480);

// The detail view's columns fit what they show: the size, type and date columns their longest text,
// the name column the rest of the width.
void readableColumns(QFileDialog& dialog) {
    QTreeView* details = dialog.findChild<QTreeView*>();
    if (!details) return;
    QHeaderView* header = details->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
}

// A file dialog set up as `filter` describes; the chosen path, or std::nullopt when cancelled.
std::optional<std::filesystem::path> runFileDialog(QWidget* owner, const std::filesystem::path& startDir,
                                                   const FileFilter& filter, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(owner);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDirectory(QString::fromStdString(startDir.string()));
    dialog.setDefaultSuffix(ToQString(filter.defaultExtension));
    dialog.setNameFilter(ToQString(filter.description));
    dialog.setViewMode(QFileDialog::Detail);
    readableColumns(dialog);
    dialog.resize(kFileDialogSize);
    if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        name->setText(ToQString(filter.initialName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return std::filesystem::path(dialog.selectedFiles().front().toStdString());
}

}  // namespace

void QtPrompter::ShowMessage(std::u16string_view text, std::u16string_view title, int language) {
    ShowMsgBox(ToQString(text), ToQString(title), language, SmallFont(language), m_owner);
}

bool QtPrompter::AskYesNo(std::u16string_view text, std::u16string_view title, int language) {
    const QStringList answers = {ToQString(GetText(TextTable::Question, kQuestionYes, language)),
                                 ToQString(GetText(TextTable::Question, kQuestionNo, language))};
    CMsgBoxDlg box(ToQString(text), ToQString(title), answers, SmallFont(language), m_owner);
    box.SetAnswerLetters(QStringLiteral("YN"));
    box.exec();
    return box.Answer() == 0;
}

std::optional<std::filesystem::path> QtPrompter::ChooseSaveFile(const FileFilter& filter) {
    return runFileDialog(m_owner, m_startDir, filter, QFileDialog::AcceptSave);
}

std::optional<std::filesystem::path> QtPrompter::ChooseOpenFile(const FileFilter& filter) {
    return runFileDialog(m_owner, m_startDir, filter, QFileDialog::AcceptOpen);
}

}  // namespace voltrane
