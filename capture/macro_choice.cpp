#include "capture/macro_choice.h"

#include <algorithm>

#include "capture/dialog_texts.h"
#include "capture/list_scroll.h"
#include "capture/macro_edit.h"
#include "settings/macro_store.h"
#include "settings/utf.h"

namespace voltrane {

namespace {

// Rows from `top` while below `top` + 21 and below `end`, but no further than the first for which
// `shown` is false.
template <typename Shown>
int visibleRows(int top, int end, Shown shown) {
    int row = top;
    while (row < std::min(end, top + kChoiceVisibleRows) && shown(row)) ++row;
    return row - top;
}

}  // namespace

MacroChoice::MacroChoice(std::span<const MacroRecord> records, uint32_t macroCount)
    : m_pMacroStore(records),
      m_nMacroCount(std::min({macroCount, kMaxMacros, static_cast<uint32_t>(records.size())})) {
    select(0);
}

bool MacroChoice::SelectMacroRow(int row) {
    if (row < 0 || row >= static_cast<int>(m_nMacroCount) || row == m_nSelMacro) return false;
    select(row);
    return true;
}

bool MacroChoice::OnListKey(ListKey key) {
    if (key == ListKey::Up && m_nSelMacro > 0) {
        select(m_nSelMacro - 1);
        m_nMacroTop = std::min(m_nMacroTop, m_nSelMacro);
        return true;
    }
    if (key == ListKey::Down && m_nSelMacro + 1 < static_cast<int>(m_nMacroCount)) {
        select(m_nSelMacro + 1);
        m_nMacroTop = std::max(m_nMacroTop, m_nSelMacro - (kChoiceVisibleRows - 1));
        return true;
    }
    return false;
}

bool MacroChoice::ScrollMacros(int wheelDelta) {
    return ScrollList(m_nMacroTop, wheelDelta, kChoiceVisibleRows, static_cast<int>(m_nMacroCount));
}

bool MacroChoice::ScrollSteps(int wheelDelta) {
    return ScrollList(m_nStepTop, wheelDelta, kChoiceVisibleRows, StepCount(m_Preview));
}

int MacroChoice::VisibleMacros() const {
    return visibleRows(m_nMacroTop, static_cast<int>(m_nMacroCount),
                       [&](int row) { return m_pMacroStore[row].count != 0; });
}

int MacroChoice::VisibleSteps() const {
    return visibleRows(m_nStepTop, kMacroSlots, [&](int step) { return m_Preview.steps[step].kind != 0; });
}

std::u16string MacroChoice::MacroHeading(int language) const {
    return std::u16string(ChoiceHeadingText(ChoiceHeading::Macros, language)) + u' ' +
           DecimalUtf16(m_nSelMacro + 1) + u'/' + DecimalUtf16(m_nMacroCount);
}

std::u16string MacroChoice::StepHeading(int language) const {
    return std::u16string(ChoiceHeadingText(ChoiceHeading::Steps, language)) + u' ' +
           DecimalUtf16(StepCount(m_Preview));
}

// Selects store index `macro` and previews its record (an empty one past the records), the step
// list at its top.
void MacroChoice::select(int macro) {
    m_nSelMacro = macro;
    m_nStepTop = 0;
    m_Preview = macro < static_cast<int>(m_pMacroStore.size()) ? m_pMacroStore[macro] : MacroRecord{};
}

}  // namespace voltrane
