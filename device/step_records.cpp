#include "device/step_records.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <vector>

#include "settings/macro_store.h"

namespace voltrane {

namespace {

using Record = std::array<uint8_t, kStepRecordBytes>;

// Key-table rows of the eight modifier bits, bit 0 first.
constexpr uint8_t kModifierRows[8] = {70, 58, 72, 71, 77, 69, 74, 75};

// How much of a decoded chord tells a release (all zero) and is remembered for the next release:
// as many bytes as a keyboard report holds.
constexpr int kRememberedChord = kKeyboardReportBytes;

// The record a step writes, or nothing for Delay and kinds without a record form.
std::optional<Record> recordOf(const MacroEvent& step) {
    Record r{};
    switch (step.kind) {
        case kMouseDown:
        case kMouseUp:
            r[0] = step.kind == kMouseDown ? kRecordMousePress : kRecordMouseRelease;
            r[1] = step.data[0];
            r[2] = step.data[1];
            return r;
        case kKeyDown: {
            r[0] = kRecordKeyboard;
            std::span<const uint8_t, kKeyStringLength> chord(step.data, kKeyStringLength);
            KeyComboToHid(chord, RecordPayload(r.data()));
            return r;
        }
        case kKeyUp:
            r[0] = kRecordKeyboard;
            return r;
        case kRawKey:
            r[0] = kRecordKeyboard;
            r[1] = step.data[0];
            r[2] = step.data[1];
            return r;
        case kDpiStep:
            r[0] = kRecordDpi;
            r[1] = step.data[0];
            return r;
        default:
            return std::nullopt;
    }
}

std::vector<Record> encodeRecords(const MacroRecord& macro) {
    std::vector<Record> records;
    const int count = std::clamp(macro.count, 0, kMacroSlots);
    for (int i = 0; i < count; ++i) {
        const MacroEvent& step = macro.steps[i];
        if (step.kind == kDelay) {
            if (records.empty()) continue;  // nothing to carry the pause
            SetRecordDelay(records.back().data(), StepDelay(step));
        } else if (auto record = recordOf(step)) {
            records.push_back(*record);
        }
    }
    return records;
}

class GroupDecoder {
public:
    explicit GroupDecoder(MacroRecord& target) : m_target(target) {
        std::memset(&m_target, 0, sizeof m_target);
    }

    void Decode(const uint8_t* record) {
        const uint8_t kind = record[0] & kRecordKindMask;
        if (kind == kRecordMousePress || kind == kRecordMouseRelease) {
            MacroEvent* step = add(kind == kRecordMousePress ? kMouseDown : kMouseUp, 3);
            if (step) std::copy(record + 1, record + 3, step->data);
            addDelay(record);
        } else if (kind == kRecordDpi) {
            MacroEvent* step = add(kDpiStep, 3);
            if (step) step->data[0] = record[1];
        } else if (kind == kRecordKeyboard) {
            decodeKeyboard(record);
            addDelay(record);
        }
    }

private:
    MacroEvent* add(uint8_t kind, int cost) {
        if (m_target.count >= kMacroSlots) return nullptr;
        m_target.length = static_cast<uint8_t>(std::min(255, m_target.length + cost));
        MacroEvent& step = m_target.steps[m_target.count++];
        step.kind = kind;
        return &step;
    }

    void decodeKeyboard(const uint8_t* record) {
        uint8_t chord[kKeyStringLength];
        DecodeChord(std::span<const uint8_t, kStepRecordBytes>(record, kStepRecordBytes), chord);
        const bool released =
            std::all_of(chord, chord + kRememberedChord, [](uint8_t b) { return b == 0; });
        MacroEvent* step = add(released ? kKeyUp : kKeyDown, released ? 3 : 5);
        if (!step) return;
        if (released) {
            std::copy(m_lastChord, m_lastChord + kRememberedChord, step->data);
        } else {
            std::copy(chord, chord + kKeyStringLength, step->data);
            std::copy(chord, chord + kRememberedChord, m_lastChord);
        }
    }

    void addDelay(const uint8_t* record) {
        const uint16_t delay = RecordDelay(record);
        if (delay == 0) return;
        if (MacroEvent* step = add(kDelay, 3)) SetStepDelay(*step, delay);
    }

    MacroRecord& m_target;
    uint8_t m_lastChord[kRememberedChord] = {};
};

}  // namespace

void DecodeChord(std::span<const uint8_t, kStepRecordBytes> record,
                 std::span<uint8_t, kKeyStringLength> chord) {
    std::fill(chord.begin(), chord.end(), uint8_t{0});
    const std::span<const uint8_t, kKeyboardReportBytes> report = RecordPayload(record.data());
    size_t n = 0;
    for (int bit = 0; bit < 8 && n < chord.size(); ++bit) {
        if (report[0] & (1 << bit)) chord[n++] = kModifierRows[bit];
    }
    for (uint8_t usage : report.subspan<1>()) {
        if (usage == 0 || n == chord.size()) break;
        int row = 1;
        while (row < kKeyTableRows && KeyTable[row].usage != usage) ++row;
        chord[n++] = static_cast<uint8_t>(std::min(row, kUnknownKeyIndex));
    }
}

MacroSteps EncodeMacroSteps(const MacroRecord& macro) {
    const std::vector<Record> records = encodeRecords(macro);
    MacroSteps steps;
    steps.records = static_cast<int>(records.size());
    if (!steps.Fits()) return steps;
    for (const Record& record : records) {
        std::copy(record.begin(), record.end(), steps.bytes + steps.length);
        steps.length += kStepRecordBytes;
    }
    return steps;
}

bool AssignMacro(MouseSetting& setting, int button, const MacroRecord* macro, std::u16string_view name) {
    if (button < 0 || button >= kButtonCount) return false;
    MacroSteps steps;
    if (macro) steps = EncodeMacroSteps(*macro);
    if (!steps.Fits()) return false;
    setting.m_nItem[button] = kFunctionMacro;
    setting.m_strButtonMacro[button] = BoundedName(name);
    std::copy(std::begin(steps.bytes), std::end(steps.bytes), setting.m_MacroData[button]);
    setting.m_nMacroDataLen[button] = steps.length;
    return true;
}

void DecodeMacroGroup(std::span<const uint8_t> group, int length, MacroRecord& target) {
    GroupDecoder decoder(target);
    const size_t available = std::min<size_t>(std::max(length, 0), group.size());
    for (size_t at = 0; at + kStepRecordBytes <= available; at += kStepRecordBytes) {
        decoder.Decode(group.data() + at);
    }
}

}  // namespace voltrane
