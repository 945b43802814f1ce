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

constexpr int kHints = 5;
constexpr std::u16string_view kKeyboardHints[kLanguageCount][kHints] = {
    {
        u"请按下组合键；按住 Esc 停止捕获",
        u"Tab 切换，Enter 确认，Esc 取消；在按键框上按 Enter 重新捕获",
        u"正在录制所有按键；按住 Esc 停止录制",
        u"未在录制：Tab 切换，Esc 取消；在列表上按 Enter 继续录制",
        u"上下键选择，Enter 或空格确认，Esc 取消",
    },
    {
        u"請按下組合鍵；按住 Esc 停止擷取",
        u"Tab 切換，Enter 確認，Esc 取消；在按鍵框上按 Enter 重新擷取",
        u"正在錄製所有按鍵；按住 Esc 停止錄製",
        u"未在錄製：Tab 切換，Esc 取消；在清單上按 Enter 繼續錄製",
        u"上下鍵選擇，Enter 或空白鍵確認，Esc 取消",
    },
    {
        u"Press the key combination; hold Esc to stop capturing",
        u"Tab moves, Enter confirms, Esc cancels; Enter on the keys captures anew",
        u"Recording every key; hold Esc to stop recording",
        u"Not recording: Tab moves, Esc cancels; Enter on the list records again",
        u"Up and Down choose, Enter or Space confirms, Esc cancels",
    },
    {
        u"Tastenkombination drücken; Esc halten beendet die Erfassung",
        u"Tab wechselt, Enter bestätigt, Esc bricht ab; Enter auf den Tasten erfasst neu",
        u"Jede Taste wird aufgenommen; Esc halten beendet die Aufnahme",
        u"Keine Aufnahme: Tab wechselt, Esc bricht ab; Enter auf der Liste nimmt wieder auf",
        u"Auf und Ab wählen, Enter oder Leertaste bestätigt, Esc bricht ab",
    },
    {
        u"キーの組み合わせを押してください。Esc 長押しで取得を終了",
        u"Tab で移動、Enter で決定、Esc で取消。キー欄で Enter を押すと再取得",
        u"すべてのキーを記録中。Esc 長押しで記録を停止",
        u"記録停止中：Tab で移動、Esc で取消。一覧で Enter を押すと記録を再開",
        u"上下キーで選択、Enter または Space で決定、Esc で取消",
    },
    {
        u"키 조합을 누르십시오. Esc를 길게 누르면 캡처를 멈춥니다",
        u"Tab 이동, Enter 확인, Esc 취소. 키 칸에서 Enter를 누르면 다시 캡처합니다",
        u"모든 키를 기록 중입니다. Esc를 길게 누르면 기록을 멈춥니다",
        u"기록 중지됨: Tab 이동, Esc 취소. 목록에서 Enter를 누르면 다시 기록합니다",
        u"위/아래로 선택, Enter 또는 Space로 확인, Esc로 취소",
    },
};

constexpr int kParts = 7;
constexpr std::u16string_view kPartNames[kLanguageCount][kParts] = {
    {u"组合键", u"按下的键", u"宏编辑器", u"宏步骤", u"延时（毫秒）", u"选择宏", u"宏列表"},
    {u"組合鍵", u"按下的鍵", u"巨集編輯器", u"巨集步驟", u"延時（毫秒）", u"選擇巨集", u"巨集清單"},
    {u"Key combination", u"Keys pressed", u"Macro editor", u"Macro steps", u"Delay (ms)", u"Choose a macro",
     u"Macros"},
    {u"Tastenkombination", u"Gedrückte Tasten", u"Makro-Editor", u"Makroschritte", u"Verzögerung (ms)",
     u"Makro wählen", u"Makros"},
    {u"キーの組み合わせ", u"押されたキー", u"マクロ編集", u"マクロの手順", u"遅延（ミリ秒）",
     u"マクロの選択", u"マクロ一覧"},
    {u"키 조합", u"누른 키", u"매크로 편집기", u"매크로 단계", u"지연(ms)", u"매크로 선택", u"매크로 목록"},
};

}  // namespace

std::u16string_view KeyboardHintText(KeyboardHint hint, int language) {
    return kKeyboardHints[KnownLanguage(language)][static_cast<int>(hint)];
}

std::u16string_view DialogPartName(DialogPart part, int language) {
    return kPartNames[KnownLanguage(language)][static_cast<int>(part)];
}

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
