#pragma once
// The macro editor's delay value and the spinner that counts it up or down while one of its two
// arrows is held. The dialog owns the 100 ms timer and calls Tick() on each of its ticks.

#include <cstdint>

namespace voltrane {

inline constexpr uint16_t kDelayOnOpening = 10;   // ms, the value a fresh editor shows
inline constexpr uint16_t kDelayAfterClean = 8;   // ms, the value after Clean
inline constexpr uint16_t kSpinnerMinimum = 1;    // ms, the spinner counts no lower
inline constexpr uint16_t kSpinnerMaximum = 999;  // ms, and no higher

enum class SpinDirection : uint8_t { Idle = 0, Up = 1, Down = 2 };

class DelaySpinner {
public:
    // The delay value in ms; the spinner is idle.
    explicit DelaySpinner(uint16_t milliseconds = kDelayOnOpening) : m_wDelay(milliseconds) {}

    // An arrow was pressed: counting starts in `direction` and takes its first step at once. The
    // dialog then starts its 100 ms timer. Idle stops counting.
    void Start(SpinDirection direction);

    // The mouse button went up anywhere in the dialog: counting stops at the next tick.
    void Stop() { m_nSpin = SpinDirection::Idle; }

    // One tick of the timer: one step in the counting direction. Returns false when the spinner is
    // idle: the dialog stops its timer.
    bool Tick();

    // Sets the value directly, as opening and Clean do; the spinner stops.
    void Reset(uint16_t milliseconds);

    uint16_t Value() const { return m_wDelay; }
    SpinDirection Direction() const { return m_nSpin; }

private:
    void step();

    uint16_t m_wDelay;
    SpinDirection m_nSpin = SpinDirection::Idle;
};

}  // namespace voltrane
