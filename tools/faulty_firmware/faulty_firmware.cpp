#include "tools/faulty_firmware/faulty_firmware.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string_view>

#include "device/factory_state.h"
#include "device/mouse_model.h"
#include "device/reports.h"

namespace voltrane {

namespace {

std::optional<int> count(const char* text) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (*text == '\0' || *end != '\0' || value < 0 || value > 1000000) return std::nullopt;
    return static_cast<int>(value);
}

void saveState(const std::string& path, const MouseFirmware::State& state) {
    if (path.empty()) return;
    const std::string temporary = path + ".new";
    std::ofstream(temporary, std::ios::binary)
        .write(reinterpret_cast<const char*>(state.data()), static_cast<std::streamsize>(state.size()));
    std::rename(temporary.c_str(), path.c_str());
}

}  // namespace

bool TakeFaultOption(std::span<char* const> args, std::size_t& i, MouseFaults& faults) {
    const std::string_view arg = args[i];
    if (arg == "--short-replies") return faults.shortReplies = true;
    if (arg == "--no-answer") return faults.noAnswer = true;
    if (i + 1 >= args.size()) return false;
    if (arg == "--state") {
        faults.statePath = args[++i];
        return true;
    }
    if (arg != "--refuse-sets" && arg != "--vanish-after") return false;
    const std::optional<int> n = count(args[++i]);
    if (!n) return false;
    (arg == "--refuse-sets" ? faults.refuseSets : faults.vanishAfter) = *n;
    return true;
}

FaultyFirmware::FaultyFirmware(const MouseFaults& faults) : m_faults(faults), m_firmware(FactoryState()) {
    m_firmware.RefuseNextSets(faults.refuseSets);
}

FaultyFirmware::Arrival FaultyFirmware::Arrive() {
    if (m_faults.vanishAfter > 0 && m_transfers++ == m_faults.vanishAfter) return Arrival::Vanish;
    return m_faults.noAnswer ? Arrival::Ignore : Arrival::Answer;
}

std::size_t FaultyFirmware::GetFeature(std::span<uint8_t> report) {
    const auto length = static_cast<std::size_t>(report.empty() ? 0 : FeatureReportLength(report[0]));
    if (length == 0 || length > report.size() || !m_firmware.GetFeature(report.first(length))) return 0;
    return m_faults.shortReplies ? length - 1 : length;
}

bool FaultyFirmware::SetFeature(std::span<const uint8_t> report) {
    const std::optional<MouseFirmware::State> next = m_firmware.SetFeature(report);
    if (!next) return false;
    m_firmware.Store(*next);
    saveState(m_faults.statePath, *next);
    return true;
}

}  // namespace voltrane
