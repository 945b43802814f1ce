#include "cli/record_output.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "cli/json_text.h"
#include "settings/key_table.h"
#include "settings/text_tables.h"
#include "settings/utf.h"

namespace voltrane {

namespace {

int macroCount(const MacroStore& store) {
    return static_cast<int>(std::min(store.m_nMacroCount, kMaxMacros));
}
int stepCount(const MacroRecord& macro) { return std::clamp(macro.count, 0, kMacroSlots); }

void writeJsonString(std::ostream& out, std::u16string_view text) {
    WriteJsonString(out, Utf16ToUtf8(text));
}

template <typename Range, typename Write>
void writeJsonArray(std::ostream& out, const Range& range, Write write) {
    out << '[';
    bool first = true;
    for (const auto& element : range) {
        if (!first) out << ", ";
        first = false;
        write(element);
    }
    out << ']';
}

void writeMacroJson(std::ostream& out, const MacroRecord& macro, std::u16string_view name) {
    out << "{\"name\": ";
    writeJsonString(out, name);
    out << ", \"count\": " << macro.count << ", \"length\": " << int(macro.length) << ", \"steps\": ";
    writeJsonArray(out, std::span(macro.steps, stepCount(macro)), [&](const MacroEvent& step) {
        out << '[' << int(step.kind);
        for (uint8_t b : step.data) out << ", " << int(b);
        out << ']';
    });
    out << '}';
}

std::string english(TextTable table, int row) { return Utf16ToUtf8(GetText(table, row, kEnglish)); }

std::string stepText(const MacroEvent& step) {
    const auto chord = [&] {
        return Utf16ToUtf8(
            KeyComboText(std::span<const uint8_t, kKeyStringLength>(step.data, kKeyStringLength)));
    };
    switch (step.kind) {
        case kKeyDown:
            return english(TextTable::MacroEvent, 0) + " " + chord();
        case kKeyUp:
            return english(TextTable::MacroEvent, 1) + " " + chord();
        case kDelay:
            return english(TextTable::MacroEvent, 2) + " " + std::to_string(StepDelay(step)) + " ms";
        case kMouseDown:
            return "Mouse down buttons=" + std::to_string(step.data[0]) +
                   " wheel=" + std::to_string(step.data[1]);
        case kMouseUp:
            return "Mouse up buttons=" + std::to_string(step.data[0]);
        case kDpiStep:
            return "DPI step " + std::to_string(step.data[0]);
        case kRawKey:
            return "Key modifiers=" + std::to_string(step.data[0]) +
                   " usage=" + std::to_string(step.data[1]);
        default:
            return "kind " + std::to_string(step.kind);
    }
}

const char* reportRate(const MouseSetting& s) {
    static const char* const kRates[] = {"125 Hz", "250 Hz", "500 Hz", "1000 Hz"};
    for (size_t i = 0; i < std::size(kRates); ++i) {
        if (s.m_nItem[kItemRate125 + i] != 0) return kRates[i];
    }
    return "125 Hz";
}

}  // namespace

std::string ButtonFunctionText(const MouseSetting& setting, int button) {
    const int32_t code = setting.m_nItem[button];
    std::string text = code >= 1 && code <= kFunctionLast ? english(TextTable::ButtonFunction, code)
                                                          : "code " + std::to_string(code);
    if (code == kFunctionKeyboard) text += " " + Utf16ToUtf8(KeyComboText(setting.m_KeyData[button]));
    return text;
}

void WriteRecordJson(std::ostream& out, const MouseSetting& setting, const MacroStore& store) {
    auto number = [&](auto v) { out << v; };
    out << "{\"items\": ";
    writeJsonArray(out, setting.m_nItem, number);
    out << ", \"key_data\": ";
    writeJsonArray(out, setting.m_KeyData,
                   [&](const auto& row) { writeJsonArray(out, row, [&](uint8_t b) { out << int(b); }); });
    out << ", \"macro_data_len\": ";
    writeJsonArray(out, setting.m_nMacroDataLen, number);
    out << ", \"button_macro\": ";
    writeJsonArray(out, setting.m_strButtonMacro,
                   [&](const std::u16string& s) { writeJsonString(out, s); });
    out << ", \"macros\": [";
    for (int i = 0; i < macroCount(store); ++i) {
        if (i > 0) out << ", ";
        writeMacroJson(out, store.m_Macro[i], store.m_strMacroNames[i]);
    }
    out << "]}\n";
}

void WriteRecordText(std::ostream& out, const MouseSetting& setting, const MacroStore& store) {
    const int32_t* item = setting.m_nItem;
    out << "DPI level: " << item[55] << "\n"
        << "Report rate: " << reportRate(setting) << "\n"
        << "Lighting: " << (item[15] == 1 ? "colour shift" : "single colour") << ", breathing "
        << (item[16] == 1 ? "on" : "off") << ", shine step " << item[36] << "\n";
    const char* const lamps[] = {"R", "Y", "G"};
    for (int lamp = 0; lamp < 3; ++lamp) {
        out << "LED " << lamps[lamp] << ": " << (item[25 + 4 * lamp] == 1 ? "on" : "off") << ", level "
            << item[37 + lamp] << "\n";
    }
    for (int b = 0; b < kButtonCount; ++b) {
        out << "Button " << b + 1 << ": " << ButtonFunctionText(setting, b) << "\n";
    }
    out << "Macros: " << macroCount(store) << "\n";
    for (int i = 0; i < macroCount(store); ++i) {
        const MacroRecord& macro = store.m_Macro[i];
        out << "  " << Utf16ToUtf8(store.m_strMacroNames[i]) << ": " << stepCount(macro)
            << " steps, budget " << int(macro.length) << "/" << kMacroBudget << "\n";
        for (int s = 0; s < stepCount(macro); ++s) out << "    " << stepText(macro.steps[s]) << "\n";
    }
}

}  // namespace voltrane
