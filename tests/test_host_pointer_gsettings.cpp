// The desktop backends against the real settings stores: GSettings with the installed schemas (kept
// in memory, so the user's desktop is never touched) and Plasma's files in a temporary folder.

#include <gio/gio.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "host/host_pointer_factory.h"
#include "host/host_pointer_gsettings.h"
#include "host/host_pointer_kde.h"
#include "settings/atomic_file.h"
#include "temp_dir.h"

namespace voltrane {
namespace {

// Set before GIO is first used, so that the tests write to a store in memory.
const bool kMemorySettingsBackend = g_setenv("GSETTINGS_BACKEND", "memory", TRUE);

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
        ASSERT_TRUE(GSettingsHostPointer::IsAvailable()) << "gsettings-desktop-schemas is not installed";
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
        ASSERT_TRUE(m_host->Apply(row));
        EXPECT_EQ(m_host->Read(), row);
    }
}

TEST_P(DesktopBackend, OneScreenAtATimeKeepsTheLineCount) {
    ASSERT_TRUE(m_host->Apply({10, false, 7, 600}));
    ASSERT_TRUE(m_host->Apply({10, true, 2, 600}));
    EXPECT_EQ(m_host->Read(), (HostPointerValues{10, true, 7, 600}));
    ASSERT_TRUE(m_host->Apply({10, false, 4, 600}));
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

INSTANTIATE_TEST_SUITE_P(Backends, DesktopBackend,
                         testing::Values(BackendCase{"GSettings",
                                                     [](const std::filesystem::path& home) {
                                                         return std::make_unique<GSettingsHostPointer>(
                                                             home);
                                                     }},
                                         BackendCase{"Kde",
                                                     [](const std::filesystem::path& home) {
                                                         return std::make_unique<KdeHostPointer>(home);
                                                     }}),
                         [](const testing::TestParamInfo<BackendCase>& info) { return info.param.name; });

class GSettingsBackend : public testing::Test {
protected:
    GnomeMouse m_gnome;
    TempDir m_config;
    GSettingsHostPointer m_host{m_config.path()};
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
        ASSERT_TRUE(m_host.Apply({row.speed, false, 3, row.doubleClickMs}));
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
    ASSERT_TRUE(m_host.Apply({10, false, 8, 600}));
    const std::filesystem::path own = m_config.path() / "voltrane" / "host-pointer.ini";
    EXPECT_EQ(iniValue(own, u"Wheel", u"Lines"), u"8");
    EXPECT_EQ(iniValue(own, u"Wheel", u"OneScreenAtATime"), u"0");
    EXPECT_EQ(GSettingsHostPointer(m_config.path()).Read(), (HostPointerValues{10, false, 8, 600}));
}

// When the own file cannot be written the apply reports it, and the desktop's keys are still set.
TEST(GSettingsBackendFailure, UnwritableOwnFileIsReportedAndTheRestApplied) {
    GnomeMouse gnome;
    TempDir dir;
    const std::filesystem::path notAFolder = dir.path() / "config";
    ASSERT_TRUE(writeFile(notAFolder, "a file where the configuration folder should be"));
    GSettingsHostPointer host(notAFolder);
    EXPECT_FALSE(host.Apply({20, true, 5, 250}));
    EXPECT_DOUBLE_EQ(gnome.Speed(), 1.0);
    EXPECT_EQ(gnome.DoubleClick(), 250);
    EXPECT_EQ(host.Read(), (HostPointerValues{20, false, 3, 250}));
}

class KdeBackend : public testing::Test {
protected:
    std::filesystem::path globals() const { return m_config.path() / "kdeglobals"; }
    std::filesystem::path input() const { return m_config.path() / "kcminputrc"; }

    TempDir m_config;
    KdeHostPointer m_host{m_config.path()};
};

TEST_F(KdeBackend, WritesPlasmasKeys) {
    ASSERT_TRUE(m_host.Apply({2, false, 5, 650}));
    EXPECT_EQ(iniValue(globals(), u"KDE", u"WheelScrollLines"), u"5");
    EXPECT_EQ(iniValue(globals(), u"KDE", u"DoubleClickInterval"), u"650");
    EXPECT_EQ(iniValue(input(), u"Mouse", u"XLbInptPointerAcceleration"), u"-0.895");
}

TEST_F(KdeBackend, KeepsEverythingElseInPlasmasFiles) {
    const std::string globalsBefore =
        "[General]\nColorScheme=BreezeDark\n\n# kept\n[KDE]\nDoubleClickInterval=400\n"
        "LookAndFeelPackage=org.kde.breezedark.desktop\nWheelScrollLines=3\n\n[WM]\nactiveFont=Noto Sans\n";
    const std::string inputBefore =
        "[Keyboard]\nNumLock=0\n\n[Libinput][1133][49271][USB Optical Mouse]\nPointerAcceleration=0.4\n";
    ASSERT_TRUE(writeFile(globals(), globalsBefore));
    ASSERT_TRUE(writeFile(input(), inputBefore));

    ASSERT_TRUE(m_host.Apply({16, false, 6, 350}));
    EXPECT_EQ(readFile(globals()),
              "[General]\nColorScheme=BreezeDark\n\n# kept\n[KDE]\nDoubleClickInterval=350\n"
              "LookAndFeelPackage=org.kde.breezedark.desktop\nWheelScrollLines=6\n\n[WM]\nactiveFont=Noto "
              "Sans\n");
    EXPECT_EQ(readFile(input()), inputBefore + "[Mouse]\nXLbInptPointerAcceleration=0.579\n");
    EXPECT_EQ(iniValue(input(), u"Libinput][1133][49271][USB Optical Mouse", u"PointerAcceleration"),
              u"0.4");
}

TEST_F(KdeBackend, ReadsWhatPlasmaWrote) {
    struct Row {
        const char* name;
        const char* input;    // nullptr: no file
        const char* globals;  // nullptr: no file
        HostPointerValues expected;
    };
    const Row rows[] = {
        {"no files: Plasma's defaults", nullptr, nullptr, {11, false, 3, 400}},
        {"every key",
         "[Mouse]\nXLbInptPointerAcceleration=-0.2\n",
         "[KDE]\nWheelScrollLines=7\nDoubleClickInterval=250\n",
         {9, false, 7, 250}},
        {"fastest", "[Mouse]\nXLbInptPointerAcceleration=1\n", "[KDE]\n", {20, false, 3, 400}},
        {"scale beyond its end", "[Mouse]\nXLbInptPointerAcceleration=7.5\n", "", {20, false, 3, 400}},
        {"scale not a number", "[Mouse]\nXLbInptPointerAcceleration=fast\n", "", {11, false, 3, 400}},
        {"keys of other groups",
         "[Libinput][1][2][x]\nPointerAcceleration=-1\n",
         "[General]\nWheelScrollLines=9\n",
         {11, false, 3, 400}},
        {"times outside the steps",
         "",
         "[KDE]\nDoubleClickInterval=1100\nWheelScrollLines=0\n",
         {11, false, 0, 1100}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::filesystem::remove(input());
        std::filesystem::remove(globals());
        if (row.input) {
            ASSERT_TRUE(writeFile(input(), row.input));
        }
        if (row.globals) {
            ASSERT_TRUE(writeFile(globals(), row.globals));
        }
        EXPECT_EQ(m_host.Read(), row.expected);
    }
}

// A kdeglobals too large to read is neither replaced by a file holding only our keys nor read.
TEST_F(KdeBackend, UnreadableFileIsLeftAlone) {
    const std::string huge = "[KDE]\n" + std::string(kMaxIniFileBytes, ';') + "\n";
    ASSERT_TRUE(writeFile(globals(), huge));
    EXPECT_FALSE(m_host.Apply({6, false, 4, 500}));
    EXPECT_EQ(readFile(globals()), huge);
    EXPECT_EQ(iniValue(input(), u"Mouse", u"XLbInptPointerAcceleration"), u"-0.474");
    EXPECT_EQ(m_host.Read(), std::nullopt);
}

// The backend chosen from the environment writes to the desktop named there, in the folder named
// there.
TEST(CreateDesktopHostPointer, AddressesTheRunningDesktop) {
    GnomeMouse gnome;
    TempDir kdeConfig, gnomeConfig;
    g_setenv("XDG_CONFIG_HOME", kdeConfig.path().c_str(), TRUE);
    g_setenv("XDG_CURRENT_DESKTOP", "KDE", TRUE);
    EXPECT_TRUE(CreateDesktopHostPointer()->Apply({20, false, 4, 300}));
    g_setenv("XDG_CONFIG_HOME", gnomeConfig.path().c_str(), TRUE);
    g_setenv("XDG_CURRENT_DESKTOP", "ubuntu:GNOME", TRUE);
    EXPECT_TRUE(CreateDesktopHostPointer()->Apply({1, false, 5, 700}));
    g_unsetenv("XDG_CONFIG_HOME");
    g_unsetenv("XDG_CURRENT_DESKTOP");

    EXPECT_EQ(iniValue(kdeConfig.path() / "kdeglobals", u"KDE", u"DoubleClickInterval"), u"300");
    EXPECT_FALSE(std::filesystem::exists(gnomeConfig.path() / "kdeglobals"));
    EXPECT_EQ(iniValue(gnomeConfig.path() / "voltrane" / "host-pointer.ini", u"Wheel", u"Lines"), u"5");
    EXPECT_DOUBLE_EQ(gnome.Speed(), -1.0);
    EXPECT_EQ(gnome.DoubleClick(), 700);
}

TEST(DetectDesktop, FromTheDesktopNames) {
    struct Row {
        const char* names;
        bool gnomeSchema;
        DesktopKind expected;
    };
    const Row rows[] = {
        {"KDE", true, DesktopKind::Kde},
        {"KDE", false, DesktopKind::Kde},
        {"kde", false, DesktopKind::Kde},
        {"X-Generic:KDE", false, DesktopKind::Kde},
        {"GNOME", true, DesktopKind::Gnome},
        {"ubuntu:GNOME", true, DesktopKind::Gnome},
        {"Budgie:GNOME", true, DesktopKind::Gnome},
        {"", true, DesktopKind::Gnome},
        {"GNOME", false, DesktopKind::Other},
        {"KDEX", false, DesktopKind::Other},
        {"XFCE", false, DesktopKind::Other},
        {"::", false, DesktopKind::Other},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.names << " " << row.gnomeSchema);
        EXPECT_EQ(DetectDesktop(row.names, row.gnomeSchema), row.expected);
    }
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
