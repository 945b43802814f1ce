#pragma once
// The link to the mouse: finds one of its two vendor collections among the HID nodes present now
// (on the chosen mouse, when a choice is set), and moves feature reports to and from it. Apart from
// the open collection it keeps no state; every Open looks at the nodes afresh, so an unplug and
// replug between operations needs no handling.

#include <cstdint>
#include <optional>
#include <string>

#include "device/hid_transport.h"
#include "device/mouse_model.h"

namespace voltrane {

// The collection of `node` that is the mouse's vendor collection with feature reports of
// `featureReportLength` bytes: vendor, product and usage page must match as well. Null when `node`
// has none, and for a length below 1.
const HidCollectionInfo* FindMouseCollection(const HidNode& node, int featureReportLength);

// A node that holds the wanted collection but could not be opened, and why.
struct OpenRefusal {
    std::string path;
    OpenResult result;
};

class CHidDevice {
public:
    // Works through `transport`, which must outlive this object, on the mouse `choice` picks (see
    // ChosenNodes; empty: whichever is found first). Nothing is open at first.
    explicit CHidDevice(HidTransport& transport, std::string choice = {});
    // Closes the open collection, if any.
    ~CHidDevice();
    CHidDevice(const CHidDevice&) = delete;
    CHidDevice& operator=(const CHidDevice&) = delete;

    // Closes whatever is open, then opens the first node of the chosen mouse, in the system's
    // enumeration order, that holds the mouse's vendor collection with feature reports of
    // `featureReportLength` bytes. Nodes that cannot be opened are skipped. Returns 1 when that
    // collection is now open, 0 when none was found (then nothing is open, and LastRefusal() tells
    // about a node that held it but refused).
    int Open(int featureReportLength);

    // After an Open that returned 0: the first node that held the collection but could not be
    // opened (an access refusal before any other failure); std::nullopt when no node held it.
    const std::optional<OpenRefusal>& LastRefusal() const { return m_lastRefusal; }
    // Whether that refusal was the system denying this user access to the node.
    bool AccessWasDenied() const {
        return m_lastRefusal && m_lastRefusal->result.status == OpenResult::Status::AccessDenied;
    }

    // Sends one feature report: `buffer` holds `length` bytes, the report ID first. Returns nonzero
    // when the mouse took it; 0 when it did not, when nothing is open, or when `length` is not the
    // open collection's feature report length (then nothing is sent). The collection stays open.
    int SetFeature(const uint8_t* buffer, int length);

    // Fetches one feature report into `buffer`, whose byte 0 holds the wanted report ID. Returns
    // nonzero when the mouse answered with the whole report; 0 when its answer was shorter, on
    // failure, when nothing is open, or when `length` is not the open collection's feature report
    // length. The collection stays open.
    int GetFeature(uint8_t* buffer, int length);

    // Why the last refused transfer was refused, when the transport knows; empty otherwise.
    std::string LastTransferFailure() const { return m_transport.LastTransferFailure(); }

    // Closes the open collection, if any.
    void Close();

    // Whether a collection is open.
    bool IsOpen() const;

    // The choice of mouse every Open keeps to.
    const std::string& Choice() const { return m_choice; }

private:
    // Keeps the first refusal of an Open, an access refusal before any other failure.
    void NoteRefusal(const std::string& path, OpenResult result);
    // Whether a transfer of `length` bytes from `buffer` may go to the open collection.
    bool AcceptsTransfer(const uint8_t* buffer, int length) const;

    HidTransport& m_transport;
    std::string m_choice;
    std::optional<HidCollectionInfo> m_hDevice;  // the open collection; empty when nothing is open
    std::optional<OpenRefusal> m_lastRefusal;
};

}  // namespace voltrane
