#pragma once
// The user's side of the controller in Qt: the skinned message box, Yes/No question boxes and the
// file dialogs, owned by the main window. Repaints are the window's own business.

#include "control/user_interface.h"

class QWidget;

namespace voltrane {

class QtPrompter final : public UserInterface {
public:
    explicit QtPrompter(QWidget* owner, std::filesystem::path startDir)
        : m_owner(owner), m_startDir(std::move(startDir)) {}

    void ShowMessage(std::u16string_view text, std::u16string_view title, int language) override;
    bool AskYesNo(std::u16string_view text, std::u16string_view title, int language) override;
    std::optional<std::filesystem::path> ChooseSaveFile(const FileFilter& filter) override;
    std::optional<std::filesystem::path> ChooseOpenFile(const FileFilter& filter) override;

private:
    QWidget* m_owner;
    std::filesystem::path m_startDir;  // the folder the file dialogs open in
};

}  // namespace voltrane
