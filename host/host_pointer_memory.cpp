#include "host/host_pointer_memory.h"

#include <utility>

namespace voltrane {

MemoryHostPointer::MemoryHostPointer(const HostPointerValues& initial) : m_values(initial) {}

HostApplyReport MemoryHostPointer::Apply(const HostPointerValues& values) {
    m_applied.push_back(values);
    HostApplyReport report;
    if (m_refuseApply) {
        report.Add("memory", "the desktop refused the values");
        return report;
    }
    const int lines = values.screenAtATime ? m_values.wheelLines : values.wheelLines;
    m_values = values;
    m_values.wheelLines = lines;
    report.Add("memory", "");
    return report;
}

std::optional<HostPointerValues> MemoryHostPointer::Read() {
    if (m_failRead) return std::nullopt;
    return m_values;
}

std::string MemoryHostPointer::Name() const { return "memory"; }

NullHostPointer::NullHostPointer(std::string why) : m_why(std::move(why)) {}

HostApplyReport NullHostPointer::Apply(const HostPointerValues&) {
    HostApplyReport report;
    if (!m_why.empty()) report.failed.push_back(m_why);
    return report;
}

std::optional<HostPointerValues> NullHostPointer::Read() { return std::nullopt; }

std::string NullHostPointer::Name() const { return "none"; }

}  // namespace voltrane
