#include "capture/step_text.h"

#include <bit>
#include <span>

#include "capture/macro_edit.h"
#include "settings/function_codes.h"
#include "settings/key_table.h"
#include "settings/text_tables.h"
#include "settings/utf.h"

namespace voltrane {

namespace {

// Rows of the step-label table.
enum StepLabel : int {
    kLabelPress = 0,
    kLabelRelease = 1,
    kLabelDelay = 2,
    kLabelMouse = 3,
    kLabelHeld = 4
};

// Rows of the macro editor's label table that name the mouse buttons and the wheel.
constexpr int kFirstButtonLabel = 7;  // Left, Right, Middle, 5th, 4th: one per bit of the mask
constexpr int kButtonBits = 5;
constexpr int kScrollUpLabel = 12;
constexpr int kScrollDownLabel = 13;

// The functions that name the DPI actions, by the action's code 0, 1, 2.
constexpr int kDpiActionRows[] = {kFunctionSwitchDpi, kFunctionDpiUp, kFunctionDpiDown};

std::u16string_view stepLabel(int label, int language) {
    return GetText(TextTable::MacroEvent, label, language);
}

std::u16string row(int index, std::u16string_view label, std::u16string_view detail) {
    return DecimalUtf16(index + 1) + u":\t<" + std::u16string(label) + u">\t<" + std::u16string(detail) +
           u">";
}

// The data bytes in hex up to the last one that is not zero, at least one: "00 03".
std::u16string hexBytes(std::span<const uint8_t> bytes) {
    constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    size_t used = bytes.size();
    while (used > 1 && bytes[used - 1] == 0) --used;
    std::u16string text;
    for (size_t i = 0; i < used; ++i) {
        if (i > 0) text += u' ';
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0x0F];
    }
    return text;
}

std::u16string unknownStep(const MacroEvent& step, int index) {
    const std::u16string kind =
        std::u16string(KeyRow(kUnknownKeyIndex).name) + u' ' + DecimalUtf16(step.kind);
    return row(index, kind, hexBytes(step.data));
}

std::u16string mouseStep(const MacroEvent& step, int index, int language) {
    const uint8_t buttons = step.data[0] & ((1 << kButtonBits) - 1);
    const int label = step.kind == kMouseDown ? kLabelPress : kLabelRelease;
    if (buttons != 0) {
        const int button = kFirstButtonLabel + std::countr_zero(buttons);
        return row(index, stepLabel(label, language), GetText(TextTable::MacroEditor, button, language));
    }
    const std::u16string raw =
        std::u16string(stepLabel(kLabelMouse, language)) + u' ' + hexBytes(std::span(step.data, 2));
    return row(index, stepLabel(label, language), raw);
}

std::u16string wheelStep(const MacroEvent& step, int index, int language) {
    const int name = step.data[1] == kWheelUp ? kScrollUpLabel : kScrollDownLabel;
    return row(index, stepLabel(kLabelMouse, language), GetText(TextTable::MacroEditor, name, language));
}

std::u16string chordStep(const MacroEvent& step, int index, int language, const KeyNames& keys) {
    const int label = step.kind == kKeyDown ? kLabelPress : kLabelRelease;
    return row(index, stepLabel(label, language),
               keys.ComboText(std::span<const uint8_t, kKeyStringLength>(step.data, kKeyStringLength)));
}

// The key-table row with this modifier bit and HID usage; row 105 ("Unknown") when none has them.
int keyOf(int32_t modifier, int32_t usage) {
    for (int key = 1; key < kUnknownKeyIndex; ++key) {
        if (KeyTable[key].modifier == modifier && KeyTable[key].usage == usage) return key;
    }
    return kUnknownKeyIndex;
}

// The names of a key stroke's modifier keys, in the order of their bits, then its key, joined with "+".
std::u16string strokeText(uint8_t modifiers, uint8_t usage, const KeyNames& keys) {
    std::u16string text;
    const auto add = [&](int key) {
        if (!text.empty()) text += u'+';
        text += keys.Name(key);
    };
    for (int bit = 0; bit < 8; ++bit) {
        if (modifiers & (1 << bit)) add(keyOf(1 << bit, 0));
    }
    if (usage != 0 || text.empty()) add(keyOf(0, usage));
    return text;
}

std::u16string rawKeyStep(const MacroEvent& step, int index, int language, const KeyNames& keys) {
    return row(index, GetText(TextTable::ButtonFunction, kFunctionKeyboard, language),
               strokeText(step.data[0], step.data[1], keys));
}

std::u16string dpiStep(const MacroEvent& step, int index, int language) {
    if (step.data[0] >= std::size(kDpiActionRows)) return unknownStep(step, index);
    return row(index, stepLabel(kLabelMouse, language),
               GetText(TextTable::ButtonFunction, kDpiActionRows[step.data[0]], language));
}

}  // namespace

std::u16string StepRowText(const MacroEvent& step, int index, int language, const KeyNames& keys) {
    switch (step.kind) {
        case kMouseDown:
            if (step.data[1] == kWheelUp || step.data[1] == kWheelDown)
                return wheelStep(step, index, language);
            return mouseStep(step, index, language);
        case kMouseUp:
            return mouseStep(step, index, language);
        case kDelay:
            return row(index, stepLabel(kLabelDelay, language), DelayText(StepDelay(step)));
        case kKeyDown:
        case kKeyUp:
            return chordStep(step, index, language, keys);
        case kRawKey:
            return rawKeyStep(step, index, language, keys);
        case kDpiStep:
            return dpiStep(step, index, language);
        default:
            return unknownStep(step, index);
    }
}

std::u16string HeldChordText(const KeyChord& chord, int language, const KeyNames& keys) {
    return u"<" + std::u16string(stepLabel(kLabelHeld, language)) + u">\t" + chord.Text(keys);
}

std::u16string BudgetText(const MacroRecord& record) {
    return DecimalUtf16(record.length) + u"/" + DecimalUtf16(kMacroBudget);
}

std::u16string DelayText(uint16_t milliseconds) { return DecimalUtf16(milliseconds) + u" ms"; }

}  // namespace voltrane
