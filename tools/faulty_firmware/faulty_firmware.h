#pragma once
// The firmware of the test mice that reach the program through a real kernel (tools/uhid_mouse,
// tools/usb_mouse): the firmware model of the in-process virtual mouse, with the fault switches the
// kernel tests need and a state file the test can compare with what it applied.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "device/mouse_firmware.h"

namespace voltrane {

// The fault switches and the state file, as given on a test mouse's command line.
struct MouseFaults {
    std::string statePath;  // after every report taken: the 8 settings bytes, then the 2049 button bytes
    int refuseSets = 0;     // the next N set feature reports are refused
    bool shortReplies = false;  // every get feature report is answered one byte short
    bool noAnswer = false;      // no feature transfer is ever answered
    int vanishAfter = 0;        // the device goes away when the transfer after the K-th arrives; 0: never
};

// Takes the fault option at args[i] ("--state FILE", "--refuse-sets N", "--short-replies",
// "--no-answer", "--vanish-after K") into `faults`, moving `i` past its value. Returns false for
// anything else, for a missing value and for a count that is not a whole number 0..1000000.
bool TakeFaultOption(std::span<char* const> args, std::size_t& i, MouseFaults& faults);
// The fault options for a usage line.
inline constexpr char kFaultUsage[] =
    "[--state FILE] [--refuse-sets N] [--short-replies] [--no-answer] [--vanish-after K]";

class FaultyFirmware {
public:
    explicit FaultyFirmware(const MouseFaults& faults);

    // What to do with a feature transfer that has arrived.
    enum class Arrival { Answer, Ignore, Vanish };
    Arrival Arrive();

    // Fills `report` (its ID in byte 0 on entry) with the stored report of that ID. Returns the bytes
    // to reply with, one short with short replies; 0 when the firmware has no such report or refuses.
    std::size_t GetFeature(std::span<uint8_t> report);
    // Takes a set feature report (ID in byte 0): stores it and writes the state file. Returns false,
    // storing nothing, when the firmware refuses it.
    bool SetFeature(std::span<const uint8_t> report);

private:
    const MouseFaults& m_faults;
    MouseFirmware m_firmware;
    int m_transfers = 0;
};

}  // namespace voltrane
