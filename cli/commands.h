#pragma once
// The subcommands of voltranectl, one file each. Each returns the tool's exit code.

#include "cli/cli.h"
#include "cli/options.h"

namespace voltrane {

int CommandDevices(const CliOptions& options, CliEnvironment& env);
int CommandCollections(const CliOptions& options, CliEnvironment& env);
int CommandApply(const CliOptions& options, CliEnvironment& env);
int CommandRead(const CliOptions& options, CliEnvironment& env);
int CommandEncode(const CliOptions& options, CliEnvironment& env);
int CommandDecode(const CliOptions& options, CliEnvironment& env);
int CommandVerify(const CliOptions& options, CliEnvironment& env);
int CommandWatch(const CliOptions& options, CliEnvironment& env);

}  // namespace voltrane
