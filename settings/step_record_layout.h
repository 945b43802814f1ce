#pragma once
// The mouse's 10-byte step record, the unit in which buttons and macros travel in the button report
// and in which a button's macro row keeps its macro:
//   byte 0     the record kind (bits 5-7) and the button number (bits 0-4; 0 inside a macro row)
//   bytes 1-7  the payload, by kind; a keyboard record carries a keyboard report there
//   bytes 8-9  the delay after the step in milliseconds, low byte first; 0 means none

#include <cstdint>
#include <span>

namespace voltrane {

inline constexpr int kStepRecordBytes = 10;

// Record kinds as they appear in byte 0 with the button bits clear.
enum StepRecordKind : uint8_t {
    kRecordMousePress = 0x20,    // byte 1 button bits, byte 2 wheel step
    kRecordDpi = 0x40,           // byte 1: 0 switch level, 1 level up, 2 level down
    kRecordKeyboard = 0x60,      // a keyboard report; all zero releases every key
    kRecordConsumer = 0x80,      // media bits
    kRecordMouseRelease = 0xA0,  // as a press
};
inline constexpr uint8_t kRecordKindMask = 0xE0;
inline constexpr uint8_t kRecordButtonMask = 0x1F;

// The payload, and the keyboard report it holds: the modifier byte, then up to six usages.
inline constexpr int kRecordPayloadOffset = 1;
inline constexpr int kKeyboardReportBytes = 7;
inline constexpr int kKeyboardUsages = kKeyboardReportBytes - 1;

inline constexpr int kRecordDelayOffset = kRecordPayloadOffset + kKeyboardReportBytes;
static_assert(kRecordDelayOffset + 2 == kStepRecordBytes);

// Bytes 1-7 of the record that starts at `record`.
template <typename Byte>
std::span<Byte, kKeyboardReportBytes> RecordPayload(Byte* record) {
    return std::span<Byte, kKeyboardReportBytes>(record + kRecordPayloadOffset, kKeyboardReportBytes);
}

// The delay of the record that starts at `record`, in milliseconds.
inline uint16_t RecordDelay(const uint8_t* record) {
    return static_cast<uint16_t>(record[kRecordDelayOffset] | record[kRecordDelayOffset + 1] << 8);
}

inline void SetRecordDelay(uint8_t* record, uint16_t milliseconds) {
    record[kRecordDelayOffset] = static_cast<uint8_t>(milliseconds & 0xFF);
    record[kRecordDelayOffset + 1] = static_cast<uint8_t>(milliseconds >> 8);
}

}  // namespace voltrane
