#include "host/kconfig_tools.h"

#include <utility>
#include <vector>

#include "host/program_run.h"

namespace voltrane {

namespace {

constexpr int kRefusedStatus = 2;

struct ToolPair {
    const char* writer;
    const char* reader;
};
constexpr ToolPair kToolPairs[] = {{"kwriteconfig6", "kreadconfig6"}, {"kwriteconfig5", "kreadconfig5"}};

bool offersNotify(const std::string& writer) {
    return RunProgram({writer, "--help"}).out.find("--notify") != std::string::npos;
}

std::vector<std::string> entryArguments(const std::string& program, const KConfigEntry& entry) {
    return {program, "--file", entry.file.string(), "--group", entry.group, "--key", entry.key};
}

// The first line of what a tool said, for a message.
std::string firstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

}  // namespace

KConfigTools::KConfigTools(std::string writer, std::string reader, bool notify)
    : m_writer(std::move(writer)), m_reader(std::move(reader)), m_notify(notify) {}

std::unique_ptr<KConfigTools> KConfigTools::Find() {
    for (const ToolPair& pair : kToolPairs) {
        if (FindProgram(pair.writer).empty() || FindProgram(pair.reader).empty()) continue;
        return std::make_unique<KConfigTools>(pair.writer, pair.reader, offersNotify(pair.writer));
    }
    return nullptr;
}

std::optional<std::string> KConfigTools::Read(const KConfigEntry& entry) {
    const ProgramResult result = RunProgram(entryArguments(m_reader, entry));
    if (!result.Succeeded()) return std::nullopt;
    return firstLine(result.out);
}

std::string KConfigTools::Write(const KConfigEntry& entry, const std::string& value) {
    std::vector<std::string> args = entryArguments(m_writer, entry);
    if (m_notify) args.push_back("--notify");
    args.insert(args.end(), {"--", value});  // a value like "-0.5" is not an option
    const ProgramResult result = RunProgram(args);
    if (!result.startError.empty()) return "cannot run " + m_writer + ": " + result.startError;
    if (result.exitCode == kRefusedStatus) {
        return m_writer + " refused: the file is not writable or the entry is marked immutable ([$i])";
    }
    if (result.exitCode != 0) {
        return m_writer + " failed (exit status " + std::to_string(result.exitCode) +
               "): " + firstLine(result.err);
    }
    return "";
}

std::string KConfigTools::Name() const { return m_writer; }

}  // namespace voltrane
