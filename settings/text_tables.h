#pragma once
// The localized text tables. Every text the program shows (apart from a few fixed strings) and
// every key of a profile file comes from here, in the language the caller names.

#include <string>
#include <string_view>

namespace voltrane {

// Languages are numbered 0 Simplified Chinese, 1 Traditional Chinese, 2 English, 3 German,
// 4 Japanese, 5 Korean.
inline constexpr int kLanguageCount = 6;
inline constexpr int kEnglish = 2;

// `language` when it is one of 0..5, else English.
constexpr int KnownLanguage(int language) {
    return language >= 0 && language < kLanguageCount ? language : kEnglish;
}

enum class TextTable {
    Main,              // item captions and profile keys: 6 languages, 136 rows, width 60
    ButtonFunction,    // function names and the save-as menu: 6 x 46 x 40
    Message,           // message boxes: 6 x 17 x 40
    MacroLimit,        // macro editor limit message: 6 x 2 x 80
    MacroEditor,       // macro editor labels: 6 x 18 x 40
    MacroEvent,        // macro editor list: 6 x 5 x 40
    ChoiceTitles,      // choice dialog: 3 x 6 x 100
    ChoiceMouseKeys,   // choice dialog: 3 x 7 x 30
    ChoiceEvents,      // choice dialog: 3 x 5 x 40
    SingleKeyButtons,  // single-key dialog: 3 x 3 x 20
    Notice,            // notices of our own (rows below): 6 x 7 x 120
    Question,          // the save-changes and restore questions (rows below): 6 x 6 x 60
    ControlName,       // names of controls without a caption (rows below): 6 x 21 x 40
};

// Rows of the message table.
enum MessageRow : int {
    kMessageFinish = 1,
    kMessageError = 2,
    kMessageFail = 3,
    kMessageDownloadFailed = 5,
    kMessageFileSaved = 6,
    kMessageFileSaveFailed = 7,
    kMessageSetFailed = 8,
    kMessageGetFailed = 9,
    kMessageCannotOpen = 11,
    kMessageFilesSaved = 12,
    kMessageFilesSaveFailed = 13,
    kMessageDownloadComplete = 14,
    kMessageProgramFailure = 15,
    kMessageFileMissing = 16,
};

// Rows of the notice table.
inline constexpr int kNoticeMacroTooLong = 0;       // a macro assigned to a button needs over 25 records
inline constexpr int kNoticeButtonDoesNotFit = 1;   // "%d": the button whose macro does not fit the report
inline constexpr int kNoticeAccessDenied = 2;       // the mouse is there, but the udev rule is missing
inline constexpr int kNoticeRecordCount = 3;        // "%d": the records a macro makes, up to 25
inline constexpr int kNoticeTooManyRecords = 4;     // "%d": the records of a macro too long for a button
inline constexpr int kNoticeFolderNotWritable = 5;  // followed by the folder and the reason
inline constexpr int kNoticeInstanceNoAnswer = 6;   // followed by the folder

// Rows of the question table: caption and text of each question, and the captions of its answers.
inline constexpr int kQuestionSaveCaption = 0;
inline constexpr int kQuestionSaveText = 1;
inline constexpr int kQuestionRestoreCaption = 2;
inline constexpr int kQuestionRestoreText = 3;
inline constexpr int kQuestionYes = 4;
inline constexpr int kQuestionNo = 5;

// Rows of the control-name table.
inline constexpr int kControlRedLed = 0;  // then the yellow and the green LED
inline constexpr int kControlLanguage = 3;
inline constexpr int kControlScrollLines = 4;  // the wheel scrolls a number of lines
inline constexpr int kControlMinimise = 5;
inline constexpr int kControlClose = 6;
inline constexpr int kControlShineUp = 7;  // then: down; each LED's level up and down; DPI up and down
inline constexpr int kControlMacroName = 17;
inline constexpr int kControlButton = 18;  // "%d": a mouse button's number
inline constexpr int kControlMessageBox = 19;   // a message box without a caption
inline constexpr int kControlQuestionBox = 20;  // a question box without a caption

// Shape of one table: how many language blocks it holds, rows per block, code units per row.
struct TextTableShape {
    int languages;
    int rows;
    int width;
};
TextTableShape GetTableShape(TextTable table);

// Main text table rows that are not item captions.
inline constexpr int kRowMacroFilesKey = 132;
inline constexpr int kRowKeyDataStem = 133;
inline constexpr int kRowMacroDataStem = 134;
inline constexpr int kRowMacroNameStem = 135;

// Returns the text of `row` in `language`, without its zero padding. A row outside the table
// gives the empty text. A language outside 0..5 reads as English; the three-language tables
// (Chinese and English only) answer for German, Japanese and Korean with their English rows.
std::u16string_view GetText(TextTable table, int row, int language);

// GetText with its "%d" field, if any, replaced by `number` in decimal.
std::u16string GetTextWithNumber(TextTable table, int row, int language, long long number);

}  // namespace voltrane
