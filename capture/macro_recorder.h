#pragma once
// The macro editor without its window: the record under edit, the list's top row and selection, the
// two delay check boxes, the delay spinner, the chord being captured and the length-limit message.
// The dialog turns clicks, wheel turns, timer ticks and captured keys into the calls below and
// paints from the getters; every text comes from step_text.h.

#include <cstdint>

#include "capture/delay_spinner.h"
#include "capture/key_chord.h"
#include "capture/macro_edit.h"
#include "settings/macro_record.h"

namespace voltrane {

// The editor's mouse buttons and wheel directions, in the order of their regions (7 to 13).
enum class MouseChoice : uint8_t { Left, Right, Middle, Fifth, Fourth, ScrollUp, ScrollDown };

inline constexpr int kEditorVisibleSteps = 20;  // steps the list shows; its 21st row shows held keys

class MacroRecorder {
public:
    // Opens on a copy of `record`: top row and selection 0, both check boxes off, delay 10 ms.
    explicit MacroRecorder(const MacroRecord& record);

    // A captured key went down (again on auto-repeat). While the budget is exhausted (length >= 249)
    // it is only remembered as held, for its release; otherwise the key joins the chord (up to 10
    // keys).
    void OnHookKeyDown(int keyIndex);

    // A captured key went up. When it was the last held key, the chord is recorded: a KeyDown step,
    // a Delay when "after button down" is on, a KeyUp step, a Delay when "after button up" is on;
    // all of them or, when the budget cannot take them all, none. Returns true when the dialog must
    // show the length-limit message now: the chord did not fit, or the budget is exhausted and the
    // last key held here went up. A release of a key that no press here was seen for does nothing.
    [[nodiscard]] bool OnHookKeyUp(int keyIndex);

    // The dialog lost the keyboard (its grab or its focus), so the held keys' releases will not
    // arrive: the chord being captured is dropped without recording anything.
    void OnKeysLost() {
        m_Chord.Clear();
        m_RefusedChord.Clear();
    }

    // A click on a mouse button or wheel direction records it: the press (for the wheel a MouseDown
    // with the wheel value), a Delay when "after button down" is on, then for buttons the release and
    // a Delay when "after button up" is on; all or none. Returns true when the dialog must show the
    // length-limit message now: the steps did not fit, or they exhausted the budget.
    [[nodiscard]] bool RecordMouse(MouseChoice choice);

    // The length-limit message box has closed; the next reason to show it shows it again. At most
    // one box is asked for until then.
    void LimitMessageClosed() { m_bLimitMsgShown = false; }

    // Inserts a pause of the delay value before the selected step, or lengthens it when the selected
    // step is a pause; a selection past the last step inserts at the end. The selection moves onto
    // the pause, so a second press lengthens it. Nothing happens when the budget has no room.
    void InsertDelayAtSelection();

    // Deletes the selected step when there is one; a selection left past the new last step moves up
    // by one (never below 0). The top row stays.
    void DeleteSelection();

    // Clears the record and the chord; top row and selection 0, check boxes off, delay 8 ms.
    void Clean();

    // A click on list row `row` (a step index, counting from the top row; it may lie past the last
    // step) selects it. Negative rows are ignored.
    void SelectRow(int row);

    // One wheel notch over the list: positive up, negative down; at most one row per call, up while
    // the top row is above 0, down while steps remain below the visible ones. Returns true when the
    // list scrolled.
    bool Scroll(int wheelDelta);

    // A click on the check box "Insert delay after button down" or "... after button up" turns it
    // on or off; it applies to the clicks and chords recorded from then on.
    void ToggleDelayAfterDown() { m_bDelayAfterDown = !m_bDelayAfterDown; }
    void ToggleDelayAfterUp() { m_bDelayAfterUp = !m_bDelayAfterUp; }

    // The delay value and its spinner: Start on an arrow's press, Stop on any release, Tick from the
    // dialog's 100 ms timer.
    DelaySpinner& Spinner() { return m_Spinner; }
    const DelaySpinner& Spinner() const { return m_Spinner; }

    // The list shows VisibleSteps() steps of Record() from TopRow() (at most 20), then the held
    // chord's row while Chord() is not empty.
    int VisibleSteps() const;

    // What the dialog paints: the record under edit (OK hands it back to the macro store when its
    // count is not 0), the keys being held, the list's first row and selected row (a step index,
    // possibly past the last step), and the two check boxes.
    const MacroRecord& Record() const { return m_Macro; }
    const KeyChord& Chord() const { return m_Chord; }
    int TopRow() const { return m_nTopRow; }
    int SelRow() const { return m_nSelRow; }
    bool DelayAfterDown() const { return m_bDelayAfterDown; }
    bool DelayAfterUp() const { return m_bDelayAfterUp; }

private:
    bool recordGroup(uint8_t pressKind, uint8_t releaseKind, const StepData& data);
    bool requestLimitMessage();

    MacroRecord m_Macro;
    int m_nTopRow = 0;
    int m_nSelRow = 0;
    bool m_bDelayAfterDown = false;
    bool m_bDelayAfterUp = false;
    DelaySpinner m_Spinner{kDelayOnOpening};
    KeyChord m_Chord{kKeyStringLength};
    KeyChord m_RefusedChord{kKeyStringLength};  // keys held down while the budget is exhausted
    bool m_bLimitMsgShown = false;
};

}  // namespace voltrane
