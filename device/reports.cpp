#include "device/reports.h"

#include <algorithm>
#include <string>

#include "device/step_records.h"
#include "settings/step_record_layout.h"

namespace voltrane {

namespace {

constexpr int kRateCount = kItemRate1000 - kItemRate125 + 1;

constexpr int kFirstLampOffset = 5;

// The level an LED byte reads back as, indexed by its low 4 bits.
constexpr uint8_t kLevelMap[16] = {0, 1, 1, 1, 1, 1, 2, 2, 2, 3, 3, 3, 3, 3, 3, 3};

// The button bit pressed by codes 1..5 (LEFT ... FORWARD), indexed by code - 1.
constexpr uint8_t kMouseButtonBits[] = {0x01, 0x02, 0x04, 0x08, 0x10};

// DoubleClick: four records of these kinds, each with bytes 1-9 of the template (left button, 15 ms).
constexpr uint8_t kDoubleClickKinds[] = {kRecordMousePress, kRecordMouseRelease, kRecordMousePress,
                                         kRecordMouseRelease};
constexpr uint8_t kDoubleClickTemplate[kStepRecordBytes - kRecordPayloadOffset] = {0x01, 0, 0,    0,   0,
                                                                                   0,    0, 0x0F, 0x00};

// The delay of a record that holds its keys or button for as long as the mouse button is held.
constexpr uint16_t kHoldDelay = 0xFFFF;

uint8_t lowByte(int32_t value) { return static_cast<uint8_t>(static_cast<uint32_t>(value)); }

// An LED level travels as level x 3; a level outside 0..3 (from a damaged file) takes the nearest.
constexpr int32_t kMaxLevel = 3;
uint8_t levelByte(int32_t level) { return static_cast<uint8_t>(std::clamp(level, 0, kMaxLevel) * 3); }

bool isConsumerCode(int32_t code) {
    return code == kFunctionIeKey || (code >= kMediaCommands.first && code <= kMediaCommands.last);
}

bool isDpiCode(int32_t code) { return code >= kDpiActions.first && code <= kDpiActions.last; }

// Record bytes 1..3 equal the leading bytes of the code's row.
bool matchesRow(std::span<const uint8_t> record, int32_t code) {
    const FunctionReportRow& row = g_FunctionReportTable[code];
    return std::equal(row.begin(), row.end(), record.begin() + kRecordPayloadOffset);
}

// ---- settings report ----

uint8_t rateCode(const int32_t* items) {
    for (int rate = 0; rate < kRateCount; ++rate) {
        if (items[kItemRate125 + rate] != 0) return static_cast<uint8_t>(rate);
    }
    return 0;
}

uint8_t shineStep(uint8_t code) {
    if (code > 11) return 3;
    if (code > 8) return 2;
    if (code > 4) return 1;
    return 0;
}

// ---- button report: writing ----

// One button's records, built before they are placed, so that a group that does not fit is never
// written in part.
struct Group {
    uint8_t bytes[kMacroRowBytes] = {};
    int length = 0;

