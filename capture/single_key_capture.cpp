#include "capture/single_key_capture.h"

#include "settings/text_tables.h"

namespace voltrane {

namespace {

// The macro editor's rows with the same two words.
constexpr int kEditorOkRow = 16;
constexpr int kEditorCancelRow = 17;
constexpr int kOwnTableLanguages = 3;  // the dialog's own table: the two Chinese and English

}  // namespace

void SingleKeyCapture::OnHookKeyDown(int keyIndex) { m_Chord.Press(keyIndex); }

void SingleKeyCapture::OnHookKeyUp(int keyIndex) { m_Chord.Release(keyIndex); }

std::optional<KeyString> SingleKeyCapture::OkResult() const {
    if (m_Chord.Empty()) return std::nullopt;
    return m_Chord.Keys();
}

std::u16string_view SingleKeyButtonText(SingleKeyButton button, int language) {
    const bool ok = button == SingleKeyButton::Ok;
    if (language >= kOwnTableLanguages && language < kLanguageCount) {
        return GetText(TextTable::MacroEditor, ok ? kEditorOkRow : kEditorCancelRow, language);
    }
    return GetText(TextTable::SingleKeyButtons, ok ? 0 : 1, language);
}

}  // namespace voltrane
