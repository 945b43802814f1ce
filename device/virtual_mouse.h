#pragma once
// An in-process model of the mouse's firmware, for running the program and its tests without the
// mouse. Like the real mouse under hidraw it shows two nodes: its pointer interface (a Generic Desktop
// mouse collection) and its vendor interface, whose one report descriptor declares both vendor
// collections (settings, report ID 3, 8 bytes; buttons, report ID 4, 2049 bytes). It stores the two
// reports it is sent and returns them when asked, and can keep them in a state file.
//
// The state file holds exactly kStateBytes bytes: the settings report at offset 0 (byte 0 is 3), then
// the button report at offset 8 (byte 8 is 4). It is replaced atomically after every report taken. A
// state file that is not so is damaged: it is left alone, never read as a factory-new mouse, and the
// vendor node will not open, saying so.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "device/hid_transport.h"
#include "device/mouse_firmware.h"
#include "device/reports.h"

namespace voltrane {

class VirtualMouse final : public HidTransport {
public:
    // The state: the settings report, then the button report.
    static constexpr std::size_t kButtonOffset = MouseFirmware::kButtonOffset;
    static constexpr std::size_t kStateBytes = MouseFirmware::kStateBytes;  // 2057
    using State = MouseFirmware::State;

    // Device paths of the two nodes, in enumeration order.
    static constexpr const char* kPointerPath = "virtual:hidraw0";
    static constexpr const char* kVendorPath = "virtual:hidraw1";

    // What the constructor found in the state file.
    enum class StateFile {
        NotKept,  // no state file: the reports live in memory only
        Missing,  // no file yet: factory state
        Loaded,   // the file's reports
        Damaged,  // unreadable, wrong size or wrong report IDs: the vendor node refuses to open
    };

    // A mouse in `factoryState` (laid out like the state file) unless `statePath` holds a sound
    // state file. An empty `statePath` keeps the reports in memory only.
    explicit VirtualMouse(std::span<const uint8_t, kStateBytes> factoryState,
                          std::filesystem::path statePath = {});

    // The mouse's nodes; none while it is absent.
    std::vector<HidNode> Enumerate() override;
    // Opens one of the two nodes; fails while the mouse is absent, and the vendor node with a damaged
    // state file (the reason names the file).
    OpenResult OpenPath(const std::string& path) override;
    // Takes a settings report (ID 3, 8 bytes) or button report (ID 4, 2049 bytes) on the vendor
    // node and saves the state file. Refuses any other report, a report on the pointer node, and a
    // report whose state file cannot be written (then the stored reports are unchanged and
    // LastTransferFailure names the file and the system's reason).
    bool SendFeature(std::span<const uint8_t> report) override;
    std::string LastTransferFailure() const override { return m_lastFailure; }
    // Returns the stored report whose ID and length `report` asks for, on the vendor node.
    bool GetFeature(std::span<uint8_t> report) override;
    void Close() override;
    bool IsOpen() const override;

    // Fault injection. An absent mouse lists no nodes and fails every transfer, also on a node
    // opened before it went away; that handle stays dead until closed.
    void SetPresent(bool present);
    // Without its button collection the vendor node declares only the settings collection and
    // refuses button reports.
    void SetButtonCollection(bool present);
    // The next `count` sends that reach the vendor node are refused.
    void RefuseNextSends(int count);
    // The next `count` fetches that reach the vendor node fail.
    void FailNextFetches(int count);

    // Observation for tests.
    int SendCount() const { return m_sendCount; }    // SendFeature calls so far, whatever their result
    int FetchCount() const { return m_fetchCount; }  // GetFeature calls so far, whatever their result
    const State& Reports() const { return m_firmware.Reports(); }
    StateFile StateFileStatus() const { return m_stateFile; }

private:
    // An open handle whose node went away with the mouse.
    static constexpr int kDeadHandle = -1;

    StateFile Load();
    bool Save(const State& reports);
    bool VendorNodeReady() const;

    MouseFirmware m_firmware;
    std::filesystem::path m_statePath;
    StateFile m_stateFile;
    std::string m_damage;           // why a damaged state file is, with its path; empty otherwise
    std::string m_lastFailure;      // why the last report was not kept
    std::optional<int> m_openNode;  // index into the node list, or kDeadHandle
    bool m_present = true;
    int m_sendCount = 0;
    int m_fetchCount = 0;
};

}  // namespace voltrane
