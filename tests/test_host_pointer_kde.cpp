// Plasma's files in a temporary folder, reached by direct edits or through KDE's own tools, and held
// against KDE's own reader and writer where they are installed (Debian: libkf5config-bin).

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "host/host_pointer_kde.h"
#include "host/kconfig_file.h"
#include "host/kconfig_tools.h"
#include "host/program_run.h"
#include "kconfig_cases.h"
#include "settings/atomic_file.h"
#include "settings/ini_file.h"
#include "temp_dir.h"

namespace voltrane {
namespace {

constexpr const char* kNoKdeTools =
    "kreadconfig5/kwriteconfig5 are not installed (Debian: libkf5config-bin)";

bool kdeToolsInstalled() {
    return !FindProgram("kreadconfig5").empty() && !FindProgram("kwriteconfig5").empty();
}

// What KDE's own reader finds for the entry.
std::string kdeRead(const std::filesystem::path& file, const std::string& group, const std::string& key) {
    const ProgramResult result =
        RunProgram({"kreadconfig5", "--file", file.string(), "--group", group, "--key", key});
    return result.out.substr(0, result.out.find('\n'));
}

std::string readFile(const std::filesystem::path& path) {
    return ReadFileLimited(path, 2 * kMaxIniFileBytes).value_or("<missing>");
}

bool writeFile(const std::filesystem::path& path, std::string_view bytes) {
    std::filesystem::create_directories(path.parent_path());
    return static_cast<bool>(WriteFileAtomically(path, bytes));
}

// The two ways to Plasma's files.
struct StoreCase {
    const char* name;
    std::function<std::unique_ptr<KConfigStore>()> make;
    bool needsKdeTools;
};

void PrintTo(const StoreCase& c, std::ostream* os) { *os << c.name; }

const StoreCase kStores[] = {
    {"FileEdits", [] { return std::make_unique<KConfigFile>(); }, false},
    {"KdeTools", [] { return std::make_unique<KConfigTools>("kwriteconfig5", "kreadconfig5", false); },
     true},
};

class PlasmaBackend : public testing::TestWithParam<StoreCase> {
protected:
    void SetUp() override {
        if (GetParam().needsKdeTools && !kdeToolsInstalled()) GTEST_SKIP() << kNoKdeTools;
        m_host = std::make_unique<KdeHostPointer>(m_config.path(), GetParam().make());
    }
    std::filesystem::path globals() const { return m_config.path() / "kdeglobals"; }
    std::filesystem::path input() const { return m_config.path() / "kcminputrc"; }
    std::string entry(const std::filesystem::path& file, const char* group, const char* key) const {
        return file.string() + " [" + group + "] " + key;
    }

