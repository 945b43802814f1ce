#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>

#include "cli/cli.h"
#include "cli/report_comparison.h"
#include "device/factory_state.h"
#include "device/reports.h"
#include "device/virtual_mouse.h"
#include "device_fakes.h"
#include "file_bytes.h"
#include "host/host_pointer_memory.h"
#include "setting_fixture.h"
#include "settings/macro_files.h"
#include "settings/profile.h"
#include "settings/text_tables.h"
#include "temp_dir.h"

namespace voltrane {
namespace {

// voltranectl run in-process against a virtual mouse the test can reach.
struct Tool {
    TempDir dir;
    VirtualMouse mouse{FactoryState(), dir.path() / "state.bin"};
    std::function<std::unique_ptr<HidTransport>()> transport = [this] {
        return std::make_unique<RefusingTransport>(mouse, 0, 0);  // forwards everything
    };
    RecordingSleeper sleeper;
    std::function<std::unique_ptr<HostPointer>()> desktopHost = [] {
        return std::unique_ptr<HostPointer>();
    };
    std::function<std::unique_ptr<DeviceEventSource>()> eventSource = [] { return nullptr; };
    std::ostringstream out, err;

    // Runs `global` options followed by `args`.
    int Run(std::vector<std::string> global, const std::vector<std::string>& args) {
        global.insert(global.end(), args.begin(), args.end());
        return Run(global);
    }

    int Run(std::vector<std::string> args) {
        out.str("");
        err.str("");
        CliEnvironment env{out,         err,        [this](const DeviceSelection&) { return transport(); },
                           desktopHost, sleeper,    dir.path(),
                           nullptr,     eventSource};
        return RunVoltraneCtl(args, env);
    }

    std::string Path(const std::string& name) const { return (dir.path() / name).string(); }

