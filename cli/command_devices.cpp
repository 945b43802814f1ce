#include <cstdio>
#include <set>
#include <string>

#include "cli/command_support.h"
#include "cli/commands.h"

namespace voltrane {

namespace {

std::string hex4(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", value & 0xFFFF);
    return text;
}

// Marks the collections the program would open: for each mouse (serial number) and each of the two
// lengths, the first match in enumeration order.
class RoleMarker {
public:
    const char* RoleOf(const HidNode& node, const HidCollectionInfo& collection) {
        if (mark(node, collection, kSettingsCollectionLength, m_settingsFound))
            return "  <- settings collection";
        if (mark(node, collection, kButtonCollectionLength, m_buttonsFound))
            return "  <- button collection";
        return "";
    }

private:
    static bool mark(const HidNode& node, const HidCollectionInfo& collection, int length,
                     std::set<std::string>& found) {
        if (found.contains(node.serial) || &collection != FindMouseCollection(node, length)) return false;
        found.insert(node.serial);
        return true;
    }

    std::set<std::string> m_settingsFound;  // serial numbers of the mice marked
    std::set<std::string> m_buttonsFound;
};

}  // namespace

int CommandDevices(const CliOptions& options, CliEnvironment& env) {
    CliSession session(options, env);
    Controller& controller = session.controller();
    if (const int code = AttachDevice(options, env, controller); code != kExitDone) return code;
    const std::vector<HidNode> nodes = controller.Device()->Transport().Enumerate();
    RoleMarker roles;
    for (const HidNode& node : nodes) {
        env.out << node.path << " " << hex4(node.vendorId) << ":" << hex4(node.productId);
        if (!node.serial.empty()) env.out << " serial=" << node.serial;
        env.out << "\n";
        if (node.collections.empty()) env.out << "  (no top-level collection found)\n";
        for (const HidCollectionInfo& collection : node.collections) {
            env.out << "  " << CollectionLine(collection) << roles.RoleOf(node, collection) << "\n";
        }
    }
    if (nodes.empty()) env.out << "no HID devices found\n";
    return kExitDone;
}

}  // namespace voltrane
