#include "device/mouse_choice.h"

#include <algorithm>

#include "device/hid_device.h"

namespace voltrane {

namespace {

bool isMouseNode(const HidNode& node) {
    return node.vendorId == kMouseVendorId && node.productId == kMouseProductId;
}

}  // namespace

std::vector<MouseUnit> ListMice(std::span<const HidNode> nodes) {
    std::vector<MouseUnit> mice;
    for (const HidNode& node : nodes) {
        if (!isMouseNode(node)) continue;
        auto mouse = std::find_if(mice.begin(), mice.end(),
                                  [&](const MouseUnit& unit) { return unit.serial == node.serial; });
        if (mouse == mice.end()) mouse = mice.insert(mice.end(), MouseUnit{node.serial, {}});
        mouse->paths.push_back(node.path);
    }
    return mice;
}

bool ChoiceIsPath(const std::string& choice) { return choice.starts_with('/'); }

std::vector<HidNode> ChosenNodes(std::vector<HidNode> nodes, const std::string& choice) {
    if (choice.empty()) return nodes;
    std::string serial = choice;
    if (ChoiceIsPath(choice)) {
        const auto named = std::find_if(nodes.begin(), nodes.end(),
                                        [&](const HidNode& node) { return node.path == choice; });
        serial = named != nodes.end() ? named->serial : std::string();
    }
    std::erase_if(nodes, [&](const HidNode& node) {
        return node.path != choice && (serial.empty() || node.serial != serial);
    });
    return nodes;
}

std::string SteadyChoice(std::span<const HidNode> nodes, const std::string& choice) {
    const std::vector<HidNode> chosen = ChosenNodes({nodes.begin(), nodes.end()}, choice);
    const std::vector<MouseUnit> mice = ListMice(chosen);
    if (mice.empty() || mice.front().serial.empty()) return choice;
    return mice.front().serial;
}

std::string MiceText(std::span<const MouseUnit> mice) {
    std::string text;
    for (const MouseUnit& mouse : mice) {
        text += "  serial " + (mouse.serial.empty() ? std::string("(none)") : mouse.serial) + ":";
        for (const std::string& path : mouse.paths) text += " " + path;
        text += "\n";
    }
    return text;
}

}  // namespace voltrane
