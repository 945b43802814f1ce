#include "capture/dialog_focus.h"

#include <algorithm>

namespace voltrane {

void DialogFocus::Next() {
    m_nAt = (m_nAt + 1) % m_order.size();
    m_bRing = true;
}

void DialogFocus::Previous() {
    m_nAt = (m_nAt + m_order.size() - 1) % m_order.size();
    m_bRing = true;
}

bool DialogFocus::Set(int control, bool byKeyboard) {
    const auto found = std::find(m_order.begin(), m_order.end(), control);
    if (found == m_order.end()) return false;
    m_nAt = static_cast<std::size_t>(found - m_order.begin());
    m_bRing = byKeyboard;
    return true;
}

}  // namespace voltrane
