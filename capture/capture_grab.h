#pragma once
// When a capture dialog holds the desktop's keyboard (an X11 keyboard grab, or on Wayland the
// compositor's shortcuts inhibited for it) and whether it must say that system shortcuts cannot be
// captured. The dialog reports what happens to its window and what the window system answers; this
// says what the dialog does with the grab. The grab is held only while the dialog is the active
// window and capturing keys (armed, or recording): it is taken when the dialog is shown, activated or
// armed and let go when the dialog loses the focus, is hidden, stops capturing, or opens a box of its
// own. A grab the compositor withdraws while the dialog holds
// it (the user's own shortcut to get the desktop's shortcuts back) is not asked for again until the
// dialog is shown anew.

namespace voltrane {

class CaptureGrab {
public:
    // What happens to the dialog's window.
    enum class Event {
        Shown,
        Activated,
        Deactivated,
        Hidden,
        Suspended,  // the dialog opens a box of its own, which takes the keyboard
        Resumed,    // that box is closed
        Armed,      // the dialog captures keys (as it does when it opens)
        Disarmed,   // the dialog stops capturing: its keys move, confirm and cancel
    };
    // What the dialog does: nothing, ask the window system for the grab (then report its answer
    // with Answered), or let go of it.
    enum class Step { Keep, Take, Release };

    // The step `event` calls for.
    [[nodiscard]] Step On(Event event);

    // The window system's answer to Take: whether it granted the grab.
    void Answered(bool granted);
    // The compositor withdrew a grab it had granted (false), or granted it again (true).
    void Changed(bool granted);

    // Whether the dialog holds the grab.
    bool Held() const { return m_bTaken && m_bGranted; }
    // Whether the dialog must say that system shortcuts cannot be captured: it is the active window,
    // captures keys, and the window system refused or withdrew the grab (or has none).
    bool ShowsNote() const { return m_bActive && m_bArmed && (m_bWithdrawn || (m_bTaken && !m_bGranted)); }

private:
    Step take() const;
    Step release();

    bool m_bShown = false;
    bool m_bActive = false;
    bool m_bSuspended = false;
    bool m_bArmed = true;
    bool m_bTaken = false;  // asked for, and not let go since
    bool m_bGranted = false;
    bool m_bWithdrawn = false;  // taken back by the compositor while held, since the dialog was shown
};

}  // namespace voltrane
