#include "capture/single_key_capture.h"

namespace voltrane {

void SingleKeyCapture::OnHookKeyDown(int keyIndex) { m_Chord.Press(keyIndex); }

void SingleKeyCapture::OnHookKeyUp(int keyIndex) { m_Chord.Release(keyIndex); }

std::optional<KeyString> SingleKeyCapture::OkResult() const {
    if (m_Chord.Empty()) return std::nullopt;
    return m_Chord.Keys();
}

}  // namespace voltrane
