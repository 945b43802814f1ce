#pragma once
// Report lengths of a HID device's top-level collections, computed from its report descriptor the way
// the other platform's HID parser reports them. hidraw does not tell feature report lengths, and the
// mouse's two vendor collections are told apart by theirs (8 and 2049 bytes).

#include <cstdint>
#include <span>
#include <vector>

namespace voltrane {

struct HidCollectionInfo {
    uint16_t usagePage;
    uint16_t usage;
    int inputReportLength;  // bytes, report-ID byte included; 0 when none
    int outputReportLength;
    int featureReportLength;
};

// Most Push items whose global state may be outstanding at once.
inline constexpr int kHidGlobalStackDepth = 16;

// Top-level collections of a report descriptor in descriptor order.
//
// A collection's usage is the first Usage or Usage Minimum before its Collection item; a 4-byte usage
// carries its page in the high 16 bits, a shorter one takes the Usage Page in effect at the Collection
// item. Without either the usage is 0 on that page. Each report length is 0 when the collection (nested
// collections included) has no Input, Output or Feature item of that kind, otherwise the largest, over
// its report IDs, of 1 + ceil(bits / 8), the 1 being the report-ID byte that is counted even when the
// descriptor declares no report IDs. Report Size and Report Count are unsigned; a length too large for
// an int is INT_MAX.
//
// The descriptor comes from the device and is not trusted; these rules give every input a result:
// - Main items outside any collection, End Collection with no collection open, items of the reserved
//   type, unknown tags and long items are ignored.
// - An item whose data runs past the end stops parsing; it is not applied.
// - A Push beyond kHidGlobalStackDepth outstanding states, or a Pop with none outstanding, stops parsing.
// - A collection still open at the end keeps the lengths of the items parsed so far.
std::vector<HidCollectionInfo> ParseReportDescriptor(std::span<const uint8_t> descriptor);

}  // namespace voltrane
