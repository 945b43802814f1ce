#include "capture/dialog_texts.h"

#include "settings/languages.h"
#include "settings/text_tables.h"

namespace voltrane {

namespace {

// The macro editor's rows with the same two words.
constexpr int kEditorOkRow = 16;
constexpr int kEditorCancelRow = 17;
constexpr int kOwnTableLanguages = 3;  // a dialog's own table: the two Chinese and English

// The button's text from a dialog's own three-language table, or from the macro editor's table for
// the languages that one lacks.
std::u16string_view buttonText(TextTable table, int okRow, DialogButton button, int language) {
    const bool ok = button == DialogButton::Ok;
    if (language >= kOwnTableLanguages && language < kLanguageCount) {
        return GetText(TextTable::MacroEditor, ok ? kEditorOkRow : kEditorCancelRow, language);
    }
    return GetText(table, ok ? okRow : okRow + 1, language);
}

}  // namespace

std::u16string_view CaptureNoteText(int language) { return NeedsOf(language).captureNote; }

std::u16string_view SingleKeyButtonText(DialogButton button, int language) {
    return buttonText(TextTable::SingleKeyButtons, 0, button, language);
}

std::u16string_view ChoiceButtonText(DialogButton button, int language) {
    return buttonText(TextTable::ChoiceTitles, 4, button, language);
}

std::u16string_view ChoiceHeadingText(ChoiceHeading heading, int language) {
    return GetText(TextTable::ChoiceTitles, static_cast<int>(heading), language);
}

}  // namespace voltrane
