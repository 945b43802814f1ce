#pragma once
// The keyboard focus over a dialog's painted controls: which control has it, the Tab order, and
// whether the focus ring shows. The ring shows only while the focus came from the keyboard; a pointer
// user never sees it.

#include <cstddef>
#include <utility>
#include <vector>

namespace voltrane {

class DialogFocus {
public:
    // The controls (region numbers) in Tab order; the first has the focus and the ring is hidden.
    // `order` must not be empty.
    explicit DialogFocus(std::vector<int> order) : m_order(std::move(order)) {}

    int Focused() const { return m_order[m_nAt]; }
    bool RingShown() const { return m_bRing; }

    // Tab and Shift+Tab: the next or previous control, round from the last to the first and back;
    // the ring shows.
    void Next();
    void Previous();

    // Moves the focus to `control`, with the ring when `byKeyboard`. Returns false, and changes
    // nothing, when `control` is not one of the dialog's controls.
    bool Set(int control, bool byKeyboard);

    // The pointer was used: the ring hides, the focus stays.
    void HideRing() { m_bRing = false; }

private:
    std::vector<int> m_order;
    std::size_t m_nAt = 0;
    bool m_bRing = false;
};

}  // namespace voltrane
