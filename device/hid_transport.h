#pragma once
// The one interface through which the program reaches HID devices. Backends: hidapi for the real
// mouse, VirtualMouse for an in-process model of its firmware.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "device/report_descriptor.h"

namespace voltrane {

// One HID device node (on Linux a hidraw node), the top-level collections its report descriptor
// declares, and the serial number of the device it belongs to (UTF-8; empty when it has none). The
// nodes of one USB device's interfaces share its serial number.
struct HidNode {
    std::string path;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    std::vector<HidCollectionInfo> collections;
    std::string serial{};
};

// The outcome of opening a node: opened, or why not.
struct OpenResult {
    enum class Status { Opened, AccessDenied, Failed };
    Status status = Status::Failed;
    std::string reason;  // the system's own words when not opened, e.g. "Permission denied"

    static OpenResult Opened() { return {Status::Opened, {}}; }
    explicit operator bool() const { return status == Status::Opened; }
};

class HidTransport {
public:
    virtual ~HidTransport() = default;

    // Every HID node present now, in the system's enumeration order. Nodes whose descriptor cannot
    // be read are listed with no collections.
    virtual std::vector<HidNode> Enumerate() = 0;

    // Opens the node at `path` for feature transfers, closing any node open before. When it cannot
    // be opened nothing is open and the result says why: AccessDenied when the system refused this
    // user access to the node, Failed otherwise.
    virtual OpenResult OpenPath(const std::string& path) = 0;

    // Sends one feature report; report[0] is the report ID. Returns true when the device took it.
    virtual bool SendFeature(std::span<const uint8_t> report) = 0;

    // Fetches one feature report; report[0] holds the wanted report ID on entry and the whole buffer
    // the report on success. Returns true only when the device answered with the whole report: a
    // shorter answer is a failed fetch, whatever the buffer then holds.
    virtual bool GetFeature(std::span<uint8_t> report) = 0;

    // Why the last SendFeature or GetFeature that failed did, in words a user can act on, e.g. "cannot
    // write the state file /x/virtual-mouse.bin: Permission denied"; empty when the device gives none.
    virtual std::string LastTransferFailure() const { return {}; }
    // Closes the open node, if any.
    virtual void Close() = 0;

    // Whether a node is open.
    virtual bool IsOpen() const = 0;
};

}  // namespace voltrane
