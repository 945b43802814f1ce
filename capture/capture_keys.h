#pragma once
// Which keys of a capture dialog are captured and which work the dialog itself. While the dialog is
// armed every key is captured, Tab, Esc, Enter, Alt+F4 and the Super keys included; holding Esc alone
// until it repeats stops the capture without capturing it, and the single-key dialog also stops once
// the keys of one combination are all up. While the dialog is not armed, Tab and Shift+Tab move the
// focus, Enter and keypad Enter (when they go down) and Space (when it goes up) activate the focused
// control, Esc cancels and the arrows go to the focused control; any other key arms the dialog again
// and is captured together with the modifiers held with it. A key held across arming or disarming is
// ignored until it goes up, so that its repeats and release neither act twice nor get captured.

#include <bitset>
#include <vector>

#include "capture/key_translation.h"
#include "settings/key_table.h"

namespace voltrane {

// When an armed dialog stops capturing by itself, besides Esc held alone.
enum class CaptureEnd {
    AfterCombination,  // once the keys of a combination are all up (the single-key dialog)
    OnlyByEsc,         // never (the macro editor records chord after chord)
};

enum class KeyCommand {
    Capture,    // armed: the key went down (again for each auto-repeat)
    CaptureUp,  // armed: the key went up
    Arm,        // capture starts; the captures that follow belong to it
    Done,       // the combination is complete and capture stops: the dialog keeps what it captured
    Stop,       // Esc was held: capture stops and the combination being held is dropped
    Next,       // Tab
    Previous,   // Shift+Tab
    Activate,   // Enter or keypad Enter went down, or Space went up
    Cancel,     // Esc went down
    Up,
    Down,
    Left,
    Right,
};

struct KeyAction {
    KeyCommand command;
    int keyIndex = 0;  // the key-table row, for Capture and CaptureUp

    bool operator==(const KeyAction&) const = default;
};

class CaptureKeys {
public:
    // Armed, no key held.
    explicit CaptureKeys(CaptureEnd end) : m_end(end) {}

    // One key event of key-table row `keyIndex` (1..105; others are ignored): what the dialog does, in
    // order. A key that arms the dialog gives Arm, then Capture for each modifier held (in the order
    // they went down), then Capture for itself.
    [[nodiscard]] std::vector<KeyAction> OnKey(int keyIndex, KeyTransition transition);

    // The dialog arms itself (Enter or Space on its capture field, or recording turned on) or stops
    // capturing (a click on its OK, say). Keys held now are ignored until they go up.
    void Arm();
    void Disarm();

    // The dialog lost the keyboard: no release of the keys held will arrive.
    void KeysLost();

    bool Armed() const { return m_bArmed; }

private:
    std::vector<KeyAction> armed(int keyIndex, KeyTransition transition);
    std::vector<KeyAction> disarmed(int keyIndex, KeyTransition transition);
    std::vector<KeyAction> disarmedPress(int keyIndex);
    std::vector<KeyAction> armWith(int keyIndex);
    void forgetHeldKeys();
    void setHeld(int keyIndex, bool down);

    CaptureEnd m_end;
    bool m_bArmed = true;
    bool m_bCaptured = false;  // a key was captured since arming
    std::bitset<kKeyTableRows> m_held;
    std::bitset<kKeyTableRows> m_stale;  // held across a change of mode
    std::vector<int> m_order;            // the held keys, in the order they went down
};

}  // namespace voltrane
