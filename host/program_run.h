#pragma once
// Running a helper program of the desktop (Plasma's configuration tools) and collecting its output.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace voltrane {

struct ProgramResult {
    std::string startError;  // why the program could not be started; empty when it ran
    int exitCode = -1;       // its exit status; -1 when it did not run or was ended by a signal
    std::string out;         // what it wrote on standard output
    std::string err;         // what it wrote on standard error

    bool Succeeded() const { return startError.empty() && exitCode == 0; }
};

// Runs `argv` (argv[0] is looked up in PATH) with standard input empty, and waits for it to end.
ProgramResult RunProgram(const std::vector<std::string>& argv);

// The path of `name` in PATH; empty when it is not installed.
std::filesystem::path FindProgram(std::string_view name);

}  // namespace voltrane