    // Appends a zeroed record of `kind` for `button` and returns it.
    uint8_t* Append(uint8_t kind, int button) {
        uint8_t* record = bytes + length;
        length += kStepRecordBytes;
        record[0] = static_cast<uint8_t>(kind | button);
        return record;
    }
};

// The whole records of the button's macro row inside m_nMacroDataLen, with the button number in place
// of whatever button bits the stored bytes carry.
void appendMacro(Group& group, const MouseSetting& setting, int button) {
    const int length = std::clamp(setting.m_nMacroDataLen[button - 1], 0, kMacroRowBytes);
    const uint8_t* row = setting.m_MacroData[button - 1];
    for (int at = 0; at + kStepRecordBytes <= length; at += kStepRecordBytes) {
        uint8_t* record = group.Append(row[at] & kRecordKindMask, button);
        std::copy(row + at + kRecordPayloadOffset, row + at + kStepRecordBytes,
                  record + kRecordPayloadOffset);
    }
}

// The records of button `button` (2..10), or nothing for a button that sends none.
std::optional<Group> groupOf(const MouseSetting& setting, int button) {
    const int32_t code = setting.m_nItem[button - 1];
    Group group;
    if (code >= kFunctionLeft && code <= kFunctionForward) {
        uint8_t* record = group.Append(kRecordMousePress, button);
        record[1] = kMouseButtonBits[code - kFunctionLeft];
        SetRecordDelay(record, kHoldDelay);
    } else if (code == kFunctionDoubleClick) {
        for (uint8_t kind : kDoubleClickKinds) {
            uint8_t* record = group.Append(kind, button);
            std::copy(std::begin(kDoubleClickTemplate), std::end(kDoubleClickTemplate),
                      record + kRecordPayloadOffset);
        }
    } else if (code == kFunctionKeyboard) {
        uint8_t* record = group.Append(kRecordKeyboard, button);
        KeyComboToHid(setting.m_KeyData[button - 1], RecordPayload(record));
        SetRecordDelay(record, kHoldDelay);
    } else if (code == kFunctionMacro) {
        appendMacro(group, setting, button);
    } else if (isDpiCode(code)) {
        group.Append(kRecordDpi, button)[1] = g_FunctionReportTable[code][0];
    } else if (code >= kFunctionCopy && code <= kFunctionLast) {
        uint8_t* record = group.Append(isConsumerCode(code) ? kRecordConsumer : kRecordKeyboard, button);
        const FunctionReportRow& row = g_FunctionReportTable[code];
        std::copy(row.begin(), row.end(), RecordPayload(record).begin());
        if (code == kFunctionVolUp || code == kFunctionVolDown) SetRecordDelay(record, kHoldDelay);
    } else {
        return std::nullopt;  // headings, Disable and codes outside 1..39
    }
    return group;
}

// ---- button report: reading ----

bool isDoubleClick(std::span<const uint8_t> group) {
    if (group.size() != std::size(kDoubleClickKinds) * kStepRecordBytes) return false;
    for (size_t i = 0; i < std::size(kDoubleClickKinds); ++i) {
        const uint8_t* record = group.data() + i * kStepRecordBytes;
        if ((record[0] & kRecordKindMask) != kDoubleClickKinds[i]) return false;
        if (!std::equal(std::begin(kDoubleClickTemplate), std::end(kDoubleClickTemplate),
                        record + kRecordPayloadOffset)) {
            return false;
        }
    }
    return true;
}

// The code of the first code in [first, last] whose row matches the record, scanning all of them so
// that the last match wins; `current` when none matches.
int32_t lastMatchingRow(std::span<const uint8_t> record, int32_t first, int32_t last, int32_t current) {
    for (int32_t code = first; code <= last; ++code) {
        if (matchesRow(record, code)) current = code;
    }
    return current;
}

int32_t mousePressCode(uint8_t bits, int32_t current) {
    for (int32_t code = kFunctionLeft; code <= kFunctionForward; ++code) {
        if (kMouseButtonBits[code - kFunctionLeft] == bits) return code;
    }
    return current;
}

int32_t dpiCode(uint8_t step, int32_t current) {
    for (int32_t code = kDpiActions.first; code <= kDpiActions.last; ++code) {
        if (g_FunctionReportTable[code][0] == step) return code;
    }
    return current;
}

class ButtonReportDecoder {
public:
    ButtonReportDecoder(std::span<const uint8_t, kButtonDataLength> data, MouseSetting& setting,
                        MacroStore& store)
        : m_data(data), m_setting(setting), m_store(store) {
        m_macroSlots.fill(-1);
    }

    const std::array<int, kButtonCount>& MacroSlots() const { return m_macroSlots; }

