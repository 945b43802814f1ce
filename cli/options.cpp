#include "cli/options.h"

#include <charconv>
#include <map>

namespace voltrane {

const char kUsage[] =
    "usage: voltranectl [--device hid[:SERIAL]|NODE|virtual[:PATH]] [--dir DIR] [--language N] "
    "[--host desktop|none] COMMAND\n"
    "  devices                                   list every HID node: path, vendor:product, serial number, "
    "its top-level collections, and which match\n"
    "  collections DESCRIPTOR                    parse a report descriptor file; one line per top-level "
    "collection:\n"
    "                                            usage_page=0x%04X usage=0x%04X input=N output=N "
    "feature=N\n"
    "  apply PROFILE                             load PROFILE and write it into the mouse; download.bin "
    "into DIR\n"
    "  read [--profile OUT] [--macros OUT] [--json]   read the mouse; save the record as a profile (each "
    "macro "
    "button with its decoded macro) and the decoded macros as a macro file\n"
    "  encode PROFILE --settings OUT --buttons OUT   build the 8- and 2049-byte reports from a profile, no "
    "device\n"
    "  decode [--settings FILE] [--buttons FILE] [--json]   print the configuration the reports hold, "
    "readably\n"
    "  verify PROFILE [--json]                   read the mouse and list where it differs from what "
    "applying "
    "PROFILE would write\n"
    "  watch [--count N]                         print a line each time the mouse arrives or goes, with "
    "its node;\n"
    "                                            stop after N lines\n"
    "\n"
    "Exit status: 0 done; 2 usage or file error; 3 mouse not found; 4 settings report refused;\n"
    "5 settings read-back failed; 6 button collection not found; 7 button report refused;\n"
    "8 the configuration does not fit; 9 access to the mouse refused (install the udev rule);\n"
    "10 verify: the mouse differs from the profile; 11 watch: hot-plug notices cannot be had (udev);\n"
    "12 several mice are plugged in and none was chosen.\n"
    "With several mice, --device hid:SERIAL or --device NODE (one of its /dev/hidraw nodes) chooses one.\n"
    "Without --device, the environment variable VOLTRANE_DEVICE (same values) chooses.\n";

namespace {

// Which options each command takes (a value, or a flag).
struct CommandOption {
    std::string command;
    std::string name;
    bool takesValue;
};
const CommandOption kCommandOptions[] = {
    {"read", "--profile", true},    {"read", "--macros", true},    {"read", "--json", false},
    {"encode", "--settings", true}, {"encode", "--buttons", true}, {"decode", "--settings", true},
    {"decode", "--buttons", true},  {"decode", "--json", false},   {"verify", "--json", false},
    {"watch", "--count", true},
};
const std::map<std::string, size_t> kOperandCounts = {
    {"devices", 0}, {"collections", 1}, {"apply", 1},  {"read", 0},
    {"encode", 1},  {"decode", 0},      {"verify", 1}, {"watch", 0},
};

class Parser {
public:
    explicit Parser(std::span<const std::string> args) : m_args(args) {}

    ParsedCommandLine Run() {
        while (m_error.empty() && m_next < m_args.size()) step();
        if (m_error.empty() && !m_result.help) checkComplete();
        return {m_result, m_error};
    }

private:
    void step() {
        std::string arg = m_args[m_next++];
        std::optional<std::string> inlineValue;
        if (const size_t eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
            inlineValue = arg.substr(eq + 1);
            arg.resize(eq);
        }
        if (arg == "-h" || arg == "--help") {
            m_result.help = true;
        } else if (arg.rfind("--", 0) == 0) {
            option(arg, inlineValue);
        } else if (m_result.command.empty()) {
            m_result.command = arg;
            if (!kOperandCounts.count(arg)) m_error = "unknown command '" + arg + "'";
        } else {
            m_result.operands.push_back(arg);
        }
    }

    std::optional<std::string> value(const std::string& name, std::optional<std::string> inlineValue) {
        if (inlineValue) return inlineValue;
        if (m_next < m_args.size()) return m_args[m_next++];
        m_error = "option " + name + " needs a value";
        return std::nullopt;
    }

    void option(const std::string& name, const std::optional<std::string>& inlineValue) {
        if (m_result.command.empty()) return globalOption(name, inlineValue);
        for (const CommandOption& known : kCommandOptions) {
            if (known.command != m_result.command || known.name != name) continue;
            if (!known.takesValue) {
                if (inlineValue) m_error = "option " + name + " takes no value";
                m_result.json = true;
                return;
            }
            if (auto v = value(name, inlineValue)) commandValue(name, *v);
            return;
        }
        m_error = "unknown option " + name + " for " + m_result.command;
    }

    void commandValue(const std::string& name, const std::string& v) {
        if (name == "--count") return countValue(v);
        if (name == "--profile") m_result.profileOut = v;
        if (name == "--macros") m_result.macrosOut = v;
        if (name == "--settings") m_result.settingsFile = v;
        if (name == "--buttons") m_result.buttonsFile = v;
    }

    void countValue(const std::string& v) {
        int count = 0;
        const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), count);
        if (ec != std::errc() || end != v.data() + v.size() || count < 1) {
            m_error = "--count must be a whole number from 1";
            return;
        }
        m_result.count = count;
    }

    void globalOption(const std::string& name, const std::optional<std::string>& inlineValue) {
        const std::optional<std::string> v = value(name, inlineValue);
        if (!v) return;
        if (name == "--device") {
            m_result.device = v;
            if (!isDeviceValue(*v)) {
                m_error = "--device must be hid[:SERIAL], a /dev/hidraw node or virtual[:PATH]";
            }
        } else if (name == "--dir") {
            m_result.dir = *v;
        } else if (name == "--language") {
            const auto [end, ec] = std::from_chars(v->data(), v->data() + v->size(), m_result.language);
            if (ec != std::errc() || end != v->data() + v->size() || m_result.language < 0 ||
                m_result.language > 5) {
                m_error = "--language must be 0..5";
            }
        } else if (name == "--host") {
            m_result.desktopHost = *v == "desktop";
            if (*v != "desktop" && *v != "none") m_error = "--host must be desktop or none";
        } else {
            m_error = "unknown option " + name;
        }
    }

    static bool isDeviceValue(const std::string& v) {
        return v == "hid" || v == "virtual" || v.starts_with("hid:") || v.starts_with("virtual:") ||
               v.starts_with('/');
    }

    void checkComplete() {
        if (m_result.command.empty()) {
            m_error = "no command given";
        } else if (m_result.operands.size() != kOperandCounts.at(m_result.command)) {
            m_error = m_result.command + ": wrong number of arguments";
        } else if (m_result.command == "encode" && (!m_result.settingsFile || !m_result.buttonsFile)) {
            m_error = "encode needs --settings OUT and --buttons OUT";
        }
    }

    std::span<const std::string> m_args;
    size_t m_next = 0;
    CliOptions m_result;
    std::string m_error;
};

}  // namespace

ParsedCommandLine ParseCommandLine(std::span<const std::string> args) { return Parser(args).Run(); }

}  // namespace voltrane
