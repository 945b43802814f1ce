#pragma once
// The macro choice dialog without its window: which stored macro is selected, the preview of its
// steps, and where both lists stand. The dialog turns clicks, wheel turns and the Up and Down keys
// into the calls below and paints from the getters (row texts from step_text.h, words from
// dialog_texts.h).

#include <cstdint>
#include <span>
#include <string>

#include "settings/macro_record.h"

namespace voltrane {

inline constexpr int kChoiceVisibleRows = 21;  // rows each of the two lists shows

enum class ListKey { Up, Down };

class MacroChoice {
public:
    // Opens on the store's records (`records`, usually its 301 slots) of which the first
    // `macroCount` are in use; a count beyond the records or beyond 300 is cut to them. The first
    // macro is selected and previewed, both lists at their top. The records must outlive the object.
    MacroChoice(std::span<const MacroRecord> records, uint32_t macroCount);

    // A click on macro row `row` (a store index, counting from MacroTop()). A row of a macro other
    // than the selected one selects it and previews it with the step list at its top. Returns true
    // when the selection changed; rows past the macros change nothing.
    bool SelectMacroRow(int row);

    // The Up or Down key went up: the previous or next macro is selected and previewed, and the
    // macro list scrolls to keep it in view. Returns true when the selection changed.
    bool OnListKey(ListKey key);

    // One wheel notch over the macro list or the step list: positive up, negative down; at most one
    // row per call, down only while rows remain below the visible ones. Returns true when it scrolled.
    bool ScrollMacros(int wheelDelta);
    bool ScrollSteps(int wheelDelta);

    // The macro list shows VisibleMacros() rows from MacroTop(): it ends at the first macro without
    // steps. The step list shows VisibleSteps() steps of Preview() from StepTop(): it ends at the first
    // empty slot.
    int VisibleMacros() const;
    int VisibleSteps() const;

    // "Macros List 3/30": the heading of the macro list, with the selected macro's number (from 1)
    // and the number of macros.
    std::u16string MacroHeading(int language) const;

    // "Macros Settings 12": the heading of the step list, with the selected macro's step count.
    std::u16string StepHeading(int language) const;

    // What OK hands to the caller: the selected store index and a copy of its record. SelMacro()
    // equals MacroCount() only for an empty store; the button then gets an empty name and no steps.
    int SelMacro() const { return m_nSelMacro; }
    const MacroRecord& Preview() const { return m_Preview; }
    uint32_t MacroCount() const { return m_nMacroCount; }
    int MacroTop() const { return m_nMacroTop; }
    int StepTop() const { return m_nStepTop; }

private:
    void select(int macro);

    std::span<const MacroRecord> m_pMacroStore;
    uint32_t m_nMacroCount;
    int m_nSelMacro = 0;
    int m_nMacroTop = 0;
    int m_nStepTop = 0;
    MacroRecord m_Preview{};
};

}  // namespace voltrane
