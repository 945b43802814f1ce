#pragma once
// The macro file actions of the macro panel: Save (item 65), Export (item 66) and Import (item 64).
// They reach the user through the UserInterface, in the language they are given.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "control/user_interface.h"
#include "settings/macro_files.h"
#include "settings/macro_store.h"

namespace voltrane {

inline constexpr FileFilter kMacroFileFilter{u"mac", u"*.mac", u"MACRO File (*.mac)", u"*.mac"};

// Save (item 65). Does nothing and returns false when `macroFile` is empty. Otherwise `editText`
// (the macro-name edit box) becomes the name of the selected record, `macroNameFile` is rebuilt as
// NameFileFor(macroFile), the store is written there and message row 12 ("The files have been
// saved") or, on failure, row 13 ("The file save failed") is shown with an empty title, in
// `language`. Returns whether both files were written.
bool SaveMacros(MacroStore& store, const std::filesystem::path& macroFile,
                std::filesystem::path& macroNameFile, std::u16string_view editText, UserInterface& ui,
                int language);

// Export (item 66). Asks for a file (kMacroFileFilter); when the user cancels nothing happens and
// false is returned. Otherwise writes the store to the chosen file and its name file and shows row
// 6 ("The file has been saved") titled with row 1 ("Finish"), or row 7 titled with row 2 ("Error")
// on failure. The store and the working macro file stay as they were. Returns whether both files
// were written.
bool ExportMacros(const MacroStore& store, UserInterface& ui, int language);

// Reads the macro file at `path` into `store` with ReadMacroFile. When the file cannot be opened or is
// not a macro file, the store is untouched and that is told with row 2 ("Error") and the file's name
// under the title row 3 ("Fail"). Returns whether the file was read.
[[nodiscard]] bool ReadMacroFileOrTell(MacroStore& store, const std::filesystem::path& path,
                                       UserInterface& ui, int language);

// Import (item 64). Asks for a file (kMacroFileFilter), reads it with ReadMacroFile and then its
// name file with ReadMacroNames in `language` (the code page of a name file made on Windows). Returns the
// text for the macro-name edit box (name 0), which the caller shows and repaints the macro list with.
// Returns std::nullopt, with the store (names included) untouched, when the user cancelled, and when the
// chosen file cannot be opened or is not a macro file: that is told with row 2 ("Error") and the file's
// name under the title row 3 ("Fail").
std::optional<std::u16string> ImportMacros(MacroStore& store, UserInterface& ui, int language);

}  // namespace voltrane
