#include "capture/single_key_capture.h"

namespace voltrane {

void SingleKeyCapture::OnHookKeyDown(int keyIndex) {
    if (m_Chord.KeysHeld() == 0) m_Before = m_Chord;
    m_Chord.Press(keyIndex);
}

void SingleKeyCapture::OnChordDropped() {
    m_Chord = m_Before;
    m_Chord.ReleaseAll();
}

void SingleKeyCapture::OnHookKeyUp(int keyIndex) { m_Chord.Release(keyIndex); }

std::optional<KeyString> SingleKeyCapture::OkResult() const {
    if (m_Chord.Empty()) return std::nullopt;
    return m_Chord.Keys();
}

}  // namespace voltrane
