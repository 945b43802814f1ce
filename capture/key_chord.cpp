#include "capture/key_chord.h"

#include <algorithm>

namespace voltrane {

KeyChord::KeyChord(int capacity) : m_nCapacity(std::clamp(capacity, 1, kKeyStringLength)) {}

bool KeyChord::Press(int keyIndex) {
    if (keyIndex < 1 || keyIndex >= kKeyTableRows) return false;
    if (m_held.none()) m_Chord = {};
    for (int slot = 0; slot < m_nCapacity; ++slot) {
        if (m_Chord[slot] == keyIndex) {
            m_held.set(keyIndex);
            return false;
        }
        if (m_Chord[slot] == 0) {
            m_Chord[slot] = static_cast<uint8_t>(keyIndex);
            m_held.set(keyIndex);
            return true;
        }
    }
    return false;
}

bool KeyChord::Release(int keyIndex) {
    if (keyIndex < 1 || keyIndex >= kKeyTableRows || !m_held.test(keyIndex)) return false;
    m_held.reset(keyIndex);
    return m_held.none();
}

void KeyChord::Clear() {
    m_Chord = {};
    m_held.reset();
}

}  // namespace voltrane
