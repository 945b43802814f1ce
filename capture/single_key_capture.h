#pragma once
// The single-key dialog without its window: the key combination the user presses, what the dialog
// shows of it, and what OK hands back. The dialog feeds it the captured keys; its button words are
// in dialog_texts.h.

#include <optional>
#include <string>

#include "capture/key_chord.h"

namespace voltrane {

inline constexpr int kSingleKeyChordKeys = 6;  // keys a button's combination holds at most

class SingleKeyCapture {
public:
    // A captured key went down (again on auto-repeat): `keyIndex` is the key-table row. The first key
    // pressed after all keys were released starts a new combination; a seventh distinct key is
    // ignored. The dialog repaints the combination after every press.
    void OnHookKeyDown(int keyIndex);

    // A captured key went up. The combination stays as it is until the next press after all keys
    // were released.
    void OnHookKeyUp(int keyIndex);

    // The dialog lost the keyboard (its grab or its focus), so the held keys' releases will not
    // arrive: the combination stays, and the next press starts a new one.
    void OnKeysLost() { m_Chord.ReleaseAll(); }

    // Capture stopped while keys were held (Esc held alone): the combination being pressed is
    // dropped and the one shown before it comes back.
    void OnChordDropped();

    // The combination as shown in the dialog: the key names of `names` joined with "+", empty before
    // any key.
    std::u16string Text(const KeyNames& names) const { return m_Chord.Text(names); }

    // What OK stores into the button's key record (10 bytes, the combination's rows then zeros), or
    // nothing when no key was pressed: the button then keeps its function and key record. Either way
    // OK empties the name of the macro assigned to the button.
    std::optional<KeyString> OkResult() const;

private:
    KeyChord m_Chord{kSingleKeyChordKeys};
    KeyChord m_Before{kSingleKeyChordKeys};  // the combination shown before the one being pressed
};

}  // namespace voltrane
