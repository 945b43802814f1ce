#pragma once
// The words of the capture dialogs that are not step rows: their OK and Cancel buttons and the
// choice dialog's headings. The dialogs' own tables have the two Chinese languages and English only;
// German, Japanese and Korean take the macro editor's six-language words where it has them, and
// English otherwise.

#include <string_view>

namespace voltrane {

enum class DialogButton { Ok, Cancel };

// The single-key dialog's OK or Cancel text in `language` (0..5; others read as English).
std::u16string_view SingleKeyButtonText(DialogButton button, int language);

// The macro choice dialog's OK or Cancel text in `language` (0..5; others read as English).
std::u16string_view ChoiceButtonText(DialogButton button, int language);

enum class ChoiceHeading { Macros = 0, Steps = 1 };

// "Macros List" or "Macros Settings" in `language`; English for languages 3..5 and outside 0..5.
std::u16string_view ChoiceHeadingText(ChoiceHeading heading, int language);

// The line of each dialog that says how its keyboard works: the single-key dialog capturing or done,
// the macro editor recording or not, the choice dialog.
enum class KeyboardHint { SingleKeyCapturing, SingleKeyDone, Recording, NotRecording, Choice };

// That line in `language` (0..5; others read as English).
std::u16string_view KeyboardHintText(KeyboardHint hint, int language);

// What a screen reader calls the dialogs and those of their controls that show no caption of their
// own (the single-key dialog's key field, the step lists, the delay value, the macro list).
enum class DialogPart { SingleKey, KeyField, MacroEditor, Steps, Delay, Choice, Macros };

// That name in `language` (0..5; others read as English).
std::u16string_view DialogPartName(DialogPart part, int language);

// The one-line note of a capture dialog that could not grab the keyboard (on Wayland, or where the
// grab was refused), in `language` (0..5; others read as English).
std::u16string_view CaptureNoteText(int language);

}  // namespace voltrane