    std::optional<std::u16string> Decode() {
        m_store.m_nMacroHoverRow = m_store.m_nMacroSel = m_store.m_nMacroTop = 0;
        m_store.m_nMacroCount = 0;
        // Button 1's entry is never written: it is the primary button whatever the entry holds.
        m_setting.m_nItem[0] = kFunctionLeft;
        for (int k = 1; k < kButtonCount; ++k) decodeButton(k);
        return m_editText;
    }

private:
    // Entry k of the address table; the entry after the last reads as 0.
    uint16_t address(int k) const {
        if (k >= kAddressEntries) return 0;
        return static_cast<uint16_t>(m_data[2 * k] | m_data[2 * k + 1] << 8);
    }

    // The distance to the next group's address; for the last group (and button 10) the run of
    // records that carry the button's number.
    int groupLength(int k) {
        int length = 0;
        if (address(k) != 0) {
            for (int next = k + 1; next <= kAddressEntries; ++next) {
                const uint16_t entry = address(next);
                if (entry == kNoRecords) continue;
                if (entry == 0) {
                    m_lastGroup = true;
                } else {
                    length = entry - address(k);
                }
                break;
            }
        }
        if (k == kButtonCount - 1 || m_lastGroup) length = scanLength(k);
        return std::max(length, 0);
    }

    int scanLength(int k) const {
        int at = address(k);
        while (at + kStepRecordBytes <= kButtonDataLength && (m_data[at] & kRecordButtonMask) == k + 1) {
            at += kStepRecordBytes;
        }
        return at - address(k);
    }

    void decodeButton(int k) {
        int32_t& item = m_setting.m_nItem[k];
        if (address(k) == kNoRecords) {
            item = kFunctionDisable;
            return;
        }
        // The group as it lies at the read position, cut at the end of the report.
        const size_t available = kButtonDataLength - m_position;
        const auto group = m_data.subspan(m_position, std::min<size_t>(groupLength(k), available));
        if (group.size() < kStepRecordBytes) {
            item = kFunctionMacro;  // an empty macro: no records of its own to read
            return;
        }
        if (const size_t used = decodeFunction(group, k)) {
            m_position += used;
        } else {
            decodeMacro(group, k);
        }
    }

    // Decodes a group that holds one of the fixed functions. Returns the bytes it used; 0 when the
    // group is a macro.
    size_t decodeFunction(std::span<const uint8_t> group, int k) {
        int32_t& item = m_setting.m_nItem[k];
        const uint8_t kind = group[0] & kRecordKindMask;
        const bool single = group.size() == kStepRecordBytes;
        if (kind == kRecordMousePress && isDoubleClick(group)) {
            item = kFunctionDoubleClick;
            return group.size();
        }
        if (!single) return 0;
        if (kind == kRecordMousePress) {
            item = mousePressCode(group[1], item);
        } else if (kind == kRecordDpi) {
            item = dpiCode(group[1], item);
        } else if (kind == kRecordKeyboard) {
            DecodeChord(group.first<kStepRecordBytes>(), m_setting.m_KeyData[k]);
            item = lastMatchingRow(group, kFunctionCopy, kFunctionLockComputer, kFunctionKeyboard);
        } else if (kind == kRecordConsumer) {
            item = matchesRow(group, kFunctionIeKey)
                       ? kFunctionIeKey
                       : lastMatchingRow(group, kFunctionPlayPause, kFunctionLast, item);
        } else {
            return 0;
        }
        return kStepRecordBytes;
    }

    void decodeMacro(std::span<const uint8_t> group, int k) {
        m_setting.m_nItem[k] = kFunctionMacro;
        // At most nine macros per report, so the slot stays far below the store's 301.
        const int slot = m_store.m_nMacroSel;
        MacroRecord& macro = m_store.m_Macro[slot];
        DecodeMacroGroup(group, static_cast<int>(group.size()), macro);
        m_position += group.size();
        m_editText = u"<New Macro>";
        m_store.m_strMacroNames[slot] = MacroName(slot + 1);
        if (macro.length != 0) {
            m_macroSlots[k] = slot;
            ++m_store.m_nMacroSel;
            ++m_store.m_nMacroCount;
        }
    }

