#include "cli/cli.h"

#include <map>

#include "cli/commands.h"

namespace voltrane {

int RunVoltraneCtl(std::span<const std::string> args, CliEnvironment& env) {
    const ParsedCommandLine parsed = ParseCommandLine(args);
    if (parsed.options.help) {
        env.out << kUsage;
        return kExitDone;
    }
    if (!parsed.error.empty()) {
        env.err << "voltranectl: " << parsed.error << "\n" << kUsage;
        return kExitUsage;
    }
    using Command = int (*)(const CliOptions&, CliEnvironment&);
    static const std::map<std::string, Command> kCommands = {
        {"devices", CommandDevices}, {"collections", CommandCollections},
        {"apply", CommandApply},     {"read", CommandRead},
        {"encode", CommandEncode},   {"decode", CommandDecode},
        {"verify", CommandVerify},   {"watch", CommandWatch},
    };
    return kCommands.at(parsed.options.command)(parsed.options, env);
}

}  // namespace voltrane
