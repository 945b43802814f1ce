// The desktop backends against the installed GSettings schemas (the values kept in memory, so the
// user's desktop is never touched) and Plasma's files in a temporary folder; the choice of backend.

#include <gio/gio.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "host/host_pointer_factory.h"
#include "host/host_pointer_gsettings.h"
#include "host/host_pointer_kde.h"
#include "host/kconfig_file.h"
#include "settings/atomic_file.h"
#include "settings/ini_file.h"
#include "temp_dir.h"

namespace voltrane {
namespace {

// Set before GIO is first used, so that the tests write to a store in memory.
const bool kMemorySettingsBackend = g_setenv("GSETTINGS_BACKEND", "memory", TRUE);

constexpr const char* kGnomeSchema = "org.gnome.desktop.peripherals.mouse";
constexpr const char* kCinnamonSchema = "org.cinnamon.desktop.peripherals.mouse";

std::string readFile(const std::filesystem::path& path) {
    return ReadFileLimited(path, 2 * kMaxIniFileBytes).value_or("<missing>");
}

bool writeFile(const std::filesystem::path& path, std::string_view bytes) {
    std::filesystem::create_directories(path.parent_path());
    return static_cast<bool>(WriteFileAtomically(path, bytes));
}

std::u16string iniValue(const std::filesystem::path& path, std::u16string_view section,
                        std::u16string_view key) {
    const std::optional<IniFile> file = IniFile::Load(path);
    return file ? file->GetString(section, key, u"<none>") : u"<no file>";
}

// The GNOME mouse settings, reset to the schema's defaults (speed 0, 400 ms) for each test.
class GnomeMouse {
public:
    GnomeMouse() : m_settings(g_settings_new("org.gnome.desktop.peripherals.mouse")) {
        g_settings_reset(m_settings, "speed");
        g_settings_reset(m_settings, "double-click");
    }
    ~GnomeMouse() { g_object_unref(m_settings); }
    GnomeMouse(const GnomeMouse&) = delete;
    GnomeMouse& operator=(const GnomeMouse&) = delete;

    double Speed() const { return g_settings_get_double(m_settings, "speed"); }
    int DoubleClick() const { return g_settings_get_int(m_settings, "double-click"); }
    void Set(double speed, int doubleClick) {
        g_settings_set_double(m_settings, "speed", speed);
        g_settings_set_int(m_settings, "double-click", doubleClick);
    }

private:
    GSettings* m_settings;
};

// Both desktop backends, each with a fresh configuration folder.
struct BackendCase {
    const char* name;
    std::function<std::unique_ptr<HostPointer>(const std::filesystem::path&)> make;
};

void PrintTo(const BackendCase& c, std::ostream* os) { *os << c.name; }

class DesktopBackend : public testing::TestWithParam<BackendCase> {
protected:
    void SetUp() override {
        ASSERT_TRUE(kMemorySettingsBackend);
        ASSERT_EQ(GSettingsHostPointer::Unavailable(kGnomeSchema), "")
            << "gsettings-desktop-schemas is missing";
        m_gnome = std::make_unique<GnomeMouse>();
        m_host = GetParam().make(m_config.path());
    }

