#include "host/host_pointer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace voltrane {

namespace {

constexpr int32_t kMaxStep = 9;

int32_t clampStep(int32_t step) { return std::clamp(step, 0, kMaxStep); }

// The read direction works in unsigned 32-bit arithmetic, so every host value has a defined
// result (a time below 200 ms wraps around to a large negative step).
int32_t doubleClickStep(int doubleClickMs) {
    const uint32_t elapsed = static_cast<uint32_t>(doubleClickMs) - 200u;
    const int32_t step = static_cast<int32_t>(static_cast<uint32_t>(kMaxStep) - elapsed / 75u);
    return step == -1 ? 0 : step;
}

}  // namespace

HostPointerValues HostValuesFromItems(const MouseSetting& setting) {
    const int32_t* items = setting.m_nItem;
    HostPointerValues values;
    values.speed = 2 * clampStep(items[kItemPointerSpeed]) + 2;
    values.screenAtATime = items[kItemScrollScreen] != 0;
    values.wheelLines = clampStep(items[kItemWheelLines]) + 1;
    values.doubleClickMs = ((kMaxStep - clampStep(items[kItemDoubleClick])) * 80 + 200) / 50 * 50;
    return values;
}

void ItemsFromHostValues(const HostPointerValues& values, MouseSetting& setting) {
    int32_t* items = setting.m_nItem;
    items[kItemPointerSpeed] = values.speed / 2 - 1;
    items[kItemScrollScreen] = values.screenAtATime ? 1 : 0;
    items[kItemScrollLines] = values.screenAtATime ? 0 : 1;
    if (!values.screenAtATime) {
        items[kItemWheelLines] = static_cast<int32_t>(static_cast<uint32_t>(values.wheelLines) - 1u);
    }
    items[kItemDoubleClick] = doubleClickStep(values.doubleClickMs);
}

void HostApplyReport::Add(const std::string& entry, const std::string& error) {
    if (error.empty()) {
        written.push_back(entry);
    } else {
        failed.push_back(entry + ": " + error);
    }
}

HostApplyReport ApplyHostPointer(HostPointer& host, const MouseSetting& setting) {
    return host.Apply(HostValuesFromItems(setting));
}

void ReadHostPointer(HostPointer& host, MouseSetting& setting) {
    if (const std::optional<HostPointerValues> values = host.Read()) ItemsFromHostValues(*values, setting);
}

double PointerAccelFromSpeed(int speed) {
    const int clamped = std::clamp(speed, kMinPointerSpeed, kMaxPointerSpeed);
    return 2.0 * (clamped - kMinPointerSpeed) / (kMaxPointerSpeed - kMinPointerSpeed) - 1.0;
}

int SpeedFromPointerAccel(double accel) {
    if (std::isnan(accel)) return kMinPointerSpeed;
    const double speed = (std::clamp(accel, -1.0, 1.0) + 1.0) / 2.0 * (kMaxPointerSpeed - kMinPointerSpeed);
    return kMinPointerSpeed + static_cast<int>(std::lround(speed));
}

}  // namespace voltrane
