// Fuzzes the report descriptor parser with any bytes as the descriptor a device reports.
//
// Input: the descriptor. Seeds: descriptors of real devices from tests/data/hid-descriptors (see the
// README there for their source and licence) and the vendor descriptor of the virtual mouse.
// Properties checked (besides staying inside the input, which the sanitizers watch):
// - at most one top-level collection per input byte, since each Collection item takes one at least;
// - every report length is 0 (no such report) or positive, the report-ID byte counted;
// - parsing the same bytes again gives the same collections.

#include <cstdint>
#include <span>
#include <vector>

#include "device/report_descriptor.h"
#include "fuzz/fuzz_input_file.h"

namespace {

bool same(const voltrane::HidCollectionInfo& a, const voltrane::HidCollectionInfo& b) {
    return a.usagePage == b.usagePage && a.usage == b.usage && a.inputReportLength == b.inputReportLength &&
           a.outputReportLength == b.outputReportLength && a.featureReportLength == b.featureReportLength;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace voltrane;
    const std::span<const uint8_t> descriptor(data, size);
    const std::vector<HidCollectionInfo> collections = ParseReportDescriptor(descriptor);
    VOLTRANE_FUZZ_CHECK(collections.size() <= size);
    for (const HidCollectionInfo& c : collections) {
        VOLTRANE_FUZZ_CHECK(c.inputReportLength >= 0 && c.outputReportLength >= 0 &&
                            c.featureReportLength >= 0);
    }
    const std::vector<HidCollectionInfo> again = ParseReportDescriptor(descriptor);
    VOLTRANE_FUZZ_CHECK(again.size() == collections.size());
    for (size_t i = 0; i < again.size(); ++i) VOLTRANE_FUZZ_CHECK(same(again[i], collections[i]));
    return 0;
}