    TempDir m_config;
    std::unique_ptr<KdeHostPointer> m_host;
};

TEST_P(PlasmaBackend, WritesPlasmasKeysAsKdeReadsThem) {
    const HostApplyReport report = m_host->Apply({2, false, 5, 650});
    EXPECT_EQ(report.failed, std::vector<std::string>{});
    EXPECT_EQ(report.written, (std::vector<std::string>{
                                  entry(input(), "Mouse", "XLbInptPointerAcceleration"),
                                  entry(globals(), "KDE", "WheelScrollLines"),
                                  entry(globals(), "KDE", "DoubleClickInterval"),
                                  (m_config.path() / "voltrane" / "host-pointer.ini").string(),
                              }));
    EXPECT_EQ(m_host->Read(), (HostPointerValues{2, false, 5, 650}));
    if (!kdeToolsInstalled()) GTEST_SKIP() << kNoKdeTools;
    EXPECT_EQ(kdeRead(globals(), "KDE", "WheelScrollLines"), "5");
    EXPECT_EQ(kdeRead(globals(), "KDE", "DoubleClickInterval"), "650");
    EXPECT_EQ(kdeRead(input(), "Mouse", "XLbInptPointerAcceleration"), "-0.895");
}

// An immutable entry is left as it is and named; the other entries are written: a partial apply.
TEST_P(PlasmaBackend, ImmutableEntryIsReportedAndTheRestWritten) {
    ASSERT_TRUE(writeFile(globals(), "[KDE]\nDoubleClickInterval[$i]=400\nWheelScrollLines=3\n"));
    const HostApplyReport report = m_host->Apply({16, false, 6, 350});
    ASSERT_EQ(report.failed.size(), 1u);
    EXPECT_EQ(report.failed[0].rfind(entry(globals(), "KDE", "DoubleClickInterval") + ": ", 0), 0u)
        << report.failed[0];
    EXPECT_NE(report.failed[0].find("immutable"), std::string::npos) << report.failed[0];
    EXPECT_EQ(report.written.size(), 3u);
    EXPECT_EQ(m_host->Read(), (HostPointerValues{16, false, 6, 400}));
}

// A file that cannot be written is named with the reason; the other file is written.
TEST_P(PlasmaBackend, UnwritableFileMakesAPartialApply) {
    std::filesystem::create_directories(input());  // a folder where the file should be
    const HostApplyReport report = m_host->Apply({16, false, 6, 350});
    ASSERT_EQ(report.failed.size(), 1u);
    EXPECT_EQ(report.failed[0].rfind(entry(input(), "Mouse", "XLbInptPointerAcceleration") + ": ", 0), 0u)
        << report.failed[0];
    EXPECT_EQ(report.written.size(), 3u);
    if (!kdeToolsInstalled()) GTEST_SKIP() << kNoKdeTools;
    EXPECT_EQ(kdeRead(globals(), "KDE", "DoubleClickInterval"), "350");
}

TEST_P(PlasmaBackend, ReadsWhatPlasmaWrote) {
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
        {"the last of two groups",
         "",
         "[KDE]\nWheelScrollLines=4\n[KDE]\nWheelScrollLines=8\n",
         {11, false, 8, 400}},
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
        EXPECT_EQ(m_host->Read(), row.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Stores, PlasmaBackend, testing::ValuesIn(kStores),
                         [](const testing::TestParamInfo<StoreCase>& info) { return info.param.name; });

// Direct edits of Plasma's files, where KDE's tools are not installed.
class PlasmaFileEdits : public testing::Test {
protected:
    std::filesystem::path globals() const { return m_config.path() / "kdeglobals"; }
    std::filesystem::path input() const { return m_config.path() / "kcminputrc"; }

    TempDir m_config;
    KdeHostPointer m_host{m_config.path(), std::make_unique<KConfigFile>()};
};

// Duplicate groups, immutable marks, comments and bytes that are not UTF-8 stay as they were; only
// the values change, and KDE's reader sees the new ones.
TEST_F(PlasmaFileEdits, KeepEveryOtherByte) {
    const std::string globalsBefore =
        "[General]\nColorScheme=Caf\xe9 Noir\n\n# kept\n[KDE]\nDoubleClickInterval=400\n"
        "LookAndFeelPackage=org.kde.breezedark.desktop\nWheelScrollLines=3\n\n[WM][$i]\nactiveFont=Noto\n\n"
        "[KDE]\nWheelScrollLines=9\nSingleClick[$i]=false\n";
    const std::string inputBefore =
        "[Keyboard]\nNumLock=0\n\n[Libinput][1133][49271][USB Optical Mouse]\nPointerAcceleration=0.4\n"
        "[Mouse]\ncursorTheme=\xc0\xff\n";
    ASSERT_TRUE(writeFile(globals(), globalsBefore));
    ASSERT_TRUE(writeFile(input(), inputBefore));

    EXPECT_TRUE(m_host.Apply({16, false, 6, 350}).Ok());
    EXPECT_EQ(
        readFile(globals()),
        "[General]\nColorScheme=Caf\xe9 Noir\n\n# kept\n[KDE]\nDoubleClickInterval=350\n"
        "LookAndFeelPackage=org.kde.breezedark.desktop\nWheelScrollLines=3\n\n[WM][$i]\nactiveFont=Noto\n\n"
        "[KDE]\nWheelScrollLines=6\nSingleClick[$i]=false\n");
    EXPECT_EQ(readFile(input()), inputBefore + "XLbInptPointerAcceleration=0.579\n");
    if (!kdeToolsInstalled()) GTEST_SKIP() << kNoKdeTools;
    EXPECT_EQ(kdeRead(globals(), "KDE", "WheelScrollLines"), "6");
    EXPECT_EQ(kdeRead(globals(), "KDE", "DoubleClickInterval"), "350");
    EXPECT_EQ(kdeRead(input(), "Mouse", "XLbInptPointerAcceleration"), "0.579");
}

// A kdeglobals too large to read is neither replaced by a file holding only our keys nor read.
TEST_F(PlasmaFileEdits, UnreadableFileIsLeftAlone) {
    const std::string huge = "[KDE]\n" + std::string(kMaxIniFileBytes, '#') + "\n";
    ASSERT_TRUE(writeFile(globals(), huge));
    const HostApplyReport report = m_host.Apply({6, false, 4, 500});
    EXPECT_EQ(report.failed.size(), 2u);
    EXPECT_EQ(readFile(globals()), huge);
    EXPECT_EQ(readFile(input()), "[Mouse]\nXLbInptPointerAcceleration=-0.474\n");
    EXPECT_EQ(m_host.Read(), std::nullopt);
}

// The process ID of a process that has ended.
pid_t endedProcess() {
    const pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0);
    return child;
}

// KConfig's lock: one held by a running program refuses the write; one left by an ended program is
// taken over. Either way no lock is left behind.
TEST_F(PlasmaFileEdits, RespectKConfigsLock) {
    struct Row {
        const char* name;
        pid_t owner;
        bool written;
    };
    const Row rows[] = {{"held by a running program", getpid(), false},
                        {"left by an ended one", endedProcess(), true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(writeFile(globals(), "[KDE]\nDoubleClickInterval=400\n"));
        const std::filesystem::path lock = globals().string() + ".lock";
        ASSERT_TRUE(writeFile(lock, std::to_string(row.owner) + "\nkwin_x11\nhost\n"));
        const HostApplyReport report = m_host.Apply({10, false, 3, 600});
        EXPECT_EQ(report.failed.empty(), row.written);
        EXPECT_EQ(readFile(globals()).find("DoubleClickInterval=600") != std::string::npos, row.written);
        EXPECT_EQ(std::filesystem::exists(lock), !row.written);
        if (!row.written) {
            EXPECT_NE(report.failed[0].find("locked by process"), std::string::npos) << report.failed[0];
        }
        std::filesystem::remove(lock);
    }
}

// Our reading rules and KDE's reader agree on every text, and KDE's writer refuses exactly the
// entries we find immutable.
class KConfigAgreement : public testing::TestWithParam<LookupCase> {
protected:
    void SetUp() override {
        if (!kdeToolsInstalled()) GTEST_SKIP() << kNoKdeTools;
    }
    TempDir m_dir;
};

TEST_P(KConfigAgreement, WithKdesOwnReaderAndWriter) {
    const std::filesystem::path file = m_dir.path() / "kdeglobals";
    ASSERT_TRUE(writeFile(file, GetParam().text));
    EXPECT_EQ(kdeRead(file, "KDE", "A"), GetParam().value.value_or(""));
    const ProgramResult write =
        RunProgram({"kwriteconfig5", "--file", file.string(), "--group", "KDE", "--key", "A", "9"});
    EXPECT_EQ(write.exitCode == 2, GetParam().immutable) << write.err;
}

INSTANTIATE_TEST_SUITE_P(Texts, KConfigAgreement, testing::ValuesIn(kLookups),
                         [](const testing::TestParamInfo<LookupCase>& info) { return info.param.name; });

}  // namespace
}  // namespace voltrane