    std::string Read(const std::string& name) const { return ReadBytes(dir.path() / name); }
};

// Gives button `b` (index) a two-record macro: a press of A and its release.
void giveMacro(MouseSetting& s, int b) {
    const uint8_t records[20] = {0x60, 0, 0x04, 0, 0, 0, 0, 0, 0, 0, 0x60};
    std::copy(std::begin(records), std::end(records), s.m_MacroData[b]);
    s.m_nMacroDataLen[b] = 20;
}

TEST(Voltranectl, CommandLineErrors) {
    struct Case {
        std::vector<std::string> args;
        int code;
        const char* err;
    };
    const Case cases[] = {
        {{}, 2, "no command given"},
        {{"frobnicate"}, 2, "unknown command 'frobnicate'"},
        {{"apply"}, 2, "apply: wrong number of arguments"},
        {{"--language", "9", "decode"}, 2, "--language must be 0..5"},
        {{"--language", "x2", "decode"}, 2, "--language must be 0..5"},
        {{"--device", "usb", "read"},
         2,
         "--device must be hid[:SERIAL], a /dev/hidraw node or virtual[:PATH]"},
        {{"--device", "hidraw3", "read"},
         2,
         "--device must be hid[:SERIAL], a /dev/hidraw node or virtual[:PATH]"},
        {{"--host", "kde", "read"}, 2, "--host must be desktop or none"},
        {{"decode", "--profile", "x"}, 2, "unknown option --profile for decode"},
        {{"read", "--json=1"}, 2, "option --json takes no value"},
        {{"encode", "p.ini", "--settings", "s.bin"}, 2, "encode needs --settings OUT and --buttons OUT"},
        {{"--dir"}, 2, "option --dir needs a value"},
        {{"apply", "missing.ini"}, 2, "missing.ini: no such profile"},
        {{"collections", "missing.bin"}, 2, "missing.bin: cannot read the descriptor file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        Tool tool;
        EXPECT_EQ(tool.Run(c.args), c.code);
        EXPECT_NE(tool.err.str().find(c.err), std::string::npos) << tool.err.str();
        EXPECT_TRUE(tool.out.str().empty());
    }
    Tool tool;
    EXPECT_EQ(tool.Run({"--help"}), 0);
    EXPECT_EQ(tool.out.str().rfind("usage: voltranectl [--device hid[:SERIAL]|NODE|virtual[:PATH]]", 0),
              0u);
}

// A file without profile keys is refused before anything is sent or written.
TEST(Voltranectl, FileThatIsNotAProfileIsRefused) {
    const std::vector<std::vector<std::string>> commands = {
        {"apply", "notes.ini"},
        {"encode", "notes.ini", "--settings", "s.bin", "--buttons", "b.bin"},
    };
    for (std::vector<std::string> args : commands) {
        SCOPED_TRACE(args[0]);
        Tool tool;
        WriteBytes(tool.Path("notes.ini"), "just some notes\n");
        for (std::size_t i = 1; i < args.size(); i += 2) args[i] = tool.Path(args[i]);
        EXPECT_EQ(tool.Run({"--dir", tool.Path("")}, args), kExitUsage);
        EXPECT_NE(tool.err.str().find("notes.ini: not a profile"), std::string::npos) << tool.err.str();
        EXPECT_EQ(tool.mouse.SendCount(), 0);
        EXPECT_FALSE(std::filesystem::exists(tool.Path("s.bin")));
    }
}

// No output may overwrite another: two that are one file are refused before the mouse is read or
// anything is written.
TEST(Voltranectl, OutputsThatAreOneFileAreRefused) {
    struct Case {
        const char* name;
        std::vector<std::string> args;  // names inside the tool's folder start with '@'
        int code;
    };
    const Case cases[] = {
        {"profile is the macro file", {"read", "--profile", "@m.mac", "--macros", "@m.mac"}, 2},
        {"profile is the name file", {"read", "--profile", "@m.name", "--macros", "@m.mac"}, 2},
        {"macro file is its own name file", {"read", "--macros", "@x.name"}, 2},
        {"the same file through '..'", {"read", "--profile", "@sub/../m.mac", "--macros", "@m.mac"}, 2},
        {"the same file through a link", {"read", "--profile", "@link.ini", "--macros", "@m.mac"}, 2},
        {"three files", {"read", "--profile", "@p.ini", "--macros", "@m.mac"}, 0},
        {"settings are the buttons",
         {"encode", "@in.ini", "--settings", "@m.mac", "--buttons", "@sub/../m.mac"},
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Tool tool;
        std::filesystem::create_directory(tool.Path("sub"));
        ASSERT_TRUE(SaveProfile(defaults(), tool.Path("in.ini"), "", kEnglish));
        for (const char* name : {"m.mac", "m.name", "x.name"}) WriteBytes(tool.Path(name), "old");
        std::filesystem::create_symlink(tool.Path("m.mac"), tool.Path("link.ini"));
        std::vector<std::string> args = c.args;
        for (std::string& arg : args) {
            if (arg[0] == '@') arg = tool.Path(arg.substr(1));
        }
        EXPECT_EQ(tool.Run(args), c.code) << tool.err.str();
        if (c.code == 0) continue;
        EXPECT_NE(tool.err.str().find("are the same file"), std::string::npos) << tool.err.str();
        EXPECT_EQ(tool.mouse.FetchCount(), 0);
        for (const char* name : {"m.mac", "m.name", "x.name"}) EXPECT_EQ(tool.Read(name), "old") << name;
    }
}

// Profiles carry the functions of buttons 2-7 (buttons 8-10 have no profile key): each code on each
// of them goes through encode, apply to the virtual mouse and read, and comes back as the code the
// mouse can tell apart.
TEST(Voltranectl, ProfileFunctionsRoundTripThroughTheMouse) {
    for (int shift = 0; shift < kFunctionLast; ++shift) {
        SCOPED_TRACE(shift);
        Tool tool;
        MouseSetting s = defaults();
        for (int b = 1; b <= 6; ++b) {
            s.m_nItem[b] = (shift + b) % kFunctionLast + 1;
            s.m_KeyData[b][0] = 58;  // LShift+Q: no shortcut has it
            s.m_KeyData[b][1] = 32;
            if (s.m_nItem[b] == kFunctionMacro) giveMacro(s, b);
        }
        ASSERT_TRUE(SaveProfile(s, tool.Path("in.ini"), "", kEnglish));
        ASSERT_EQ(tool.Run({"encode", tool.Path("in.ini"), "--settings", tool.Path("s.bin"), "--buttons",
                            tool.Path("b.bin")}),
                  0)
            << tool.err.str();
        ASSERT_EQ(tool.Run({"--dir", tool.Path(""), "apply", tool.Path("in.ini")}), 0) << tool.err.str();
        const std::string state = tool.Read("state.bin");
        ASSERT_EQ(state.size(), VirtualMouse::kStateBytes);
        EXPECT_EQ(state.substr(0, 8), tool.Read("s.bin"));
        EXPECT_EQ(state.substr(8), tool.Read("b.bin"));
        EXPECT_EQ(tool.Read("download.bin"), tool.Read("b.bin"));

        ASSERT_EQ(tool.Run({"read", "--profile", tool.Path("out.ini"), "--macros", tool.Path("out.mac")}),
                  0);
        MouseSetting back;
        ASSERT_EQ(LoadProfile(back, tool.Path("out.ini"), kEnglish, 0), ProfileLoad::Loaded);
        auto store = std::make_unique<MacroStore>();
        ASSERT_EQ(ReadMacroFile(*store, tool.Path("out.mac")), MacroFileRead::Read);
        ReadMacroNames(*store, NameFileFor(tool.Path("out.mac")), kEnglish);
        uint32_t macros = 0;
        for (int b = 1; b <= 6; ++b) {
            SCOPED_TRACE(b);
            const int32_t code = s.m_nItem[b];
            const bool heading = code >= 9 && code <= 11;
            EXPECT_EQ(back.m_nItem[b], heading ? kFunctionDisable : code);
            if (code == kFunctionKeyboard) {
                EXPECT_EQ(back.m_KeyData[b][1], 32);
            }
            macros += code == kFunctionMacro;
        }
        ASSERT_EQ(store->m_nMacroCount, macros);
        if (macros == 1) {
            EXPECT_EQ(store->m_strMacroNames[0], u"Macro_1");
        }
    }
}

// The mouse is plugged in, but the system refuses this user its node (no udev rule).
void denyVendorNode(Tool& t) {
    t.transport = [&t] { return std::make_unique<DenyingTransport>(t.mouse, VirtualMouse::kVendorPath); };
}

TEST(Voltranectl, DeviceFaultsGiveTheirExitCodes) {
    struct Case {
        const char* name;
        std::function<void(Tool&)> fault;
        std::vector<std::string> command;
        int code;
    };
    const Case cases[] = {
        {"Absent", [](Tool& t) { t.mouse.SetPresent(false); }, {"apply", "in.ini"}, 3},
        {"Done", [](Tool&) {}, {"apply", "in.ini"}, 0},
        {"AbsentRead", [](Tool& t) { t.mouse.SetPresent(false); }, {"read"}, 3},
        {"SettingsRefused", [](Tool& t) { t.mouse.RefuseNextSends(5); }, {"apply", "in.ini"}, 4},
        {"ReadBackFails", [](Tool& t) { t.mouse.FailNextFetches(1); }, {"apply", "in.ini"}, 5},
        {"SettingsFetchFails", [](Tool& t) { t.mouse.FailNextFetches(1); }, {"read"}, 5},
        {"NoButtonCollection", [](Tool& t) { t.mouse.SetButtonCollection(false); }, {"apply", "in.ini"}, 6},
        {"NoButtonCollectionRead", [](Tool& t) { t.mouse.SetButtonCollection(false); }, {"read"}, 6},
        {"ButtonsRefused",
         [](Tool& t) {
             t.transport = [&t] {
                 return std::make_unique<RefusingTransport>(t.mouse, kButtonReportId, 5);
             };
         },
         {"apply", "in.ini"},
         7},
        {"ButtonFetchFailsRead",
         [](Tool& t) {
             t.transport = [&t] {
                 return std::make_unique<RefusingTransport>(t.mouse, kButtonReportId, 0, 1);
             };
         },
         {"read"},
         7},
        {"NoTransport", [](Tool& t) { t.transport = [] { return nullptr; }; }, {"read"}, 3},
        {"AccessDenied", denyVendorNode, {"apply", "in.ini"}, 9},
        {"AccessDeniedRead", denyVendorNode, {"read"}, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Tool tool;
        ASSERT_TRUE(SaveProfile(defaults(), tool.Path("in.ini"), "", kEnglish));
        c.fault(tool);
        std::vector<std::string> args = c.command;
        if (args.size() > 1) args[1] = tool.Path(args[1]);
        EXPECT_EQ(tool.Run({"--dir", tool.Path("")}, args), c.code);
        EXPECT_EQ(tool.err.str().empty(), c.code == 0) << tool.err.str();
    }
}

// A desktop that took only some of the host settings, or none.
class PartialHost final : public HostPointer {
public:
    HostApplyReport Apply(const HostPointerValues&) override {
        HostApplyReport report;
        report.Add("kdeglobals [KDE] DoubleClickInterval", "");
        report.Add("kcminputrc [Mouse] XLbInptPointerAcceleration", "Not a directory");
        return report;
    }
    std::optional<HostPointerValues> Read() override { return std::nullopt; }
    std::string Name() const override { return "plasma (test)"; }
};

// With --host desktop the tool names the backend it used and warns of what the desktop did not take;
// the exit status is the mouse's.
TEST(Voltranectl, HostSettingsAreNamedAndTheirFailuresWarned) {
    struct Case {
        const char* name;
        std::function<std::unique_ptr<HostPointer>()> host;
        std::vector<std::string> global;
        std::string err;  // the whole of standard error
    };
    const auto refusing = [] {
        auto host = std::make_unique<MemoryHostPointer>();
        host->SetRefuseApply(true);
        return host;
    };
    const Case cases[] = {
        {"Taken",
         [] { return std::make_unique<MemoryHostPointer>(); },
         {"--host", "desktop"},
         "voltranectl: host settings: memory\n"},
        {"Refused",
         refusing,
         {"--host", "desktop"},
         "voltranectl: host settings: memory\n"
         "voltranectl: warning: host settings not written: memory: the desktop refused the values\n"},
        {"Partial",
         [] { return std::make_unique<PartialHost>(); },
         {"--host", "desktop"},
         "voltranectl: host settings: plasma (test)\n"
         "voltranectl: warning: host settings partly written; not written: kcminputrc [Mouse] "
         "XLbInptPointerAcceleration: Not a directory; written: kdeglobals [KDE] DoubleClickInterval\n"},
        {"UnknownDesktop",
         [] { return std::make_unique<NullHostPointer>("desktop sway: not supported"); },
         {"--host", "desktop"},
         "voltranectl: host settings: none\n"
         "voltranectl: warning: host settings not written: desktop sway: not supported\n"},
        {"NotAsked", refusing, {"--host", "none"}, ""},
    };
    for (const Case& c : cases) {
        for (const char* command : {"apply", "read"}) {
            SCOPED_TRACE(testing::Message() << c.name << " " << command);
            Tool tool;
            ASSERT_TRUE(SaveProfile(defaults(), tool.Path("in.ini"), "", kEnglish));
            tool.desktopHost = c.host;
            std::vector<std::string> args = {command};
            if (args[0] == "apply") args.push_back(tool.Path("in.ini"));
            EXPECT_EQ(tool.Run(c.global, args), kExitDone);
            // A read leaves the desktop's settings alone, so it has nothing to report about them.
            EXPECT_EQ(tool.err.str(), args[0] == "apply" ? c.err : "");
        }
    }
}

TEST(Voltranectl, RefusedAccessNamesTheNodeAndTheRule) {
    for (const char* command : {"apply", "read"}) {
        SCOPED_TRACE(command);
        Tool tool;
        ASSERT_TRUE(SaveProfile(defaults(), tool.Path("in.ini"), "", kEnglish));
        denyVendorNode(tool);
        std::vector<std::string> args = {command};
        if (args[0] == "apply") args.push_back(tool.Path("in.ini"));
        EXPECT_EQ(tool.Run(args), kExitAccessDenied);
        const std::string err = tool.err.str();
        EXPECT_NE(err.find(VirtualMouse::kVendorPath), std::string::npos) << err;
        EXPECT_NE(err.find("Permission denied"), std::string::npos) << err;
        EXPECT_NE(err.find("70-voltrane.rules"), std::string::npos) << err;
    }
}

// Without --dir, apply leaves its copy of the button report in the tool's own folder.
TEST(Voltranectl, ApplyWritesTheCopyIntoTheProgramDirectory) {
    Tool tool;
    ASSERT_TRUE(SaveProfile(defaults(), tool.Path("in.ini"), "", kEnglish));
    ASSERT_EQ(tool.Run({"apply", tool.Path("in.ini")}), 0) << tool.err.str();
    EXPECT_EQ(tool.Read("download.bin").size(), static_cast<std::size_t>(kButtonReportLength));
}

// A profile read from a factory mouse is what that mouse holds: verify finds no difference and
// applying it sends the mouse what it already has (Breathing and the LEDs included).
TEST(Voltranectl, ProfileReadFromTheMouseVerifiesAndAppliesUnchanged) {
    Tool tool;
    const VirtualMouse::State state = FactoryState();
    const std::string factory(state.begin(), state.end());
    ASSERT_EQ(tool.Run({"read", "--profile", tool.Path("p.ini")}), 0) << tool.err.str();
    EXPECT_EQ(tool.Run({"verify", tool.Path("p.ini")}), 0) << tool.out.str();
    ASSERT_EQ(tool.Run({"--dir", tool.Path(""), "apply", tool.Path("p.ini")}), 0) << tool.err.str();
    EXPECT_EQ(tool.Read("state.bin"), factory);
}

// A virtual mouse whose state file is damaged is not taken for a factory-new one: a profile of
// factory values does not verify, and every command names the file and what is wrong with it.
TEST(Voltranectl, DamagedStateFileIsNamedNotReadAsFactoryState) {
    struct Case {
        const char* name;
        std::string state;
        const char* wrong;
    };
    const Case cases[] = {
        {"Empty", "", "it holds 0 bytes, not 2057"},
        {"Hundred", std::string(100, 'x'), "it holds 100 bytes, not 2057"},
        {"Twice", std::string(4114, '\3'), "it holds 4114 bytes, not 2057"},
        {"Noise", std::string(2057, '\x5A'), "byte 0 must be report ID 3 and byte 8 report ID 4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Tool tool;
        ASSERT_TRUE(SaveProfile(defaults(), tool.Path("p.ini"), "", kEnglish));
        const std::filesystem::path state = tool.dir.path() / "damaged.bin";
        std::ofstream(state, std::ios::binary) << c.state;
        VirtualMouse damaged(FactoryState(), state);
        tool.transport = [&] { return std::make_unique<RefusingTransport>(damaged, 0, 0); };
        for (const std::string command : {"verify", "apply"}) {
            SCOPED_TRACE(command);
            EXPECT_EQ(tool.Run({command, tool.Path("p.ini")}), kExitMouseNotFound);
            EXPECT_NE(
                tool.err.str().find("voltranectl: virtual:hidraw1 could not be opened: the virtual mouse's "
                                    "state file " +
                                    state.string() + " is damaged: " + c.wrong +
                                    "; remove it to start from the factory state\n"),
                std::string::npos)
                << tool.err.str();
            EXPECT_EQ(tool.out.str(), "");
        }
        EXPECT_EQ(ReadBytes(state), c.state);
    }
}

// A state file that cannot be written (its folder went away after the start) is named with the
// system's reason, not only as five refusals.
TEST(Voltranectl, UnwritableStateFileIsNamed) {
    Tool tool;
    ASSERT_TRUE(SaveProfile(defaults(), tool.Path("p.ini"), "", kEnglish));
    const std::filesystem::path folder = tool.dir.path() / "gone";
    std::filesystem::create_directory(folder);
    VirtualMouse mouse(FactoryState(), folder / "state.bin");
    std::filesystem::remove(folder);
    tool.transport = [&] { return std::make_unique<RefusingTransport>(mouse, 0, 0); };
    EXPECT_EQ(tool.Run({"apply", tool.Path("p.ini")}), kExitSettingsRefused);
    EXPECT_NE(
        tool.err.str().find("voltranectl: the mouse refused the settings report five times: cannot write "
                            "the virtual mouse's state file " +
                            (folder / "state.bin").string() + ": No such file or directory\n"),
        std::string::npos)
        << tool.err.str();
}

// A profile read from the mouse carries the mouse's macros, so applying it gives them back.
TEST(Voltranectl, ReadThenApplyKeepsTheMacros) {
    Tool tool;
    MouseSetting s = defaults();
    s.m_nItem[2] = kFunctionMacro;
    giveMacro(s, 2);
    ASSERT_TRUE(SaveProfile(s, tool.Path("in.ini"), "", kEnglish));
    ASSERT_EQ(tool.Run({"--dir", tool.Path(""), "apply", tool.Path("in.ini")}), 0);
    const std::string applied = tool.Read("state.bin");

    ASSERT_EQ(tool.Run({"read", "--profile", tool.Path("back.ini"), "--json"}), 0);
    EXPECT_NE(tool.out.str().find("\"macro_data_len\": [0, 0, 20, 0,"), std::string::npos)
        << tool.out.str();
    EXPECT_NE(tool.out.str().find("\"button_macro\": [\"\", \"\", \"Macro_1\", \"\""), std::string::npos);
    ASSERT_EQ(tool.Run({"--dir", tool.Path(""), "apply", tool.Path("back.ini")}), 0);
    EXPECT_EQ(tool.Read("state.bin"), applied);
}

TEST(Voltranectl, DeviceVariableSelectsTheMouseWithoutDeviceOption) {
    Tool tool;
    std::vector<DeviceKind> seen;
    const std::string state = tool.Path("env.bin");
    std::ostringstream out, err;
    CliEnvironment env{out,
                       err,
                       [&](const DeviceSelection& selection) {
                           seen.push_back(selection.kind);
                           return std::unique_ptr<HidTransport>();
                       },
                       [] { return std::unique_ptr<HostPointer>(); },
                       tool.sleeper,
                       tool.dir.path(),
                       nullptr};
    const std::string variable = "virtual:" + state;
    env.deviceVariable = variable.c_str();
    RunVoltraneCtl(std::vector<std::string>{"read"}, env);
    RunVoltraneCtl(std::vector<std::string>{"--device", "hid", "read"}, env);
    env.deviceVariable = nullptr;
    RunVoltraneCtl(std::vector<std::string>{"read"}, env);
    EXPECT_EQ(seen, (std::vector<DeviceKind>{DeviceKind::Virtual, DeviceKind::Real, DeviceKind::Real}));
}

// A virtual mouse whose state file has no folder to go into: said at once, not after five refused
// sends.
TEST(Voltranectl, StateFileInAMissingFolderIsReported) {
    Tool tool;
    ASSERT_TRUE(SaveProfile(defaults(), tool.Path("in.ini"), "", kEnglish));
    CliEnvironment env{tool.out,
                       tool.err,
                       [](const DeviceSelection& selection) {
                           return std::make_unique<VirtualMouse>(FactoryState(), selection.statePath);
                       },
                       [] { return std::unique_ptr<HostPointer>(); },
                       tool.sleeper,
                       tool.dir.path()};
    const std::string state = tool.Path("missing/state.bin");
    for (const std::string command : {"apply", "read"}) {
        SCOPED_TRACE(command);
        std::vector<std::string> args = {"--device", "virtual:" + state, "--dir", tool.Path(""), command};
        if (command == "apply") args.push_back(tool.Path("in.ini"));
        tool.err.str("");
        EXPECT_EQ(RunVoltraneCtl(args, env), kExitUsage);
        EXPECT_NE(tool.err.str().find(state + ": the virtual mouse's state file cannot be written"),
                  std::string::npos)
            << tool.err.str();
        EXPECT_TRUE(tool.sleeper.waits.empty());
        EXPECT_FALSE(std::filesystem::exists(tool.Path("missing")));
    }
}

TEST(Voltranectl, DecodePrintsTheRecord) {
    Tool tool;
    EXPECT_EQ(tool.Run({"decode", "--json"}), 0);
    const std::string json = tool.out.str();
    EXPECT_EQ(json.rfind("{\"items\": [1, 2, 3, 5, 4, 24, 25, 22, 23, 28, 0, ", 0), 0u) << json;
    EXPECT_NE(json.find("\"macro_data_len\": [0, 0, 0, 0, 0, 0, 0, 0, 0, 0], \"button_macro\": [\"\", "),
              std::string::npos);
    EXPECT_NE(json.find("\"macros\": []}"), std::string::npos);

    MouseSetting s = defaults();
    s.m_nItem[2] = kFunctionMacro;
    giveMacro(s, 2);
    s.m_nItem[3] = kFunctionKeyboard;
    s.m_KeyData[3][0] = 70;
    s.m_KeyData[3][1] = 32;  // LCtrl+Q: no shortcut
    ASSERT_TRUE(SaveProfile(s, tool.Path("in.ini"), "", kEnglish));
    ASSERT_EQ(tool.Run({"encode", tool.Path("in.ini"), "--settings", tool.Path("s.bin"), "--buttons",
                        tool.Path("b.bin")}),
              0);
    EXPECT_EQ(tool.Run({"decode", "--buttons", tool.Path("b.bin"), "--json"}), 0);
    EXPECT_NE(
        tool.out.str().find("\"macros\": [{\"name\": \"Macro_1\", \"count\": 2, \"length\": 8, \"steps\": "
                            "[[6, 46, 0, 0, 0, 0, 0, 0, 0, 0, 0], [18, 46, 0, 0, 0, 0, 0, 0, 0, 0, 0]]}]}"),
        std::string::npos)
        << tool.out.str();
    EXPECT_EQ(tool.Run({"decode", "--buttons", tool.Path("b.bin")}), 0);
    EXPECT_NE(tool.out.str().find("Button 3: Macro\n"), std::string::npos) << tool.out.str();
    EXPECT_NE(tool.out.str().find("Button 4: Keyboard LCtrl+Q\n"), std::string::npos);
    EXPECT_NE(tool.out.str().find("    Key Down A\n    Key Up A\n"), std::string::npos);

    // A file that is not there is the factory state, like the virtual mouse's state file.
    EXPECT_EQ(tool.Run({"decode", "--buttons", tool.Path("none.bin")}), 0);
    EXPECT_NE(tool.out.str().find("Button 3: MID\n"), std::string::npos) << tool.out.str();
    EXPECT_EQ(tool.Run({"decode", "--settings", tool.Path("b.bin")}),
              2);  // 2049 bytes are no settings report
    EXPECT_EQ(tool.Run({"decode", "--buttons", tool.Path("s.bin")}), 2);
}

// verify: the mouse holds the "applied" profile; each case changes what the verified profile says.
TEST(Voltranectl, VerifyListsEveryDifference) {
    struct Case {
        const char* name;
        std::function<void(MouseSetting&)> change;
        int code;
        std::string out;  // the lines after the first
    };
    const Case cases[] = {
        {"Same", [](MouseSetting&) {}, 0, ""},
        {"Dpi", [](MouseSetting& s) { s.m_nItem[kItemDpi] = 4; }, 10, "  DPI level: mouse 1; profile 4\n"},
        {"Rate",
         [](MouseSetting& s) {
             std::fill(s.m_nItem + kItemRate125, s.m_nItem + kItemRate1000 + 1, 0);
             s.m_nItem[kItemRate125 + 1] = 1;
         },
         10, "  Report rate: mouse 500 Hz; profile 250 Hz\n"},
        {"ColourShift", [](MouseSetting& s) { s.m_nItem[kItemColorShift] = 1; }, 10,
         "  Lighting: mouse single colour, breathing on; profile colour shift, breathing on\n"},
        {"Keyboard",
         [](MouseSetting& s) {
             s.m_nItem[3] = kFunctionKeyboard;
             s.m_KeyData[3][0] = 70;
             s.m_KeyData[3][1] = 32;
         },
         10, "  Button 4: mouse Macro (2 records); profile Keyboard LCtrl+Q\n"},
        {"OtherMacroSameLength", [](MouseSetting& s) { s.m_MacroData[3][2] = 0x05; }, 10,
         "  Button 4: mouse Macro (2 records), other records; profile Macro (2 records)\n"},
        {"DisabledAndDoubleClick",
         [](MouseSetting& s) {
             s.m_nItem[1] = kFunctionDisable;
             s.m_nItem[4] = kFunctionDoubleClick;
         },
         10, "  Button 2: mouse RIGHT; profile Disable\n  Button 5: mouse Backward; profile DoubleClick\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Tool tool;
        MouseSetting s = defaults();
        s.m_nItem[3] = kFunctionMacro;
        giveMacro(s, 3);
        // Breathing and the green LED on, so that colour shift changes the lighting byte alone.
        s.m_nItem[kItemBreathing] = 1;
        s.m_nItem[kLampItems[2].off] = 0;
        s.m_nItem[kLampItems[2].on] = 1;
        ASSERT_TRUE(SaveProfile(s, tool.Path("applied.ini"), "", kEnglish));
        ASSERT_EQ(tool.Run({"--dir", tool.Path(""), "apply", tool.Path("applied.ini")}), 0);
        const std::string state = tool.Read("state.bin");
        std::filesystem::remove(tool.Path("download.bin"));
        c.change(s);
        ASSERT_TRUE(SaveProfile(s, tool.Path("p.ini"), "", kEnglish));
        const int sends = tool.mouse.SendCount();
        EXPECT_EQ(tool.Run({"--dir", tool.Path(""), "verify", tool.Path("p.ini")}), c.code)
            << tool.err.str();
        const std::string first = c.out.empty() ? "The mouse holds " + tool.Path("p.ini") + ".\n"
                                                : "The mouse differs from " + tool.Path("p.ini") + " in ";
        EXPECT_EQ(tool.out.str().rfind(first, 0), 0u) << tool.out.str();
        EXPECT_EQ(tool.out.str().substr(tool.out.str().find('\n') + 1), c.out);
        EXPECT_TRUE(tool.err.str().empty()) << tool.err.str();
        // Nothing was written: not the mouse, not the program directory.
        EXPECT_EQ(tool.mouse.SendCount(), sends);
        EXPECT_EQ(tool.Read("state.bin"), state);
        EXPECT_FALSE(std::filesystem::exists(tool.Path("download.bin")));
    }
}

TEST(Voltranectl, VerifyJsonAndFailures) {
    struct Case {
        const char* name;
        std::function<void(Tool&)> fault;
        std::vector<std::string> args;  // "@" is the profile
        int code;
        std::string out;
        std::string err;
    };
    const Case cases[] = {
        {"JsonAgree",
         [](Tool&) {},
         {"verify", "@", "--json"},
         0,
         "{\"agree\": true, \"differences\": []}\n",
         ""},
        {"JsonDiffers",
         [](Tool& t) { t.mouse.SetPresent(true); },
         {"verify", "@dpi", "--json"},
         10,
         "{\"agree\": false, \"differences\": [{\"field\": \"dpi_level\", \"mouse\": \"1\", \"profile\": "
         "\"4\"}]}\n",
         ""},
        {"Absent", [](Tool& t) { t.mouse.SetPresent(false); }, {"verify", "@"}, 3, "", "mouse not found"},
        {"AccessDenied", denyVendorNode, {"verify", "@"}, 9, "", "install the udev rule"},
        {"NoButtonCollection",
         [](Tool& t) { t.mouse.SetButtonCollection(false); },
         {"verify", "@"},
         6,
         "",
         "button collection was not found"},
        {"NotAProfile", [](Tool&) {}, {"verify", "@notes"}, 2, "", "not a profile"},
        {"NoProfile", [](Tool&) {}, {"verify"}, 2, "", "verify: wrong number of arguments"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Tool tool;
        MouseSetting s = defaults();
        ASSERT_TRUE(SaveProfile(s, tool.Path("p.ini"), "", kEnglish));
        s.m_nItem[kItemDpi] = 4;
        ASSERT_TRUE(SaveProfile(s, tool.Path("pdpi.ini"), "", kEnglish));
        WriteBytes(tool.Path("pnotes.ini"), "just some notes\n");
        ASSERT_EQ(tool.Run({"--dir", tool.Path(""), "apply", tool.Path("p.ini")}), 0);
        c.fault(tool);
        std::vector<std::string> args = c.args;
        for (std::string& arg : args) {
            if (arg[0] == '@') arg = tool.Path("p" + arg.substr(1) + ".ini");
        }
        EXPECT_EQ(tool.Run({"--host", "desktop"}, args), c.code);
        EXPECT_EQ(tool.out.str(), c.out);
        EXPECT_NE(tool.err.str().find(c.err), std::string::npos) << tool.err.str();
    }
}

// Counts what is asked of the desktop's pointer settings.
class CountingHost final : public HostPointer {
public:
    explicit CountingHost(int& calls) : m_calls(calls) {}
    HostApplyReport Apply(const HostPointerValues&) override {
        ++m_calls;
        return {};
    }
    std::optional<HostPointerValues> Read() override {
        ++m_calls;
        return std::nullopt;
    }
    std::string Name() const override { return "counting"; }

private:
    int& m_calls;
};

// The desktop's pointer settings are neither read nor written by verify.
TEST(Voltranectl, VerifyLeavesTheDesktopAlone) {
    Tool tool;
    int calls = 0;
    tool.desktopHost = [&calls] { return std::make_unique<CountingHost>(calls); };
    ASSERT_TRUE(SaveProfile(defaults(), tool.Path("p.ini"), "", kEnglish));
    for (const char* profile : {"p.ini", "missing.ini"}) {
        SCOPED_TRACE(profile);
        tool.Run({"--host", "desktop", "verify", tool.Path(profile)});
        EXPECT_EQ(calls, 0);
    }
}

// Reports that differ only where no button's records are: one difference names the first such byte.
TEST(VerifyComparison, LayoutOnlyDifferences) {
    struct Case {
        const char* name;
        int offset;  // a byte of the mouse's button report to change
        uint8_t value;
        std::vector<std::string> fields;
    };
    const Case cases[] = {
        {"PaddingAfterTheRecords", 2000, 0x01, {"button_layout"}},
        {"ButtonOnesEntry", 1, 0x30, {"button_layout"}},
        {"RecordWithAnotherButtonsNumber", 49, 0x23, {"button_2"}},
        {"NoRecordsEntry", 3, 0xFF, {"button_2"}},
    };
    MouseSetting s = defaults();
    const ReportPair profile{BuildSettingsReport(s), BuildButtonReport(s).report};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ReportPair mouse = profile;
        mouse.buttons[c.offset] = c.value;
        std::vector<std::string> fields;
        for (const ReportDifference& d : CompareReports(mouse, profile)) fields.push_back(d.field);
        EXPECT_EQ(fields, c.fields);
    }
    EXPECT_TRUE(CompareReports(profile, profile).empty());
}

// Two identical mice, A1 and B2, on one system beside the tool's own mouse directory.
struct TwoMice {
    explicit TwoMice(Tool& tool)
        : first(FactoryState(), tool.dir.path() / "a1.bin"),
          second(FactoryState(), tool.dir.path() / "b2.bin") {
        tool.transport = [this] {
            auto rack = std::make_unique<MouseRack>();
            rack->Add("A1", first);
            rack->Add("B2", second);
            return rack;
        };
    }
    VirtualMouse first;
    VirtualMouse second;
};

// Without a choice, a command that talks to the mouse refuses and lists the mice instead of working on
// whichever came first; nothing reaches either mouse.
TEST(Voltranectl, SeveralMiceWithoutAChoiceAreListed) {
    for (const char* command : {"apply", "read", "verify"}) {
        SCOPED_TRACE(command);
        Tool tool;
        TwoMice mice(tool);
        ASSERT_TRUE(SaveProfile(defaults(), tool.Path("in.ini"), "", kEnglish));
        std::vector<std::string> args = {"--dir", tool.Path(""), command};
        if (std::string(command) != "read") args.push_back(tool.Path("in.ini"));
        EXPECT_EQ(tool.Run(args), kExitMouseAmbiguous);
        EXPECT_EQ(
            tool.err.str(),
            "voltranectl: 2 mice are plugged in; choose one with --device hid:SERIAL or --device NODE:\n"
            "  serial A1: /rack/A1/virtual:hidraw0 /rack/A1/virtual:hidraw1\n"
            "  serial B2: /rack/B2/virtual:hidraw0 /rack/B2/virtual:hidraw1\n");
        EXPECT_EQ(mice.first.SendCount() + mice.first.FetchCount(), 0);
        EXPECT_EQ(mice.second.SendCount() + mice.second.FetchCount(), 0);
    }
}

// A serial number or a node of the mouse chooses it; apply then leaves the other mouse's reports as
// they were.
TEST(Voltranectl, ChosenMouseAloneIsApplied) {
    struct Row {
        const char* name;
        std::vector<std::string> device;
        bool second;  // whether the choice is mouse B2
    };
    const Row rows[] = {
        {"SerialOfSecond", {"--device", "hid:B2"}, true},
        {"SerialOfFirst", {"--device=hid:A1"}, false},
        {"PointerNodeOfSecond", {"--device", "/rack/B2/virtual:hidraw0"}, true},
        {"VendorNodeOfFirst", {"--device", "hid:/rack/A1/virtual:hidraw1"}, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Tool tool;
        TwoMice mice(tool);
        MouseSetting s = defaults();
        s.m_nItem[5] = kFunctionDisable;
        ASSERT_TRUE(SaveProfile(s, tool.Path("in.ini"), "", kEnglish));
        ASSERT_EQ(tool.Run({"encode", tool.Path("in.ini"), "--settings", tool.Path("s.bin"), "--buttons",
                            tool.Path("b.bin")}),
                  0);
        const VirtualMouse::State factory = FactoryState();
        ASSERT_EQ(tool.Run(row.device, {"--dir", tool.Path(""), "apply", tool.Path("in.ini")}), 0)
            << tool.err.str();

        const VirtualMouse& chosen = row.second ? mice.second : mice.first;
        const VirtualMouse& other = row.second ? mice.first : mice.second;
        const std::string reports(chosen.Reports().begin(), chosen.Reports().end());
        EXPECT_EQ(reports, tool.Read("s.bin") + tool.Read("b.bin"));
        EXPECT_EQ(other.Reports(), factory);
        EXPECT_EQ(other.SendCount(), 0);
        EXPECT_EQ(tool.Run(row.device, {"verify", tool.Path("in.ini")}), 0) << tool.out.str();
    }
}

TEST(Voltranectl, ChoiceOfAMouseNotPresent) {
    for (const char* device : {"hid:C3", "/dev/hidraw9"}) {
        SCOPED_TRACE(device);
        Tool tool;
        TwoMice mice(tool);
        EXPECT_EQ(tool.Run({"--device", device, "read"}), kExitMouseNotFound);
        EXPECT_EQ(mice.first.FetchCount() + mice.second.FetchCount(), 0);
    }
}

TEST(Voltranectl, DevicesListsEveryMouseWithItsSerial) {
    Tool tool;
    TwoMice mice(tool);
    ASSERT_EQ(tool.Run({"devices"}), 0) << tool.err.str();
    const std::string out = tool.out.str();
    for (const char* serial : {"A1", "B2"}) {
        SCOPED_TRACE(serial);
        const std::string vendorNode =
            std::string("/rack/") + serial + "/virtual:hidraw1 1B80:B412 serial=" + serial;
        const std::size_t at = out.find(vendorNode);
        ASSERT_NE(at, std::string::npos) << out;
        const std::size_t next = out.find("/rack/", at + 1);
        const std::string block = out.substr(at, next == std::string::npos ? std::string::npos : next - at);
        EXPECT_NE(block.find("feature=8  <- settings collection"), std::string::npos) << block;
        EXPECT_NE(block.find("feature=2049  <- button collection"), std::string::npos) << block;
    }
}

TEST(Voltranectl, Collections) {
    Tool tool;
    const std::string descriptors = std::string(VOLTRANE_SOURCE_DIR) + "/tests/data/hid-descriptors/";
    ASSERT_EQ(tool.Run({"collections", descriptors + "046D_C52F_0001_FF00.bin"}), 0);
    EXPECT_NE(tool.out.str().find("usage_page=0xFF00 usage=0x0001 input=7 output=7 feature=0\n"),
              std::string::npos)
        << tool.out.str();
}

TEST(Voltranectl, DevicesMarksTheMouseCollections) {
    Tool tool;
    ASSERT_EQ(tool.Run({"--device", "virtual", "devices"}), 0);
    const std::string out = tool.out.str();
    EXPECT_NE(out.find("1B80:B412"), std::string::npos);
    EXPECT_NE(out.find("feature=8  <- settings collection"), std::string::npos) << out;
    EXPECT_NE(out.find("feature=2049  <- button collection"), std::string::npos) << out;
}

// Hands out a fixed list of notices, then reports that no more can come.
// Plays `events`, then stops. `startFailure` is a source that could not start; `endFailure` the
// reason it gives once the events are played.
class ScriptedEvents final : public DeviceEventSource {
public:
    explicit ScriptedEvents(std::vector<DeviceEvent> events, std::string startFailure = {},
                            std::string endFailure = {})
        : m_events(std::move(events)),
          m_startFailure(std::move(startFailure)),
          m_endFailure(std::move(endFailure)) {}
    std::optional<DeviceEvent> Wait() override {
        m_ended = m_next == m_events.size();
        if (m_ended) return std::nullopt;
        return m_events[m_next++];
    }
    std::string Failure() const override {
        if (!m_startFailure.empty()) return m_startFailure;
        return m_ended ? m_endFailure : std::string();
    }

private:
    std::vector<DeviceEvent> m_events;
    std::string m_startFailure;
    std::string m_endFailure;
    size_t m_next = 0;
    bool m_ended = false;
};

TEST(Voltranectl, WatchPrintsTheMouseComingAndGoing) {
    using Kind = DeviceEvent::Kind;
    const std::string mouse = "/devices/virtual/misc/uhid/0003:1B80:B412.0001/hidraw/hidraw0";
    const std::string keyboard = "/devices/pci0000:00/usb1/1-1/1-1:1.0/0003:046D:C31C.0002/hidraw/hidraw1";
    const std::vector<DeviceEvent> events = {
        {Kind::Arrival, "/dev/hidraw1", keyboard}, {Kind::Arrival, "/dev/hidraw0", mouse},
        {Kind::Removal, "/dev/hidraw1", keyboard}, {Kind::Removal, "/dev/hidraw0", mouse},
        {Kind::Arrival, "/dev/hidraw0", mouse},
    };
    struct Case {
        std::vector<std::string> args;
        int code;
        const char* out;
        const char* err;
    };
    const Case cases[] = {
        {{"watch", "--count", "2"}, 0, "arrived /dev/hidraw0\ngone /dev/hidraw0\n", ""},
        {{"watch", "--count=1"}, 0, "arrived /dev/hidraw0\n", ""},
        {{"watch"},
         11,
         "arrived /dev/hidraw0\ngone /dev/hidraw0\narrived /dev/hidraw0\n",
         "voltranectl: udev's device monitor stopped\n"},
        {{"watch", "--count", "4"},
         11,
         "arrived /dev/hidraw0\ngone /dev/hidraw0\narrived /dev/hidraw0\n",
         "voltranectl: udev's device monitor stopped\n"},
    };
    Tool tool;
    tool.eventSource = [&] { return std::make_unique<ScriptedEvents>(events); };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.back());
        EXPECT_EQ(tool.Run(c.args), c.code);
        EXPECT_EQ(tool.out.str(), c.out);
        EXPECT_EQ(tool.err.str(), std::string("voltranectl: watching for the mouse\n") + c.err);
    }
}

// The monitor's own reason reaches the user, whether it could not start or stopped.
TEST(Voltranectl, WatchSaysWhyTheMonitorFailed) {
    struct Case {
        const char* name;
        std::string startFailure;
        std::string endFailure;
        const char* err;
    };
    const Case cases[] = {
        {"CannotStart", "cannot open udev's netlink socket: Too many open files", "",
         "voltranectl: cannot watch for the mouse: udev's device monitor cannot be reached (cannot open "
         "udev's netlink socket: Too many open files)\n"},
        {"Stopped", "", "cannot wait for udev's notices: Bad file descriptor",
         "voltranectl: watching for the mouse\nvoltranectl: udev's device monitor stopped (cannot wait for "
         "udev's notices: Bad file descriptor)\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Tool tool;
        tool.eventSource = [&] {
            return std::make_unique<ScriptedEvents>(std::vector<DeviceEvent>{}, c.startFailure,
                                                    c.endFailure);
        };
        EXPECT_EQ(tool.Run({"watch"}), 11);
        EXPECT_EQ(tool.err.str(), c.err);
        EXPECT_EQ(tool.out.str(), "");
    }
}

TEST(Voltranectl, WatchFailures) {
    struct Case {
        std::vector<std::string> args;
        int code;
        const char* err;
    };
    const Case cases[] = {
        {{"watch"},
         11,
         "voltranectl: cannot watch for the mouse: udev's device monitor cannot be reached\n"},
        {{"watch", "--count", "0"}, 2, "voltranectl: --count must be a whole number from 1\n"},
        {{"watch", "--count", "x"}, 2, "voltranectl: --count must be a whole number from 1\n"},
        {{"watch", "--count"}, 2, "voltranectl: option --count needs a value\n"},
        {{"watch", "now"}, 2, "voltranectl: watch: wrong number of arguments\n"},
        {{"read", "--count", "1"}, 2, "voltranectl: unknown option --count for read\n"},
    };
    Tool tool;  // no device monitor
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.back());
        EXPECT_EQ(tool.Run(c.args), c.code);
        EXPECT_EQ(tool.err.str().substr(0, tool.err.str().find('\n') + 1), c.err);
        EXPECT_EQ(tool.out.str(), "");
    }
}

}  // namespace
}  // namespace voltrane
