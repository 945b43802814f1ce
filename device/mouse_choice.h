#pragma once
// Which mouse the program works on when more than one is plugged in. A mouse is told apart from an
// identical one by its serial number; its nodes (one per USB interface) share that number. A choice
// is a serial number, or the path of one of the mouse's nodes.

#include <span>
#include <string>
#include <vector>

#include "device/hid_transport.h"

namespace voltrane {

// One mouse present: its serial number (empty when its nodes have none) and its nodes' paths, in
// enumeration order.
struct MouseUnit {
    std::string serial;
    std::vector<std::string> paths;
};

// The mice among `nodes`: the nodes with the mouse's vendor and product IDs, grouped by serial number
// (all nodes without one make one mouse, as nothing tells them apart), in the order of each mouse's
// first node.
std::vector<MouseUnit> ListMice(std::span<const HidNode> nodes);

// Whether `choice` is a node path rather than a serial number: it starts with '/'.
bool ChoiceIsPath(const std::string& choice);

// The nodes of `nodes` that `choice` picks, in their order: every node for an empty choice; for a
// path, the node at that path and every node sharing its serial number (when it has one); otherwise
// the nodes whose serial number is `choice`.
std::vector<HidNode> ChosenNodes(std::vector<HidNode> nodes, const std::string& choice);

// The choice that keeps naming the same mouse while its nodes come and go: the serial number of the
// mouse `choice` picks (the first mouse found for an empty choice). `choice` itself when that mouse
// has no serial number or none is found.
std::string SteadyChoice(std::span<const HidNode> nodes, const std::string& choice);

// The mice as a list for a person, one line each: "  serial SERIAL: PATH PATH" ("(none)" for a mouse
// without a serial number).
std::string MiceText(std::span<const MouseUnit> mice);

}  // namespace voltrane
