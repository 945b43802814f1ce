#include "capture/capture_grab.h"

namespace voltrane {

CaptureGrab::Step CaptureGrab::On(Event event) {
    switch (event) {
        case Event::Shown:
            m_bShown = true;
            return take();
        case Event::Activated:
            m_bActive = true;
            return take();
        case Event::Deactivated:
            m_bActive = false;
            return release();
        case Event::Hidden:
            m_bShown = m_bActive = m_bWithdrawn = false;
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

void CaptureGrab::Answered(bool granted) {
    m_bTaken = true;
    m_bGranted = granted;
}

void CaptureGrab::Changed(bool granted) {
    if (!m_bTaken) return;
    m_bWithdrawn = granted ? false : m_bWithdrawn || Held();
    m_bGranted = granted;
}

// Asked again while the grab is not held: the window system refuses it before the window is shown
// and activated, and a compositor may grant it once the user agrees.
CaptureGrab::Step CaptureGrab::take() const {
    return m_bShown && m_bArmed && !m_bSuspended && !m_bWithdrawn && !Held() ? Step::Take : Step::Keep;
}

CaptureGrab::Step CaptureGrab::release() {
    if (!m_bTaken) return Step::Keep;
    m_bTaken = m_bGranted = false;
    return Step::Release;
}

}  // namespace voltrane
