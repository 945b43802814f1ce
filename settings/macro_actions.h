#pragma once
// The macro file actions of the macro panel: Save (item 65), Export (item 66) and Import (item 64).
// They reach the user only through MacroFileUi, which the main window implements with its message
// box and file dialogs, and tests with a scripted fake.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "settings/macro_files.h"
#include "settings/macro_store.h"

namespace voltrane {

// What a file dialog offers: one filter entry, and the name and extension it starts with.
struct FileFilter {
    std::u16string_view defaultExtension;  // added to a typed name without one, e.g. "mac"
    std::u16string_view initialName;       // the file name field at opening, e.g. "*.mac"
    std::u16string_view description;       // the filter entry's text, e.g. "MACRO File (*.mac)"
    std::u16string_view pattern;           // the files the entry shows, e.g. "*.mac"
};

inline constexpr FileFilter kMacroFileFilter{u"mac", u"*.mac", u"MACRO File (*.mac)", u"*.mac"};

// The user, as the macro file actions see them.
class MacroFileUi {
public:
    virtual ~MacroFileUi() = default;

    // Shows a modal message with one OK button (ShowMsgBox, style 0); returns when it is closed. An
    // empty title leaves the title area blank.
    virtual void ShowMessage(std::u16string_view text, std::u16string_view title) = 0;

    // A save-file dialog with `filter`, the read-only box hidden and no question when the file
    // exists. Returns the chosen path, or std::nullopt when the user cancelled.
    virtual std::optional<std::filesystem::path> ChooseSaveFile(const FileFilter& filter) = 0;

    // An open-file dialog with `filter` and the read-only box hidden. Returns the chosen path, or
    // std::nullopt when the user cancelled.
    virtual std::optional<std::filesystem::path> ChooseOpenFile(const FileFilter& filter) = 0;
};

// Save (item 65). Does nothing and returns false when `macroFile` is empty. Otherwise `editText`
// (the macro-name edit box) becomes the name of the selected record, `macroNameFile` is rebuilt as
// NameFileFor(macroFile), the store is written there and message row 12 ("The files have been
// saved") or, on failure, row 13 ("The file save failed") is shown with an empty title, in the
// active language. Returns whether both files were written.
bool SaveMacros(MacroStore& store, const std::filesystem::path& macroFile,
                std::filesystem::path& macroNameFile, std::u16string_view editText, MacroFileUi& ui);

// Export (item 66). Asks for a file (kMacroFileFilter); when the user cancels nothing happens and
// false is returned. Otherwise writes the store to the chosen file and its name file and shows row
// 6 ("The file has been saved") titled with row 1 ("Finish"), or row 7 titled with row 2 ("Error")
// on failure. The store and the working macro file stay as they were. Returns whether both files
// were written.
bool ExportMacros(const MacroStore& store, MacroFileUi& ui);

// Import (item 64). Asks for a file (kMacroFileFilter), reads it with ReadMacroFile and then its
// name file with ReadMacroNames in `language` (the code page of a name file made on Windows), also
// when the signature was wrong (then only the names change).
// Returns the text for the macro-name edit box (name 0), which the caller shows and repaints the
// macro list with. Returns std::nullopt, with nothing changed, when the user cancelled or the
// chosen file cannot be opened (the store, names included, keeps its contents). Shows no message.
std::optional<std::u16string> ImportMacros(MacroStore& store, MacroFileUi& ui, int language);

}  // namespace voltrane
