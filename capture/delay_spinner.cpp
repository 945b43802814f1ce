#include "capture/delay_spinner.h"

namespace voltrane {

void DelaySpinner::Start(SpinDirection direction) {
    m_nSpin = direction;
    step();
}

bool DelaySpinner::Tick() {
    if (m_nSpin == SpinDirection::Idle) return false;
    step();
    return true;
}

void DelaySpinner::Reset(uint16_t milliseconds) {
    m_wDelay = milliseconds;
    m_nSpin = SpinDirection::Idle;
}

// Up while below the maximum, down while above the minimum.
void DelaySpinner::step() {
    if (m_nSpin == SpinDirection::Up && m_wDelay < kSpinnerMaximum) ++m_wDelay;
    if (m_nSpin == SpinDirection::Down && m_wDelay > kSpinnerMinimum) --m_wDelay;
}

}  // namespace voltrane
