#pragma once
// One macro as data: a fixed 2824-byte record of up to 256 eleven-byte steps. Macro files keep
// records byte for byte as they are in memory, so the layout below is part of the file format.

#include <cstddef>
#include <cstdint>

namespace voltrane {

enum MacroEventKind : uint8_t {
    kRawKey = 1,     // byte 1 modifier bits, byte 2 one HID usage
    kMouseDown = 2,  // byte 1 button mask, or byte 2 wheel (1 up, 255 down)
    kDelay = 3,      // bytes 1-2 pause in ms, high byte first
    kKeyDown = 6,    // bytes 1-10 key-index string
    kDpiStep = 7,    // byte 1: 0 switch level, 1 level up, 2 level down
    kKeyUp = 18,     // bytes 1-10 key-index string of the keys released
    kMouseUp = 19,   // byte 1 button mask
};

struct MacroEvent {
    uint8_t kind;
    uint8_t data[10];
};

// The pause of a Delay step, in milliseconds (data bytes 0-1, high byte first).
inline uint16_t StepDelay(const MacroEvent& step) {
    return static_cast<uint16_t>(step.data[0] << 8 | step.data[1]);
}

inline void SetStepDelay(MacroEvent& step, uint16_t milliseconds) {
    step.data[0] = static_cast<uint8_t>(milliseconds >> 8);
    step.data[1] = static_cast<uint8_t>(milliseconds & 0xFF);
}

inline constexpr int kMacroSlots = 256;
inline constexpr int kMacroBudget = 254;  // the budget shown to the user: length out of 254

struct MacroRecord {
    int32_t count;   // steps in use; every slot at or past count is all zero
    uint8_t length;  // budget used by the steps
    MacroEvent steps[kMacroSlots];
    uint8_t reserved[3];
};

static_assert(sizeof(MacroEvent) == 11);
static_assert(alignof(MacroRecord) == 4);
static_assert(offsetof(MacroRecord, count) == 0);
static_assert(offsetof(MacroRecord, length) == 4);
static_assert(offsetof(MacroRecord, steps) == 5);
static_assert(offsetof(MacroRecord, reserved) == 2821);
static_assert(sizeof(MacroRecord) == 2824);

}  // namespace voltrane
