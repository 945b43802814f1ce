#pragma once
// The macro choice dialog: the stored macros on the left, the steps of the selected one on the right;
// the user picks one by a click or the Up and Down keys and confirms with OK, or with Enter, keypad
// Enter or Space. Tab moves the keyboard focus between the macro list, OK and Cancel; Esc cancels.

#include <optional>

#include "capture/key_names.h"
#include "capture/macro_choice.h"
#include "dialogs/focus_dialog.h"
#include "settings/macro_store.h"
#include "skin/skin_images.h"

namespace voltrane {

class CChoice : public FocusDialog {
public:
    // Regions: 0, 1 the headings, 2 the macro list, 3 the step list, 4 OK, 5 Cancel; 6 none.
    enum Region : int { kMacroList = 2, kStepList = 3, kOk = 4, kCancel = 5, kNone = 6 };

    // A dialog drawn from `images` over the macros of `store` in `language` (0..5), naming keys by
    // `keyNames` (the three must outlive it).
    CChoice(const SkinImages& images, const MacroStore& store, int language, QWidget* parent = nullptr,
            const KeyNames& keyNames = UsKeyNames());

    const MacroChoice& Choice() const { return m_choice; }
    int HotRegion() const { return m_nHotRegion; }
    int HoverMacro() const { return m_nHoverMacro; }
    int HoverStep() const { return m_nHoverStep; }

    void PressControl(int index) override;

protected:
    std::vector<PaintedControl> Controls() const override;
    void paintSkin(QPainter& painter, const QRect& dirty) override;
    bool pressRegion(QPoint point) override;
    void hover(QPoint point) override;
    void releaseRegion(QPoint point) override;
    void wheelEvent(QWheelEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void activate(int region);
    void paintMacroList(QPainter& painter) const;
    void updateRegion(int region);

    const SkinImages& m_images;
    const MacroStore& m_store;
    int m_nLanguage;
    const KeyNames& m_keyNames;
    MacroChoice m_choice;
    int m_nHotRegion = kNone;
    int m_nHoverMacro = 0;
    int m_nHoverStep = -1;
};

// Runs the dialog modally, drawn from `images`, over `store` in `language`, naming keys by `keyNames`.
// Returns nothing on Cancel; on OK the chosen store index, which equals the store's macro count (0) only
// when the store is empty: the button then gets an empty macro name and no steps.
std::optional<int> RunChoiceDialog(QWidget* parent, const SkinImages& images, const MacroStore& store,
                                   int language, const KeyNames& keyNames);

}  // namespace voltrane
