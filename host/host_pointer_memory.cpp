#include "host/host_pointer_memory.h"

namespace voltrane {

MemoryHostPointer::MemoryHostPointer(const HostPointerValues& initial) : m_values(initial) {}

bool MemoryHostPointer::Apply(const HostPointerValues& values) {
    m_applied.push_back(values);
    if (m_refuseApply) return false;
    const int lines = values.screenAtATime ? m_values.wheelLines : values.wheelLines;
    m_values = values;
    m_values.wheelLines = lines;
    return true;
}

std::optional<HostPointerValues> MemoryHostPointer::Read() {
    if (m_failRead) return std::nullopt;
    return m_values;
}

bool NullHostPointer::Apply(const HostPointerValues&) { return true; }

std::optional<HostPointerValues> NullHostPointer::Read() { return std::nullopt; }

}  // namespace voltrane
