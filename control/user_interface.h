#pragma once
// The one way the controller reaches the user. The window implements it with its message box,
// question boxes and file dialogs; voltranectl with its console; tests with a script.

#include <filesystem>
#include <optional>
#include <string_view>

namespace voltrane {

// What a file dialog offers: one filter entry, and the name and extension it starts with.
struct FileFilter {
    std::u16string_view defaultExtension;  // added to a typed name without one, e.g. "mac"
    std::u16string_view initialName;       // the file name field at opening, e.g. "*.mac"
    std::u16string_view description;       // the filter entry's text, e.g. "MACRO File (*.mac)"
    std::u16string_view pattern;           // the files the entry shows, e.g. "*.mac"
};

class UserInterface {
public:
    virtual ~UserInterface() = default;

    // Shows a modal message with one OK button captioned in `language`; returns when it is closed.
    // An empty title leaves the title area blank.
    virtual void ShowMessage(std::u16string_view text, std::u16string_view title, int language) = 0;

    // Asks a question with Yes and No buttons captioned in `language`; returns true for Yes.
    virtual bool AskYesNo(std::u16string_view text, std::u16string_view title, int language) = 0;

    // A save-file dialog with `filter`, the read-only box hidden and no question when the file
    // exists. Returns the chosen path, or std::nullopt when the user cancelled.
    virtual std::optional<std::filesystem::path> ChooseSaveFile(const FileFilter& filter) = 0;

    // An open-file dialog with `filter` and the read-only box hidden. Returns the chosen path, or
    // std::nullopt when the user cancelled.
    virtual std::optional<std::filesystem::path> ChooseOpenFile(const FileFilter& filter) = 0;
};

}  // namespace voltrane
