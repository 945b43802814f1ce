#include <cstdio>

#include "cli/command_support.h"
#include "cli/commands.h"

namespace voltrane {

namespace {

std::string hex4(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", value & 0xFFFF);
    return text;
}

// What a collection is to the program: one of the mouse's two vendor collections, or nothing.
const char* roleOf(const HidNode& node, const HidCollectionInfo& collection) {
    if (&collection == FindMouseCollection(node, kSettingsCollectionLength)) return "  <- settings collection";
    if (&collection == FindMouseCollection(node, kButtonCollectionLength)) return "  <- button collection";
    return "";
}

}  // namespace

int CommandDevices(const CliOptions& options, CliEnvironment& env) {
    std::unique_ptr<CliDevice> device = CliDevice::Open(options, env);
    if (!device) return kExitMouseNotFound;
    const std::vector<HidNode> nodes = device->Transport().Enumerate();
    for (const HidNode& node : nodes) {
        env.out << node.path << " " << hex4(node.vendorId) << ":" << hex4(node.productId) << "\n";
        if (node.collections.empty()) env.out << "  (report descriptor not readable)\n";
        for (const HidCollectionInfo& collection : node.collections) {
            env.out << "  " << CollectionLine(collection) << roleOf(node, collection) << "\n";
        }
    }
    if (nodes.empty()) env.out << "no HID devices found\n";
    return kExitDone;
}

}  // namespace voltrane
