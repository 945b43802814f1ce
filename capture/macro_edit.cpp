#include "capture/macro_edit.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace voltrane {

namespace {

constexpr int kAppendReserve = 5;  // room every append must find, whatever the step costs
constexpr int kDelayCost = 3;

bool isAppendable(uint8_t kind) {
    switch (kind) {
        case kMouseDown:
        case kMouseUp:
        case kDelay:
        case kKeyDown:
        case kKeyUp:
        case kDpiStep:
            return true;
        default:
            return false;
    }
}

void fillStep(MacroEvent& step, uint8_t kind, const StepData& data) {
    step = MacroEvent{};
    step.kind = kind;
    switch (kind) {
        case kMouseDown:
        case kMouseUp:
            step.data[0] = data.buttons;
            if (kind == kMouseDown) step.data[1] = data.wheel;
            break;
        case kDelay:
            SetStepDelay(step, data.milliseconds);
            break;
        case kKeyDown:
        case kKeyUp:
            std::copy(std::begin(data.keys), std::end(data.keys), step.data);
            break;
        default:
            break;
    }
}

// A pause lengthened past the longest one a step holds stays at the longest.
uint16_t saturatedSum(uint16_t pause, uint16_t more) {
    constexpr int kLongest = std::numeric_limits<uint16_t>::max();
    return static_cast<uint16_t>(std::min(pause + more, kLongest));
}

}  // namespace

int StepCost(uint8_t kind) {
    switch (kind) {
        case 4:
        case 5:
        case kKeyDown:
            return 5;
        case kRawKey:
        case kMouseDown:
        case kDelay:
        case kDpiStep:
        case 17:
        case kKeyUp:
        case kMouseUp:
            return 3;
        default:
            return 0;
    }
}

int StepCount(const MacroRecord& record) { return std::clamp(record.count, 0, kMacroSlots); }

bool BudgetExhausted(const MacroRecord& record) { return record.length + kAppendReserve >= kMacroBudget; }

int AppendStep(MacroRecord& record, uint8_t kind, const StepData& data) {
    const int count = StepCount(record);
    if (BudgetExhausted(record) || !isAppendable(kind) || count >= kMacroSlots) {
        return -1;
    }
    fillStep(record.steps[count], kind, data);
    record.length = static_cast<uint8_t>(record.length + StepCost(kind));
    record.count = count + 1;
    return count;
}

void InsertDelay(MacroRecord& record, int index, uint16_t milliseconds) {
    const int count = StepCount(record);
    if (index < 0) return;
    if (index < count && record.steps[index].kind == kDelay) {
        MacroEvent& pause = record.steps[index];
        SetStepDelay(pause, saturatedSum(StepDelay(pause), milliseconds));
        return;
    }
    if (record.length + kDelayCost >= kMacroBudget || count >= kMacroSlots) return;
    index = std::min(index, count);
    std::copy_backward(record.steps + index, record.steps + count, record.steps + count + 1);
    StepData pause;
    pause.milliseconds = milliseconds;
    fillStep(record.steps[index], kDelay, pause);
    record.length = static_cast<uint8_t>(record.length + kDelayCost);
    record.count = count + 1;
}

void DeleteStep(MacroRecord& record, int index) {
    const int count = StepCount(record);
    if (index < 0 || index >= count) return;
    const int cost = StepCost(record.steps[index].kind);
    record.length = static_cast<uint8_t>(std::max(0, record.length - cost));
    std::copy(record.steps + index + 1, record.steps + count, record.steps + index);
    record.steps[count - 1] = MacroEvent{};
    record.count = count - 1;
}

void ClearRecord(MacroRecord& record) {
    record.count = 0;
    record.length = 0;
    std::memset(record.steps, 0, sizeof record.steps);
}

}  // namespace voltrane