    std::span<const uint8_t, kButtonDataLength> m_data;
    MouseSetting& m_setting;
    MacroStore& m_store;
    size_t m_position = kFirstRecordOffset;
    bool m_lastGroup = false;
    std::optional<std::u16string> m_editText;
    std::array<int, kButtonCount> m_macroSlots;
};

static_assert(kButtonCount - 1 < kMacroStoreSlots, "one report never holds more macros than slots");

}  // namespace

SettingsReport BuildSettingsReport(const MouseSetting& setting) {
    const int32_t* items = setting.m_nItem;
    SettingsReport report{};
    report[0] = kSettingsReportId;
    report[1] = lowByte(items[kItemDpi]);
    report[2] = rateCode(items);
    const bool colorShift = items[kItemColorShift] == 1;
    for (size_t i = 0; i < std::size(kLampItems); ++i) {
        const LampItems& lamp = kLampItems[i];
        if (colorShift || items[lamp.on] == 1) report[kFirstLampOffset + i] = levelByte(items[lamp.level]);
    }
    if (report[5] != 0 || report[6] != 0 || report[7] != 0) {
        report[3] = static_cast<uint8_t>((items[kItemBreathing] == 1 ? 0x01 : 0) | (colorShift ? 0x02 : 0));
    }
    const int32_t lastStep = static_cast<int32_t>(g_HShineCodes.size()) - 1;
    report[4] = lowByte(g_HShineCodes[std::clamp(items[kItemShine], 0, lastStep)]);
    return report;
}

ButtonReportBuild BuildButtonReport(const MouseSetting& setting) {
    ButtonReportBuild build;
    build.report[0] = kButtonReportId;
    uint8_t* data = build.report.data() + 1;
    int offset = kFirstRecordOffset;
    for (int button = 2; button <= kButtonCount; ++button) {
        const std::optional<Group> group = groupOf(setting, button);
        uint16_t entry = kNoRecords;
        if (group) {
            if (offset + group->length > kButtonDataLength) {
                build.overflowButton = button;
                return build;
            }
            entry = static_cast<uint16_t>(offset);
            std::copy(group->bytes, group->bytes + group->length, data + offset);
            offset += group->length;
        }
        data[2 * (button - 1)] = static_cast<uint8_t>(entry & 0xFF);
        data[2 * (button - 1) + 1] = static_cast<uint8_t>(entry >> 8);
    }
    return build;
}

void DecodeSettingsReport(std::span<const uint8_t, kSettingsReportLength> report, MouseSetting& setting) {
    int32_t* items = setting.m_nItem;
    items[kItemDpi] = report[1];
    if (report[2] < kRateCount) {
        std::fill(items + kItemRate125, items + kItemRate125 + kRateCount, 0);
        items[kItemRate125 + report[2]] = 1;
    }
    items[kItemBreathing] = (report[3] & 0x01) ? 1 : 0;
    const bool colorShift = (report[3] & 0x02) != 0;
    items[kItemColorShift] = colorShift ? 1 : 0;
    items[kItemSingle] = colorShift ? 0 : 1;
    items[kItemShine] = shineStep(report[4]);
    for (size_t i = 0; i < std::size(kLampItems); ++i) {
        const LampItems& lamp = kLampItems[i];
        const uint8_t value = report[kFirstLampOffset + i];
        if (value != 0) items[lamp.level] = kLevelMap[value & 0x0F];
        items[lamp.off] = value != 0 ? 0 : 1;
        items[lamp.on] = value != 0 ? 1 : 0;
    }
}

std::optional<std::u16string> DecodeButtonReport(std::span<const uint8_t, kButtonReportLength> report,
                                                 MouseSetting& setting, MacroStore& store,
                                                 std::array<int, kButtonCount>* macroSlots) {
    ButtonReportDecoder decoder(report.subspan<1>(), setting, store);
    std::optional<std::u16string> editText = decoder.Decode();
    if (macroSlots) *macroSlots = decoder.MacroSlots();
    return editText;
}

}  // namespace voltrane
