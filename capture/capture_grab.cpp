#include "capture/capture_grab.h"

namespace voltrane {

CaptureGrab::Step CaptureGrab::On(Event event) {
    switch (event) {
        case Event::Shown:
            m_bShown = true;
            return take();
        case Event::Activated:
            m_bActive = true;
            m_bOverdue = false;
            return take();
        case Event::Deactivated:
            m_bActive = m_bOverdue = false;
            // A request the compositor has not answered stays: its prompt took the focus.
            return Pending() ? Step::Keep : release();
        case Event::Hidden:
            m_bShown = m_bActive = m_bWithdrawn = m_bOverdue = false;
            return release();
        case Event::Suspended:
            m_bSuspended = true;
            return release();
        case Event::Resumed:
            m_bSuspended = false;
            return take();
        case Event::Armed:
            m_bArmed = true;
            return take();
        case Event::Disarmed:
            m_bArmed = false;
            return release();
    }
    return Step::Keep;
}

void CaptureGrab::Answered(Answer answer) {
    m_bTaken = true;
    m_answer = answer;
}

void CaptureGrab::Changed(bool granted) {
    if (!m_bTaken) return;
    m_bWithdrawn = granted ? false : m_bWithdrawn || Held();
    m_answer = granted ? Answer::Granted : Answer::Refused;
}

void CaptureGrab::Unanswered() { m_bOverdue = m_bActive && Pending(); }

// Asked for by the shown, active dialog that holds no request: before the window system shows and
// activates it there is no window to grant the grab to, and a request already made waits for its
// answer (asking anew would only ask the user again).
CaptureGrab::Step CaptureGrab::take() const {
    return m_bShown && m_bActive && m_bArmed && !m_bSuspended && !m_bWithdrawn && !m_bTaken ? Step::Take
                                                                                              : Step::Keep;
}

CaptureGrab::Step CaptureGrab::release() {
    if (!m_bTaken) return Step::Keep;
    m_bTaken = false;
    m_answer = Answer::Refused;
    m_bOverdue = false;
    return Step::Release;
}

}  // namespace voltrane
