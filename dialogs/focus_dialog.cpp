#include "dialogs/focus_dialog.h"

#include <algorithm>

namespace voltrane {

FocusDialog::FocusDialog(const QImage& mask, QWidget* parent, std::vector<int> controls,
                         std::vector<int> tabOrder)
    : SkinnedDialog(mask, parent), m_controls(std::move(controls)), m_focus(std::move(tabOrder)) {}

int FocusDialog::controlOf(int region) const {
    const auto found = std::find(m_controls.begin(), m_controls.end(), region);
    return found == m_controls.end() ? -1 : static_cast<int>(found - m_controls.begin());
}

void FocusDialog::FocusControl(int index) {
    if (index >= 0 && index < static_cast<int>(m_controls.size()))
        static_cast<void>(moveFocusTo(m_controls[static_cast<std::size_t>(index)], true));
}

void FocusDialog::moveFocus(bool forward) {
    forward ? m_focus.Next() : m_focus.Previous();
    focusMoved();
}

bool FocusDialog::moveFocusTo(int region, bool ring) {
    if (!m_focus.Set(region, ring)) return false;
    focusMoved();
    return true;
}

void FocusDialog::hideFocusRing() {
    if (!m_focus.RingShown()) return;
    m_focus.HideRing();
    update();
}

// A screen reader hears where the focus is; the ring is repainted.
void FocusDialog::focusMoved() {
    AnnounceFocus(this, controlOf(m_focus.Focused()));
    update();
}

}  // namespace voltrane