    TempDir m_config;
    std::unique_ptr<GnomeMouse> m_gnome;
    std::unique_ptr<HostPointer> m_host;
};

TEST_P(DesktopBackend, WhatIsAppliedReadsBack) {
    const HostPointerValues rows[] = {
        {1, false, 1, 900}, {20, false, 10, 200}, {10, false, 3, 600}, {11, false, 7, 400},
        {2, false, 2, 750}, {19, false, 9, 250},  {14, false, 5, 350},
    };
    for (const HostPointerValues& row : rows) {
        SCOPED_TRACE(testing::Message() << row.speed << " " << row.wheelLines << " " << row.doubleClickMs);
        ASSERT_EQ(m_host->Apply(row).failed, std::vector<std::string>{});
        EXPECT_EQ(m_host->Read(), row);
    }
}

TEST_P(DesktopBackend, OneScreenAtATimeKeepsTheLineCount) {
    ASSERT_TRUE(m_host->Apply({10, false, 7, 600}).Ok());
    ASSERT_TRUE(m_host->Apply({10, true, 2, 600}).Ok());
    EXPECT_EQ(m_host->Read(), (HostPointerValues{10, true, 7, 600}));
    ASSERT_TRUE(m_host->Apply({10, false, 4, 600}).Ok());
    EXPECT_EQ(m_host->Read(), (HostPointerValues{10, false, 4, 600}));
}

// Start-up: the defaults are applied, then read back as steps 4, 2 and 4; step 6 of the
// double-click slider (400 ms) reads back as step 7.
TEST_P(DesktopBackend, StartUpThroughTheDesktop) {
    MouseSetting s;
    s.ResetToDefaults();
    ApplyHostPointer(*m_host, s);
    s.m_nItem[kItemPointerSpeed] = s.m_nItem[kItemWheelLines] = s.m_nItem[kItemDoubleClick] = 9;
    ReadHostPointer(*m_host, s);
    EXPECT_EQ(s.m_nItem[kItemPointerSpeed], 4);
    EXPECT_EQ(s.m_nItem[kItemWheelLines], 2);
    EXPECT_EQ(s.m_nItem[kItemDoubleClick], 4);

    s.m_nItem[kItemDoubleClick] = 6;
    ApplyHostPointer(*m_host, s);
    ReadHostPointer(*m_host, s);
    EXPECT_EQ(s.m_nItem[kItemDoubleClick], 7);
}

const BackendCase kBackends[] = {
    {"GSettings",
     [](const std::filesystem::path& home) {
         return std::make_unique<GSettingsHostPointer>("gnome", kGnomeSchema, home);
     }},
    {"PlasmaFileEdits",
     [](const std::filesystem::path& home) {
         return std::make_unique<KdeHostPointer>(home, std::make_unique<KConfigFile>());
     }},
};

INSTANTIATE_TEST_SUITE_P(Backends, DesktopBackend, testing::ValuesIn(kBackends),
                         [](const testing::TestParamInfo<BackendCase>& info) { return info.param.name; });

class GSettingsBackend : public testing::Test {
protected:
    GnomeMouse m_gnome;
    TempDir m_config;
    GSettingsHostPointer m_host{"gnome", kGnomeSchema, m_config.path()};
};

TEST_F(GSettingsBackend, WritesTheSchemaKeys) {
    struct Row {
        int speed;
        double accel;
        int doubleClickMs;
    };
    for (const Row& row :
         {Row{1, -1.0, 900}, Row{20, 1.0, 200}, Row{10, -1.0 / 19, 600}, Row{11, 1.0 / 19, 650}}) {
        SCOPED_TRACE(row.speed);
        const HostApplyReport report = m_host.Apply({row.speed, false, 3, row.doubleClickMs});
        EXPECT_EQ(report.failed, std::vector<std::string>{});
        EXPECT_EQ(report.written,
                  (std::vector<std::string>{std::string(kGnomeSchema) + " speed",
                                            std::string(kGnomeSchema) + " double-click",
                                            (m_config.path() / "voltrane" / "host-pointer.ini").string()}));
        EXPECT_NEAR(m_gnome.Speed(), row.accel, 1e-12);
        EXPECT_EQ(m_gnome.DoubleClick(), row.doubleClickMs);
    }
}

TEST_F(GSettingsBackend, ReadsWhatTheDesktopSet) {
    struct Row {
        double accel;
        int doubleClickMs;
        int speed;
    };
    for (const Row& row : {Row{0.0, 400, 11}, Row{-0.2, 1000, 9}, Row{1.0, 150, 20}, Row{-1.0, 250, 1}}) {
        SCOPED_TRACE(row.accel);
        m_gnome.Set(row.accel, row.doubleClickMs);
        EXPECT_EQ(m_host.Read(), (HostPointerValues{row.speed, false, 3, row.doubleClickMs}));
    }
}

TEST_F(GSettingsBackend, KeepsTheWheelInTheProgramsOwnFile) {
    ASSERT_TRUE(m_host.Apply({10, false, 8, 600}).Ok());
    const std::filesystem::path own = m_config.path() / "voltrane" / "host-pointer.ini";
    EXPECT_EQ(iniValue(own, u"Wheel", u"Lines"), u"8");
    EXPECT_EQ(iniValue(own, u"Wheel", u"OneScreenAtATime"), u"0");
    EXPECT_EQ(GSettingsHostPointer("gnome", kGnomeSchema, m_config.path()).Read(),
              (HostPointerValues{10, false, 8, 600}));
}

// When the own file cannot be written the apply names it, and the desktop's keys are still set.
TEST(GSettingsBackendFailure, UnwritableOwnFileIsReportedAndTheRestApplied) {
    GnomeMouse gnome;
    TempDir dir;
    const std::filesystem::path notAFolder = dir.path() / "config";
    ASSERT_TRUE(writeFile(notAFolder, "a file where the configuration folder should be"));
    GSettingsHostPointer host("gnome", kGnomeSchema, notAFolder);
    const HostApplyReport report = host.Apply({20, true, 5, 250});
    ASSERT_EQ(report.failed.size(), 1u);
    EXPECT_EQ(report.failed[0].rfind((notAFolder / "voltrane" / "host-pointer.ini").string() + ": ", 0), 0u)
        << report.failed[0];
    EXPECT_EQ(report.written.size(), 2u);
    EXPECT_DOUBLE_EQ(gnome.Speed(), 1.0);
    EXPECT_EQ(gnome.DoubleClick(), 250);
    EXPECT_EQ(host.Read(), (HostPointerValues{20, false, 3, 250}));
}

// The backend chosen from the environment writes to the desktop named there, in the folder named
// there.
TEST(CreateDesktopHostPointer, AddressesTheRunningDesktop) {
    GnomeMouse gnome;
    TempDir kdeConfig, gnomeConfig;
    g_setenv("XDG_CONFIG_HOME", kdeConfig.path().c_str(), TRUE);
    g_setenv("XDG_CURRENT_DESKTOP", "KDE", TRUE);
    EXPECT_TRUE(CreateDesktopHostPointer()->Apply({20, false, 4, 300}).Ok());
    g_setenv("XDG_CONFIG_HOME", gnomeConfig.path().c_str(), TRUE);
    g_setenv("XDG_CURRENT_DESKTOP", "ubuntu:GNOME", TRUE);
    EXPECT_TRUE(CreateDesktopHostPointer()->Apply({1, false, 5, 700}).Ok());
    g_unsetenv("XDG_CONFIG_HOME");
    g_unsetenv("XDG_CURRENT_DESKTOP");

    EXPECT_NE(readFile(kdeConfig.path() / "kdeglobals").find("DoubleClickInterval=300"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(gnomeConfig.path() / "kdeglobals"));
    EXPECT_EQ(iniValue(gnomeConfig.path() / "voltrane" / "host-pointer.ini", u"Wheel", u"Lines"), u"5");
    EXPECT_DOUBLE_EQ(gnome.Speed(), -1.0);
    EXPECT_EQ(gnome.DoubleClick(), 700);
}

TEST(DetectDesktop, FromTheDesktopNames) {
    struct Row {
        const char* names;
        DesktopKind expected;
    };
    const Row rows[] = {
        {"GNOME", DesktopKind::Gnome},
        {"ubuntu:GNOME", DesktopKind::Gnome},
        {"GNOME-Classic:GNOME", DesktopKind::Gnome},
        {"GNOME-Flashback:GNOME", DesktopKind::Gnome},
        {"Unity", DesktopKind::Gnome},
        {"Budgie:GNOME", DesktopKind::Gnome},
        {"Pantheon", DesktopKind::Gnome},
        {"X-Cinnamon", DesktopKind::Cinnamon},
        {"KDE", DesktopKind::Kde},
        {"kde", DesktopKind::Kde},
        {"X-Generic:KDE", DesktopKind::Kde},
        {"", DesktopKind::Other},
        {"XFCE", DesktopKind::Other},
        {"MATE", DesktopKind::Other},
        {"LXQt", DesktopKind::Other},
        {"LXDE", DesktopKind::Other},
        {"sway", DesktopKind::Other},
        {"Hyprland", DesktopKind::Other},
        {"KDEX", DesktopKind::Other},
        {"::", DesktopKind::Other},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.names);
        EXPECT_EQ(DetectDesktop(row.names), row.expected);
    }
}

// The backend each desktop gets, its store checked: a desktop whose store we do not write, or whose
// schema is missing, gets one that leaves it alone and says why.
TEST(CreateDesktopHostPointer, ChoosesByTheDesktopAndItsStore) {
    const bool cinnamonSchema = GSettingsHostPointer::Unavailable(kCinnamonSchema).empty();
    struct Row {
        const char* names;
        std::string backend;
        std::string why;  // the start of the failure an apply reports; empty when it writes
    };
    const Row rows[] = {
        {"GNOME", "gnome", ""},
        {"ubuntu:GNOME", "gnome", ""},
        {"Unity", "gnome", ""},
        {"X-Cinnamon", cinnamonSchema ? "cinnamon" : "none",
         cinnamonSchema ? "" : "desktop X-Cinnamon: the settings schema " + std::string(kCinnamonSchema)},
        {"KDE", "plasma", ""},
        {"", "none", "unknown desktop (XDG_CURRENT_DESKTOP is not set): pointer settings are written on"},
        {"XFCE", "none", "desktop XFCE: pointer settings are written on GNOME"},
        {"sway", "none", "desktop sway: "},
        {"LXQt", "none", "desktop LXQt: "},
    };
    TempDir config;
    g_setenv("XDG_CONFIG_HOME", config.path().c_str(), TRUE);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.names);
        g_setenv("XDG_CURRENT_DESKTOP", row.names, TRUE);
        const std::unique_ptr<HostPointer> host = CreateDesktopHostPointer();
        EXPECT_EQ(host->Name().substr(0, row.backend.size()), row.backend) << host->Name();
        const HostApplyReport report = host->Apply({10, false, 3, 600});
        if (row.why.empty()) {
            EXPECT_EQ(report.failed, std::vector<std::string>{});
        } else {
            ASSERT_EQ(report.failed.size(), 1u);
            EXPECT_EQ(report.failed[0].substr(0, row.why.size()), row.why) << report.failed[0];
            EXPECT_TRUE(report.written.empty());
        }
    }
    g_unsetenv("XDG_CONFIG_HOME");
    g_unsetenv("XDG_CURRENT_DESKTOP");
}

