#pragma once
// The host's own pointer settings (pointer speed, wheel scrolling, double-click time) and their
// conversions to and from the items of the settings record.

#include <optional>
#include <string>
#include <vector>

#include "settings/mouse_setting.h"

namespace voltrane {

// The desktop's pointer settings in the desktop's own units.
struct HostPointerValues {
    int speed = 10;              // pointer speed, 1 (slowest) .. 20
    bool screenAtATime = false;  // the wheel scrolls one screen instead of wheelLines lines
    int wheelLines = 3;          // lines per wheel notch
    int doubleClickMs = 500;     // longest time between the two clicks of a double click
    bool operator==(const HostPointerValues&) const = default;
};

// What an apply did to the desktop's settings stores, one entry per key or file, e.g.
// "kdeglobals [KDE] WheelScrollLines" or "org.gnome.desktop.peripherals.mouse speed".
struct HostApplyReport {
    std::vector<std::string> written;  // the entries that now hold the new value
    std::vector<std::string> failed;   // the entries that do not, each followed by ": " and the reason

    // Records `entry` as written when `error` is empty, else as failed for that reason.
    void Add(const std::string& entry, const std::string& error);
    bool Ok() const { return failed.empty(); }
};

inline constexpr int kMinPointerSpeed = 1;
inline constexpr int kMaxPointerSpeed = 20;

// The desktop's pointer settings.
class HostPointer {
public:
    virtual ~HostPointer() = default;

    // Sets all three settings on the desktop; wheelLines is ignored when screenAtATime is set.
    // A value the desktop refuses leaves that setting as it was and the others are still set.
    // Says what was written and what was not, and why.
    virtual HostApplyReport Apply(const HostPointerValues& values) = 0;

    // The desktop's current settings; std::nullopt when they cannot be read.
    virtual std::optional<HostPointerValues> Read() = 0;

    // The backend's name for messages: "gnome", "plasma (kwriteconfig5)", "none", ...
    virtual std::string Name() const = 0;
};

// The host values an apply sends for the record. Steps outside 0..9 (a slider click past the last
// step, a host speed of 1 read back as -1, a damaged profile) are taken as the nearest step, so
// the speed is always 2..20, the wheel 1..10 lines and the double-click time 200..900 ms.
HostPointerValues HostValuesFromItems(const MouseSetting& setting);

// Reads host values into the record: the speed into item 82; the wheel into items 70 and 71 and,
// when scrolling by lines, item 83; the double-click time into item 84. Values outside the steps
// give items outside 0..9 and are kept so, except a double-click step of -1, which becomes 0.
void ItemsFromHostValues(const HostPointerValues& values, MouseSetting& setting);

// Applies the record's pointer settings to the desktop; says what the desktop took.
HostApplyReport ApplyHostPointer(HostPointer& host, const MouseSetting& setting);

// Reads the desktop's pointer settings into the record; leaves it unchanged when they cannot be
// read.
void ReadHostPointer(HostPointer& host, MouseSetting& setting);

// The desktops' pointer-speed scale, -1 (slowest) .. 1, laid linearly over speeds 1..20.
// A speed outside 1..20 is taken as the nearest end.
double PointerAccelFromSpeed(int speed);

// The speed nearest to a -1..1 scale value; values outside the scale (or not a number) give the
// nearest end (1 for not a number).
int SpeedFromPointerAccel(double accel);

}  // namespace voltrane
