#pragma once
// The mouse's report descriptors, as its two USB interfaces declare them.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace voltrane {

// The pointer interface: five buttons, X and Y of 16 bits, a wheel. No feature reports, no report ID.
extern const std::span<const uint8_t> kPointerDescriptor;
// The vendor interface: the settings collection (report ID 3, 7 data bytes), then the button
// collection (report ID 4, 2048 data bytes).
extern const std::span<const uint8_t> kVendorDescriptor;
// Both interfaces' collections in one descriptor, as a mouse with a single interface declares them:
// the pointer collection, given report ID kPointerReportId because the vendor collections carry IDs,
// then the two vendor collections.
std::vector<uint8_t> SingleInterfaceDescriptor();
inline constexpr uint8_t kPointerReportId = 1;
// The vendor descriptor up to the end of the settings collection.
inline constexpr std::size_t kSettingsOnlyDescriptorBytes = 23;

}  // namespace voltrane