TEST(GSettingsHostPointer, UnavailableSaysWhy) {
    struct Row {
        const char* schema;
        std::string why;
    };
    const Row rows[] = {
        {kGnomeSchema, ""},
        {"org.example.voltrane.none", "the settings schema org.example.voltrane.none is not installed"},
        {"org.gnome.desktop.interface",
         "the settings schema org.gnome.desktop.interface has no \"speed\" and \"double-click\" keys"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.schema);
        EXPECT_EQ(GSettingsHostPointer::Unavailable(row.schema), row.why);
    }
    const HostApplyReport report = GSettingsHostPointer("x", "org.example.voltrane.none", {}).Apply({});
    EXPECT_EQ(
        report.failed,
        (std::vector<std::string>{
            "org.example.voltrane.none: the settings schema org.example.voltrane.none is not installed",
            "voltrane/host-pointer.ini: no configuration folder (HOME is not set)"}));
}

TEST(UserConfigHome, FromTheEnvironment) {
    struct Row {
        const char* xdgConfigHome;
        const char* home;
        std::filesystem::path expected;
    };
    const Row rows[] = {
        {"/cfg", "/home/u", "/cfg"},
        {nullptr, "/home/u", "/home/u/.config"},
        {"", "/home/u", "/home/u/.config"},
        {"relative/cfg", "/home/u", "/home/u/.config"},
        {nullptr, nullptr, ""},
        {nullptr, "relative", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << (row.xdgConfigHome ? row.xdgConfigHome : "(unset)") << " "
                                        << (row.home ? row.home : "(unset)"));
        EXPECT_EQ(UserConfigHome(row.xdgConfigHome, row.home), row.expected);
    }
}

}  // namespace
}  // namespace voltrane
