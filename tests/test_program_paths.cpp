#include <gtest/gtest.h>

#include "settings/program_paths.h"
#include "settings/xdg_base_dir.h"
#include "temp_dir.h"

namespace voltrane {
namespace {

TEST(ProgramPaths, ChoiceFollowsTheInstallation) {
    struct Case {
        const char* name;
        InstallFacts facts;
        const char* programDir;
        const char* skinDir;
        bool portable;
    };
    const Case cases[] = {
        {"BuildTree",
         {"/src/build/app", true, true, "/x", "/home/u"},
         "/src/build/app",
         "/src/build/app/skins",
         true},
        {"ReadOnlyUnpackedFolder",
         {"/opt/voltrane", true, false, nullptr, "/home/u"},
         "/home/u/.local/share/voltrane",
         "/opt/voltrane/skins",
         false},
        {"Package",
         {"/usr/bin", false, false, nullptr, "/home/u"},
         "/home/u/.local/share/voltrane",
         "/usr/share/voltrane/skins",
         false},
        {"WritablePrefix",
         {"/home/u/.local/bin", false, true, nullptr, "/home/u"},
         "/home/u/.local/share/voltrane",
         "/home/u/.local/share/voltrane/skins",
         false},
        {"XdgDataHome",
         {"/usr/bin", false, false, "/data", "/home/u"},
         "/data/voltrane",
         "/usr/share/voltrane/skins",
         false},
        {"RelativeXdgDataHomeIgnored",
         {"/usr/local/bin", false, false, "data", "/home/u"},
         "/home/u/.local/share/voltrane",
         "/usr/local/share/voltrane/skins",
         false},
        {"EmptyXdgDataHomeIgnored",
         {"/usr/bin", false, false, "", "/root"},
         "/root/.local/share/voltrane",
         "/usr/share/voltrane/skins",
         false},
        {"NoHome",
         {"/usr/bin", false, false, nullptr, nullptr},
         "/usr/bin",
         "/usr/share/voltrane/skins",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ProgramPaths paths = ChooseProgramPaths(c.facts);
        EXPECT_EQ(paths.programDir, c.programDir);
        EXPECT_EQ(paths.skinDir, c.skinDir);
        EXPECT_EQ(paths.portable, c.portable);
    }
}

// On disk: skins beside a writable folder keep everything there; without them the user's data folder
// is created.
TEST(ProgramPaths, LocateLooksAtTheFolderAndCreatesTheDataFolder) {
    for (const bool skins : {true, false}) {
        SCOPED_TRACE(skins);
        TempDir dir;
        const std::filesystem::path exeDir = dir.path() / "bin";
        std::filesystem::create_directories(skins ? exeDir / "skins" : exeDir);
        const std::string data = (dir.path() / "data").string();
        const ProgramPaths paths = LocateProgramPaths(exeDir, data.c_str(), nullptr);
        EXPECT_EQ(paths.portable, skins);
        EXPECT_EQ(paths.programDir, skins ? exeDir : dir.path() / "data" / "voltrane");
        EXPECT_TRUE(std::filesystem::is_directory(paths.programDir));
        EXPECT_EQ(std::filesystem::exists(dir.path() / "data"), !skins);
    }
}

TEST(XdgBaseDir, VariableThenHome) {
    struct Case {
        const char* value;
        const char* home;
        const char* expected;
    };
    const Case cases[] = {
        {"/c", "/h", "/c"},
        {"c", "/h", "/h/.config"},
        {nullptr, "/h", "/h/.config"},
        {nullptr, "h", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(XdgBaseDir(c.value, c.home, ".config"), c.expected);
    }
}

}  // namespace
}  // namespace voltrane
