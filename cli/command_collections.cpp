#include "cli/command_support.h"
#include "cli/commands.h"
#include "device/report_descriptor.h"
#include "settings/atomic_file.h"

namespace voltrane {

namespace {
constexpr size_t kMaxDescriptorBytes = 1 << 20;  // far above any real descriptor (4 KiB on Linux)
}

int CommandCollections(const CliOptions& options, CliEnvironment& env) {
    const std::filesystem::path& path = options.operands.at(0);
    const std::optional<std::string> bytes = ReadFileLimited(path, kMaxDescriptorBytes);
    if (!bytes) return Fail(env, path.string() + ": cannot read the descriptor file", kExitUsage);
    const auto* data = reinterpret_cast<const uint8_t*>(bytes->data());
    for (const HidCollectionInfo& collection : ParseReportDescriptor({data, bytes->size()})) {
        env.out << CollectionLine(collection) << "\n";
    }
    return kExitDone;
}

}  // namespace voltrane
