#pragma once
// The real mouse through hidapi's hidraw backend. hidapi lists one entry per top-level usage of a
// node and does not tell feature report lengths, so the entries are grouped back into nodes and
// each node's report descriptor is read from sysfs and parsed here.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "device/hid_transport.h"
#include "device/transport_factory.h"
#include "device/virtual_mouse.h"

struct hid_device_;

namespace voltrane {

// One entry of hidapi's device list.
struct HidEntry {
    std::string path;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    std::string serial{};  // UTF-8; empty when the device has none
};

// Reads the report descriptor of the node at a device path; empty when it cannot be read.
using DescriptorReader = std::function<std::optional<std::vector<uint8_t>>(const std::string& path)>;

// The nodes behind `entries`: one per distinct non-empty path, in the order the paths first appear,
// with the IDs and serial number of the path's first entry and the top-level collections of the descriptor
// that `readDescriptor` gives for the path (asked once per path; none when it gives nothing).
std::vector<HidNode> GroupEntriesByPath(std::span<const HidEntry> entries,
                                        const DescriptorReader& readDescriptor);

// The sysfs file holding the report descriptor of the hidraw node at `devicePath` ("/dev/hidraw3"
// gives "/sys/class/hidraw/hidraw3/device/report_descriptor"). Empty when the path's last component
// is not "hidraw" followed by digits.
std::filesystem::path ReportDescriptorFile(std::string_view devicePath);

// Whether hidapi's result of a feature report transfer, `transferred` (the bytes sent or received,
// report-ID byte included; negative on failure), is the whole report of `length` bytes. A shorter
// reply is a failed fetch: its missing bytes would otherwise be read as whatever the buffer held.
bool TransferredWholeReport(int transferred, std::size_t length);

// A serial number as hidapi gives it (UTF-32 on Linux) in UTF-8; empty for null. A value that is no
// Unicode scalar value becomes U+FFFD.
std::string SerialText(const wchar_t* serial);

// Reads a hidraw node's report descriptor from sysfs; empty when it cannot be read.
std::optional<std::vector<uint8_t>> ReadSysfsDescriptor(const std::string& devicePath);

class HidapiTransport final : public HidTransport {
public:
    HidapiTransport();
    ~HidapiTransport() override;
    HidapiTransport(const HidapiTransport&) = delete;
    HidapiTransport& operator=(const HidapiTransport&) = delete;

    std::vector<HidNode> Enumerate() override;
    OpenResult OpenPath(const std::string& path) override;
    // True only when the whole report was written (see TransferredWholeReport).
    bool SendFeature(std::span<const uint8_t> report) override;
    // True only when the device answered with the whole report (see TransferredWholeReport).
    bool GetFeature(std::span<uint8_t> report) override;
    void Close() override;
    bool IsOpen() const override;

private:
    hid_device_* m_device = nullptr;
};

// The transport `selection` names: hidapi for the real mouse, or a virtual mouse keeping its state
// in the selection's file and starting from `factoryState` when that file is missing or damaged.
std::unique_ptr<HidTransport> CreateTransport(
    const DeviceSelection& selection, std::span<const uint8_t, VirtualMouse::kStateBytes> factoryState);

}  // namespace voltrane
