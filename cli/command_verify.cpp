#include "cli/command_support.h"
#include "cli/commands.h"
#include "cli/json_text.h"
#include "device/read_sequence.h"

namespace voltrane {

namespace {

void writeJson(std::ostream& out, const std::vector<ReportDifference>& differences) {
    out << "{\"agree\": " << (differences.empty() ? "true" : "false") << ", \"differences\": [";
    for (size_t i = 0; i < differences.size(); ++i) {
        const ReportDifference& d = differences[i];
        out << (i == 0 ? "" : ", ") << "{\"field\": ";
        WriteJsonString(out, d.field);
        out << ", \"mouse\": ";
        WriteJsonString(out, d.mouse);
        out << ", \"profile\": ";
        WriteJsonString(out, d.profile);
        out << '}';
    }
    out << "]}\n";
}

void writeText(std::ostream& out, const std::string& profile,
               const std::vector<ReportDifference>& differences) {
    if (differences.empty()) {
        out << "The mouse holds " << profile << ".\n";
        return;
    }
    out << "The mouse differs from " << profile << " in " << differences.size()
        << (differences.size() == 1 ? " place" : " places") << ":\n";
    for (const ReportDifference& d : differences) {
        out << "  " << d.label << ": mouse " << d.mouse << "; profile " << d.profile << "\n";
    }
}

}  // namespace

int CommandVerify(const CliOptions& options, CliEnvironment& env) {
    CliSession session(options, env);
    Controller& controller = session.controller();
    const std::string& profile = options.operands.at(0);
    if (!LoadProfileFile(profile, env, controller)) return kExitUsage;
    const std::optional<ReportPair> wanted = ProfileReports(controller, env);
    if (!wanted) return kExitDoesNotFit;
    if (const int code = AttachDevice(options, env, controller); code != kExitDone) return code;
    const FetchedReports held = FetchReports(controller.Device()->Context());
    ReportRefusal(env, held.refusal);
    if (held.outcome != ReadOutcome::Done) return ReadFailure(env, held.outcome);
    const std::vector<ReportDifference> differences =
        CompareReports({held.settings, held.buttons}, *wanted);
    if (options.json) {
        writeJson(env.out, differences);
    } else {
        writeText(env.out, profile, differences);
    }
    return differences.empty() ? kExitDone : kExitDiffers;
}

}  // namespace voltrane
