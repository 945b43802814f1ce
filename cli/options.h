#pragma once
// The command line of voltranectl, parsed.

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace voltrane {

struct CliOptions {
    std::optional<std::string> device;         // hid | virtual[:PATH]; unset: VOLTRANE_DEVICE, else hid
    std::optional<std::filesystem::path> dir;  // the program directory; unset: the window's
    int language = 2;                          // the language whose keys profiles are read and written with
    bool desktopHost = false;                  // --host desktop
    bool help = false;
    std::string command;
    std::vector<std::string> operands;  // positional arguments after the command
    std::optional<std::filesystem::path> profileOut, macrosOut, settingsFile, buttonsFile;
    bool json = false;
    std::optional<int> count;  // watch --count: stop after this many lines
};

struct ParsedCommandLine {
    CliOptions options;
    std::string error;  // empty when the command line is sound
};

// Parses global options, the command and its options ("--name value" or "--name=value").
ParsedCommandLine ParseCommandLine(std::span<const std::string> args);

// The help text.
extern const char kUsage[];

}  // namespace voltrane
