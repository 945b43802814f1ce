#pragma once
// The keys a capture dialog is collecting into one chord: the keys pressed together while at least
// one of them is held, as a key-index string, and which of them are still down.

#include <array>
#include <bitset>
#include <cstdint>
#include <string>

#include "capture/key_names.h"
#include "settings/key_table.h"

namespace voltrane {

class KeyChord {
public:
    // A chord of at most `capacity` keys (clamped to 1..10); a further key is neither stored nor
    // counted.
    explicit KeyChord(int capacity);

    // A key went down (again for each auto-repeat). The first key pressed while none is held starts
    // a new chord. Returns true when the key joined the chord; false when it was in it already (it
    // counts as held again), the chord is full, or `keyIndex` is not a key row (1..105).
    bool Press(int keyIndex);

    // A key went up. Returns true when it was the last held key of the chord: the chord is complete.
    // A key the chord does not hold (pressed before capture began, or beyond the capacity) changes
    // nothing and returns false.
    bool Release(int keyIndex);

    // Forgets the chord and every held key.
    void Clear();

    // Forgets the held keys and keeps the chord, for when their releases can no longer arrive (the
    // dialog lost the keyboard): the next press starts a new chord.
    void ReleaseAll() { m_held.reset(); }

    // How many keys of the chord are down.
    int KeysHeld() const { return static_cast<int>(m_held.count()); }

    // Whether the chord holds no key.
    bool Empty() const { return m_Chord[0] == 0; }

    // The chord as a key-index string: rows from byte 0 on, zero behind them.
    const KeyString& Keys() const { return m_Chord; }

    // The key names of `names` joined with "+"; empty for an empty chord.
    std::u16string Text(const KeyNames& names) const { return names.ComboText(m_Chord); }

private:
    int m_nCapacity;
    KeyString m_Chord = {};
    std::bitset<kKeyTableRows> m_held;
};

}  // namespace voltrane
