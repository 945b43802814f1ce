// GNOME's pointer settings through the real store: dconf behind a private session bus that the tests
// start and stop, with every configuration folder in a temporary one. In the process through the
// GSettings backend, and end to end through voltranectl with the store locked, unreachable or
// missing. Skipped where dbus-daemon, dconf or GNOME's schemas are not installed.

#define G_SETTINGS_ENABLE_BACKEND
#include <gio/gio.h>
#include <gio/gsettingsbackend.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "host/host_pointer_gsettings.h"
#include "host/program_run.h"
#include "settings/atomic_file.h"
#include "temp_dir.h"

namespace voltrane {
namespace {

constexpr const char* kSchema = "org.gnome.desktop.peripherals.mouse";
constexpr const char* kNoDconfCli = "the dconf tool is not installed (Debian: dconf-cli)";

// The private bus and the folders of the store, for the whole test program.
class DconfWorld : public testing::Environment {
public:
    void SetUp() override {
        if (FindProgram("dbus-daemon").empty())
            GTEST_SKIP() << "dbus-daemon is not installed (Debian: dbus-daemon)";
        std::filesystem::create_directories(Folder("runtime"));
        std::filesystem::permissions(Folder("runtime"), std::filesystem::perms::owner_all);
        g_setenv("XDG_CONFIG_HOME", Folder("config").c_str(), TRUE);
        g_setenv("XDG_CACHE_HOME", Folder("cache").c_str(), TRUE);
        g_setenv("XDG_RUNTIME_DIR", Folder("runtime").c_str(), TRUE);
        g_unsetenv("GSETTINGS_BACKEND");
        g_unsetenv("DCONF_PROFILE");
        m_bus = g_test_dbus_new(G_TEST_DBUS_NONE);
        g_test_dbus_add_service_dir(m_bus, "/usr/share/dbus-1/services");
        g_test_dbus_up(
            m_bus);  // starts dconf's service with the folders above; unsets XDG_RUNTIME_DIR here
        g_setenv("XDG_RUNTIME_DIR", Folder("runtime").c_str(), TRUE);  // where the service flags changes
        const char* store = G_OBJECT_TYPE_NAME(g_settings_backend_get_default());
        if (std::strcmp(store, "DConfSettingsBackend") != 0) {
            GTEST_SKIP() << "GSettings uses " << store << ", not dconf (Debian: dconf-gsettings-backend)";
        }
        if (!GSettingsHostPointer::Unavailable(kSchema).empty()) {
            GTEST_SKIP() << GSettingsHostPointer::Unavailable(kSchema)
                         << " (Debian: gsettings-desktop-schemas)";
        }
    }

    void TearDown() override {
        if (m_bus == nullptr) return;
        // The settings store keeps its connection to the end; its closing must not end the program.
        if (GDBusConnection* connection = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr)) {
            g_dbus_connection_set_exit_on_close(connection, FALSE);
            g_object_unref(connection);
        }
        g_test_dbus_stop(m_bus);
        g_object_unref(m_bus);
    }

    std::filesystem::path Folder(const char* name) const { return m_dir.path() / name; }

private:
    TempDir m_dir;
    GTestDBus* m_bus = nullptr;
};

DconfWorld* const kWorld = static_cast<DconfWorld*>(testing::AddGlobalTestEnvironment(new DconfWorld));

// What another program reading the store finds (dconf's own tool).
std::string dconfRead(const char* key) {
    const ProgramResult result =
        RunProgram({"dconf", "read", std::string("/org/gnome/desktop/peripherals/mouse/") + key});
    return result.out.substr(0, result.out.find('\n'));
}

TEST(DconfStore, TakesWhatTheBackendWritesAndOtherProgramsSeeIt) {
    TempDir config;
    GSettingsHostPointer host("gnome", kSchema, config.path());
    const HostPointerValues rows[] = {{1, false, 2, 900}, {20, false, 9, 200}, {11, false, 3, 650}};
    for (const HostPointerValues& row : rows) {
        SCOPED_TRACE(row.speed);
        const HostApplyReport report = host.Apply(row);
        EXPECT_EQ(report.failed, std::vector<std::string>{});
        EXPECT_EQ(report.written.size(), 3u);
        EXPECT_EQ(host.Read(), row);
        if (FindProgram("dconf").empty()) continue;
        EXPECT_EQ(dconfRead("double-click"), std::to_string(row.doubleClickMs));
    }
    EXPECT_TRUE(std::filesystem::exists(kWorld->Folder("config") / "dconf" / "user"));
    if (FindProgram("dconf").empty()) GTEST_SKIP() << kNoDconfCli;
}

// Variables of the environment changed for one run of a program, then restored.
class ScopedEnvironment {
public:
    explicit ScopedEnvironment(const std::map<std::string, std::string>& changes) {
        for (const auto& [name, value] : changes) {
            const char* old = g_getenv(name.c_str());
            m_saved[name] = old ? std::optional<std::string>(old) : std::nullopt;
            g_setenv(name.c_str(), value.c_str(), TRUE);
        }
    }
    ~ScopedEnvironment() {
        for (const auto& [name, value] : m_saved) {
            if (value) {
                g_setenv(name.c_str(), value->c_str(), TRUE);
            } else {
                g_unsetenv(name.c_str());
            }
        }
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::map<std::string, std::optional<std::string>> m_saved;
};

// voltranectl run as its own process against the virtual mouse, on GNOME.
class VoltranectlOnGnome : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(run({}, {"--host", "none", "read", "--profile", path("p.ini")}).exitCode, 0);
    }

