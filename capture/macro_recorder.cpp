#include "capture/macro_recorder.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "capture/list_scroll.h"

namespace voltrane {

namespace {

constexpr uint8_t kNoRelease = 0;  // a wheel step is a press without a release

StepData mouseData(MouseChoice choice) {
    StepData data;
    if (choice == MouseChoice::ScrollUp) {
        data.wheel = kWheelUp;
    } else if (choice == MouseChoice::ScrollDown) {
        data.wheel = kWheelDown;
    } else {
        data.buttons = static_cast<uint8_t>(1 << static_cast<int>(choice));
    }
    return data;
}

StepData chordData(const KeyChord& chord) {
    StepData data;
    std::copy(chord.Keys().begin(), chord.Keys().end(), data.keys);
    return data;
}

}  // namespace

MacroRecorder::MacroRecorder(const MacroRecord& record) : m_Macro(record) {}

void MacroRecorder::OnHookKeyDown(int keyIndex) {
    if (BudgetExhausted(m_Macro)) {
        m_RefusedChord.Press(keyIndex);
    } else {
        m_Chord.Press(keyIndex);
    }
}

// With the budget exhausted, the message answers the release that completes a chord pressed here: not
// the release of a key pressed elsewhere, such as the Enter that closed the message box.
bool MacroRecorder::OnHookKeyUp(int keyIndex) {
    if (BudgetExhausted(m_Macro)) {
        for (KeyChord* chord : {&m_Chord, &m_RefusedChord}) {
            if (chord->Release(keyIndex)) {
                chord->Clear();
                return requestLimitMessage();
            }
        }
        return false;
    }
    if (!m_Chord.Release(keyIndex)) return false;
    const bool stored = recordGroup(kKeyDown, kKeyUp, chordData(m_Chord));
    m_Chord.Clear();
    return !stored && requestLimitMessage();
}

bool MacroRecorder::RecordMouse(MouseChoice choice) {
    const bool wheel = choice == MouseChoice::ScrollUp || choice == MouseChoice::ScrollDown;
    const bool stored = recordGroup(kMouseDown, wheel ? kNoRelease : uint8_t{kMouseUp}, mouseData(choice));
    if (stored && !BudgetExhausted(m_Macro)) return false;
    return requestLimitMessage();
}

void MacroRecorder::InsertDelayAtSelection() {
    const int at = std::min(m_nSelRow, StepCount(m_Macro));
    InsertDelay(m_Macro, at, m_Spinner.Value());
    if (at < StepCount(m_Macro)) m_nSelRow = at;
}

void MacroRecorder::DeleteSelection() {
    if (m_nSelRow >= StepCount(m_Macro)) return;
    DeleteStep(m_Macro, m_nSelRow);
    if (m_nSelRow == StepCount(m_Macro) && m_nSelRow != 0) --m_nSelRow;
}

void MacroRecorder::Clean() {
    ClearRecord(m_Macro);
    m_nTopRow = 0;
    m_nSelRow = 0;
    m_bDelayAfterDown = false;
    m_bDelayAfterUp = false;
    m_Spinner.Reset(kDelayAfterClean);
    m_Chord.Clear();
}

void MacroRecorder::SelectRow(int row) {
    if (row >= 0) m_nSelRow = row;
}

bool MacroRecorder::Scroll(int wheelDelta) {
    return ScrollList(m_nTopRow, wheelDelta, kEditorVisibleSteps, StepCount(m_Macro));
}

int MacroRecorder::VisibleSteps() const {
    return std::clamp(StepCount(m_Macro) - m_nTopRow, 0, kEditorVisibleSteps);
}

// Appends the press, its pause, the release and its pause on a copy of the record and keeps the copy
// only when every step fitted, so that no press is ever stored without its release. The new last
// step becomes the selection and is scrolled into view.
bool MacroRecorder::recordGroup(uint8_t pressKind, uint8_t releaseKind, const StepData& data) {
    StepData pause;
    pause.milliseconds = m_Spinner.Value();
    std::vector<std::pair<uint8_t, StepData>> steps = {{pressKind, data}};
    if (m_bDelayAfterDown) steps.emplace_back(kDelay, pause);
    if (releaseKind != kNoRelease) {
        steps.emplace_back(releaseKind, data);
        if (m_bDelayAfterUp) steps.emplace_back(kDelay, pause);
    }
    MacroRecord trial = m_Macro;
    int last = -1;
    for (const auto& [kind, stepData] : steps) {
        last = AppendStep(trial, kind, stepData);
        if (last < 0) return false;
    }
    m_Macro = trial;
    m_nSelRow = last;
    const int count = StepCount(m_Macro);
    if (count > m_nTopRow + kEditorVisibleSteps) m_nTopRow = count - kEditorVisibleSteps;
    return true;
}

// Asks for the box unless it is open already.
bool MacroRecorder::requestLimitMessage() {
    if (m_bLimitMsgShown) return false;
    m_bLimitMsgShown = true;
    return true;
}

}  // namespace voltrane
