#pragma once
// Which mouse the program talks to: the real one, or the virtual mouse with its state file. The
// choice comes from the environment variable VOLTRANE_DEVICE:
//   virtual        the virtual mouse, state file "virtual-mouse.bin" in the program directory
//   virtual:PATH   the virtual mouse, state file PATH (a relative PATH is taken from the working folder)
//   hid:SERIAL     the real mouse with that serial number, when several are plugged in
//   hid:/dev/hidrawN, /dev/hidrawN   the real mouse that node belongs to
//   anything else, or unset: the real mouse (the first found, when several are plugged in)

#include <filesystem>
#include <string>

namespace voltrane {

inline constexpr char kDeviceVariable[] = "VOLTRANE_DEVICE";
inline constexpr char kVirtualStateFileName[] = "virtual-mouse.bin";

enum class DeviceKind { Real, Virtual };

struct DeviceSelection {
    DeviceKind kind = DeviceKind::Real;
    std::filesystem::path statePath;  // the virtual mouse's state file; empty for the real mouse
    std::string mouseChoice{};        // the real mouse's serial number or node path; empty: any
};

// Reads the value of VOLTRANE_DEVICE; `selector` is null when the variable is unset. An empty PATH
// after "virtual:" means the default file in `programDir`.
DeviceSelection ParseDeviceSelector(const char* selector, const std::filesystem::path& programDir);

// Whether `selection` is the virtual mouse with its state file in a folder that does not exist, so
// that the file can never be written.
bool StateFolderMissing(const DeviceSelection& selection);

}  // namespace voltrane
