#pragma once
// Host pointer backends that never touch the desktop: one that keeps the settings in memory (tests,
// a trial run) and one that leaves the desktop alone.

#include <string>
#include <vector>

#include "host/host_pointer.h"

namespace voltrane {

// A desktop held in memory. It can be told to refuse every apply or to fail every read.
class MemoryHostPointer final : public HostPointer {
public:
    explicit MemoryHostPointer(const HostPointerValues& initial = {});

    // Stores `values` (the line count only when scrolling by lines) and records them in Applied();
    // reports the entry "memory" as written. When refusing, records them, keeps the stored values
    // and reports "memory" as failed.
    HostApplyReport Apply(const HostPointerValues& values) override;

    // The stored values; std::nullopt while reads fail.
    std::optional<HostPointerValues> Read() override;

    // "memory".
    std::string Name() const override;

    // The stored values, as the desktop holds them now.
    const HostPointerValues& Values() const { return m_values; }

    // Every apply so far, refused ones included, oldest first.
    const std::vector<HostPointerValues>& Applied() const { return m_applied; }

    void SetRefuseApply(bool refuse) { m_refuseApply = refuse; }
    void SetFailRead(bool fail) { m_failRead = fail; }

private:
    HostPointerValues m_values;
    std::vector<HostPointerValues> m_applied;
    bool m_refuseApply = false;
    bool m_failRead = false;
};

// Leaves the desktop alone: an apply changes nothing, a read finds nothing, so the record keeps its
// items.
class NullHostPointer final : public HostPointer {
public:
    // `why` says why the desktop is left alone when that was not asked for (e.g. "XFCE: no pointer
    // settings store is supported"); empty when it was.
    explicit NullHostPointer(std::string why = {});

    // Changes nothing; reports nothing written, and `why` as the failure when it is not empty.
    HostApplyReport Apply(const HostPointerValues& values) override;

    // Always std::nullopt.
    std::optional<HostPointerValues> Read() override;

    // "none".
    std::string Name() const override;

private:
    std::string m_why;
};

}  // namespace voltrane
