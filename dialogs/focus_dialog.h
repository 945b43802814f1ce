#pragma once
// The base of the skinned dialogs whose painted controls take the keyboard focus: which region has the
// focus and how it moves (capture/dialog_focus.h), the regions a screen reader sees as the dialog's
// controls, and a screen reader told wherever the focus goes.

#include <vector>

#include "capture/dialog_focus.h"
#include "skin/painted_controls.h"
#include "skin/skinned_dialog.h"

namespace voltrane {

class FocusDialog : public SkinnedDialog, public PaintedControlList {
public:
    // Which region has the keyboard focus, and whether its ring shows.
    const DialogFocus& Focus() const { return m_focus; }

    int FocusedControl() const override { return controlOf(m_focus.Focused()); }
    void FocusControl(int index) override;

protected:
    // A dialog of the size and outline of `mask` over `parent` whose regions `controls` are the
    // controls a screen reader sees, in the order of their child numbers, and whose regions `tabOrder`
    // take the focus in that order (the first has it at first; `tabOrder` must not be empty).
    FocusDialog(const QImage& mask, QWidget* parent, std::vector<int> controls, std::vector<int> tabOrder);

    // The control (child number) of `region`; -1 for a region that is no control.
    int controlOf(int region) const;

    // Tab and Shift+Tab: the focus moves to the next or previous region with its ring.
    void moveFocus(bool forward);
    // The focus moves to `region`, its ring shown when `ring`. Returns false, and changes nothing, when
    // `region` takes no focus.
    bool moveFocusTo(int region, bool ring);
    // The pointer was pressed: the ring hides, the focus stays.
    void hideFocusRing();

private:
    void focusMoved();

    std::vector<int> m_controls;
    DialogFocus m_focus;
};

}  // namespace voltrane