    // Runs the tool with the test's environment changed by `env`.
    ProgramResult run(std::map<std::string, std::string> env, const std::vector<std::string>& args) {
        std::vector<std::string> argv = {VOLTRANECTL, "--device", "virtual:" + path("mouse.bin"), "--dir",
                                         m_dir.path().string()};
        argv.insert(argv.end(), args.begin(), args.end());
        env.emplace("XDG_CURRENT_DESKTOP", "GNOME");
        const ScopedEnvironment changed(env);
        return RunProgram(argv);
    }

    std::string path(const char* name) const { return (m_dir.path() / name).string(); }

    // Values no profile applies, so that an apply the store did not take shows.
    static void setOtherValues() {
        GSettings* mouse = g_settings_new(kSchema);
        g_settings_set_double(mouse, "speed", 0.75);
        g_settings_set_int(mouse, "double-click", 1234);
        g_settings_sync();
        g_object_unref(mouse);
    }

    TempDir m_dir;
};

TEST_F(VoltranectlOnGnome, WarnsOfWhatTheStoreDidNotTake) {
    const std::filesystem::path folder = m_dir.path() / "folders";
    std::filesystem::create_directories(folder / "no-gio-modules");
    struct Row {
        const char* name;
        std::map<std::string, std::string> env;
        std::vector<std::string> said;  // on standard error, in this order
    };
    const std::string own = (kWorld->Folder("config") / "voltrane" / "host-pointer.ini").string();
    const Row rows[] = {
        {"Written", {}, {"voltranectl: host settings: gnome\n"}},
        {"NoSessionBus",
         {{"DBUS_SESSION_BUS_ADDRESS", "unix:path=" + (folder / "no-bus").string()}},
         {"voltranectl: host settings: gnome\n",
          "warning: host settings partly written; not written: org.gnome.desktop.peripherals.mouse speed: "
          "not "
          "kept by the settings store (is the session bus running?)",
          "written: " + own}},
        {"NoDconf",
         {{"GIO_MODULE_DIR", (folder / "no-gio-modules").string()}},
         {"voltranectl: host settings: none\n",
          "warning: host settings not written: desktop GNOME: GIO keeps settings in its fallback store",
          "which the desktop does not read (dconf is not installed)"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        setOtherValues();
        const ProgramResult result = run(row.env, {"--host", "desktop", "apply", path("p.ini")});
        EXPECT_EQ(result.exitCode, 0) << result.err;
        std::size_t at = 0;
        for (const std::string& said : row.said) {
            at = result.err.find(said, at);
            EXPECT_NE(at, std::string::npos) << "missing: " << said << "\nin: " << result.err;
        }
        EXPECT_EQ(result.err.find("warning") == std::string::npos, row.said.size() == 1) << result.err;
    }
}

// The program's own file cannot be written (a file where its folder should be): named, the rest written.
TEST_F(VoltranectlOnGnome, WarnsOfAnUnwritableOwnFile) {
    const std::filesystem::path ownFolder = kWorld->Folder("config") / "voltrane";
    std::filesystem::remove_all(ownFolder);
    std::filesystem::create_directories(ownFolder.parent_path());
    ASSERT_TRUE(WriteFileAtomically(ownFolder, "a file where the folder should be"));
    const ProgramResult result = run({}, {"--host", "desktop", "apply", path("p.ini")});
    std::filesystem::remove(ownFolder);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.err.find("warning: host settings partly written; not written: " +
                              (ownFolder / "host-pointer.ini").string() + ": cannot create its folder"),
              std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("written: org.gnome.desktop.peripherals.mouse speed; "
                              "org.gnome.desktop.peripherals.mouse double-click"),
              std::string::npos)
        << result.err;
}

// Keys a system database of dconf locks are named as locked; the rest is written.
TEST_F(VoltranectlOnGnome, NamesLockedKeys) {
    if (FindProgram("dconf").empty()) GTEST_SKIP() << kNoDconfCli;
    const std::filesystem::path db = m_dir.path() / "locks.d";
    std::filesystem::create_directories(db / "locks");
    ASSERT_TRUE(WriteFileAtomically(db / "00-site", "[org/gnome/desktop/peripherals/mouse]\nspeed=0.25\n"));
    ASSERT_TRUE(
        WriteFileAtomically(db / "locks" / "00-speed", "/org/gnome/desktop/peripherals/mouse/speed\n"));
    ASSERT_EQ(RunProgram({"dconf", "compile", path("locks.db"), db.string()}).exitCode, 0);
    ASSERT_TRUE(
        WriteFileAtomically(m_dir.path() / "profile", "user-db:user\nfile-db:" + path("locks.db") + "\n"));

    const ProgramResult result =
        run({{"DCONF_PROFILE", path("profile")}}, {"--host", "desktop", "apply", path("p.ini")});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.err.find("not written: org.gnome.desktop.peripherals.mouse speed: locked"),
              std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("written: org.gnome.desktop.peripherals.mouse double-click"),
              std::string::npos)
        << result.err;
    EXPECT_EQ(dconfRead("double-click"), "600");
}

}  // namespace
}  // namespace voltrane
