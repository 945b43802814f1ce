#pragma once
// The controller's user interface in a terminal: messages go to the error stream; there is nobody
// to answer a question or choose a file.

#include <ostream>

#include "control/user_interface.h"

namespace voltrane {

class ConsoleUi final : public UserInterface {
public:
    explicit ConsoleUi(std::ostream& err) : m_err(err) {}

    // Prints "voltranectl: TITLE: TEXT" (without the title when it is empty), in UTF-8.
    void ShowMessage(std::u16string_view text, std::u16string_view title, int language) override;
    // No: nothing is asked of a script.
    bool AskYesNo(std::u16string_view text, std::u16string_view title, int language) override;
    // Cancelled: files are named on the command line.
    std::optional<std::filesystem::path> ChooseSaveFile(const FileFilter& filter) override;
    std::optional<std::filesystem::path> ChooseOpenFile(const FileFilter& filter) override;
    // Nothing to repaint.

private:
    std::ostream& m_err;
};

}  // namespace voltrane
