#pragma once
// What several subcommands share: the controller every command works with, the device link,
// profile loading and file writing with their error reports.

#include <filesystem>
#include <memory>
#include <span>
#include <string>

#include "cli/cli.h"
#include "cli/console_ui.h"
#include "cli/options.h"
#include "cli/report_comparison.h"
#include "control/controller.h"

namespace voltrane {

// The controller of one command: built-in defaults, an empty macro store, the language of
// --language and the program directory of --dir (else the window's), with the console as its
// user interface.
class CliSession {
public:
    CliSession(const CliOptions& options, CliEnvironment& env);
    Controller& controller() { return m_controller; }

private:
    ConsoleUi m_ui;
    Controller m_controller;
};

// Attaches the mouse and desktop of --device and --host to `controller`, keeping to the mouse
// --device chooses. Returns kExitDone, or what to exit with (reported on env.err): kExitUsage for a
// virtual mouse whose state file cannot be written (its folder does not exist), kExitMouseNotFound
// when the transport cannot be created, kExitMouseAmbiguous (with the list of mice) when several
// mice are plugged in, none was chosen and the command is not `devices`.
int AttachDevice(const CliOptions& options, CliEnvironment& env, Controller& controller);

// Reports a read that did not get both reports on env.err and returns its exit code; kExitDone for
// ReadOutcome::Done (nothing reported).
int ReadFailure(CliEnvironment& env, ReadOutcome outcome);

// Loads a profile file into the controller's record. A missing or unreadable file, or one that is not
// a profile, is reported on env.err; returns false then.
bool LoadProfileFile(const std::filesystem::path& path, CliEnvironment& env, Controller& controller);

// The two reports applying the controller's record would send. A button whose records do not fit is
// reported on env.err; gives nothing then.
std::optional<ReportPair> ProfileReports(const Controller& controller, CliEnvironment& env);

// One file a command writes: the option that names it (e.g. "--profile") and its path.
struct OutputFile {
    std::string what;
    std::filesystem::path path;
};

// Whether no two of `outputs` are the same file, so that none overwrites another. The first pair
// that is one file is reported on env.err.
bool OutputsAreDistinct(std::span<const OutputFile> outputs, CliEnvironment& env);

// Replaces `path` with `bytes`; a failure is reported on env.err with its reason. Returns whether it
// was written.
bool WriteOutputFile(const std::filesystem::path& path, std::span<const uint8_t> bytes,
                     CliEnvironment& env);

// The record as JSON (--json) or readable text on env.out.
void PrintRecord(const CliOptions& options, CliEnvironment& env, const Controller& controller);

// One top-level collection as "usage_page=0x%04X usage=0x%04X input=N output=N feature=N".
std::string CollectionLine(const HidCollectionInfo& collection);

// Reports a node that held the mouse's collection but would not open, on env.err: for a refused
// access, the node and the udev rule to install. Nothing when there was none.
void ReportRefusal(CliEnvironment& env, const std::optional<OpenRefusal>& refusal);

// With --host desktop, names the desktop backend on env.err ("voltranectl: host settings: gnome")
// and warns of every setting the desktop did not take, saying when some were taken. Nothing
// otherwise.
void ReportHostSettings(const CliOptions& options, CliEnvironment& env, Controller& controller,
                        const HostApplyReport& report);

// Prints "voltranectl: <message>" on env.err and returns `code`.
int Fail(CliEnvironment& env, const std::string& message, int code);

}  // namespace voltrane
