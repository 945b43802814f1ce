#pragma once
// When a capture dialog holds the desktop's keyboard (an X11 keyboard grab, or on Wayland the
// compositor's shortcuts inhibited for it) and whether it must say that system shortcuts cannot be
// captured. The dialog reports what happens to its window and what the window system answers; this
// says what the dialog does with the grab. The grab is held only while the dialog captures keys
// (armed, or recording). It is asked for once the dialog is shown and the active window (on Wayland:
// its surface is a mapped toplevel with the keyboard focus) and captures, and let go when the dialog
// loses the focus, is hidden, stops capturing, or opens a box of its own. A compositor may answer
// later: GNOME first asks the user in a prompt of its own, which takes the focus; a request still
// unanswered is therefore kept while the dialog is not active, and only once the dialog is active
// again without an answer for a while does it say that the shortcuts cannot be captured. A grab the
// compositor withdraws while the dialog holds it (the user's own shortcut to get the desktop's
// shortcuts back) is not asked for again until the dialog is shown anew.

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
    // The window system's answer to Take: refused, granted, or asked and to be answered later.
    enum class Answer { Refused, Granted, Pending };

    // The step `event` calls for.
    [[nodiscard]] Step On(Event event);

    void Answered(Answer answer);
    // The compositor answered a pending request, withdrew a grab it had granted (false), or granted
    // it again (true).
    void Changed(bool granted);
    // The dialog has been active for a while and a request is still unanswered: taken as refused
    // until an answer comes.
    void Unanswered();

    // Whether the dialog holds the grab.
    bool Held() const { return m_bTaken && m_answer == Answer::Granted; }
    // Whether a request waits for the compositor's answer.
    bool Pending() const { return m_bTaken && m_answer == Answer::Pending; }
    // Whether the dialog must say that system shortcuts cannot be captured: it is the active window,
    // captures keys, and the window system refused or withdrew the grab (or has none, or never answers).
    bool ShowsNote() const {
        return m_bActive && m_bArmed &&
               (m_bWithdrawn || (m_bTaken && m_answer == Answer::Refused) || (Pending() && m_bOverdue));
    }

private:
    Step take() const;
    Step release();

    bool m_bShown = false;
    bool m_bActive = false;
    bool m_bSuspended = false;
    bool m_bArmed = true;
    bool m_bTaken = false;  // asked for, and not let go since
    Answer m_answer = Answer::Refused;
    bool m_bOverdue = false;    // the pending answer is overdue since the dialog was last activated
    bool m_bWithdrawn = false;  // taken back by the compositor while held, since the dialog was shown
};

}  // namespace voltrane
