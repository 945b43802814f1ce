// The program directory at start-up: one program at a time, leftovers of interrupted saves, and a
// folder where nothing can be saved.

#include <gtest/gtest.h>

#include <fstream>

#include "settings/atomic_file.h"
#include "settings/program_dir_care.h"
#include "settings/program_lock.h"
#include "temp_dir.h"

using namespace voltrane;

namespace {

void writeFile(const std::filesystem::path& path) { std::ofstream(path) << "x"; }

TEST(ProgramLock, OneHolderAtATime) {
    TempDir dir;
    {
        ProgramLock first(dir.path());
        ASSERT_EQ(first.state(), ProgramLock::State::Held);
        ProgramLock second(dir.path());
        EXPECT_EQ(second.state(), ProgramLock::State::HeldElsewhere);
    }
    ProgramLock afterTheFirstEnded(dir.path());
    EXPECT_EQ(afterTheFirstEnded.state(), ProgramLock::State::Held);
}

TEST(ProgramLock, MissingFolderSaysWhy) {
    TempDir dir;
    ProgramLock lock(dir.path() / "gone");
    EXPECT_EQ(lock.state(), ProgramLock::State::Unavailable);
    EXPECT_EQ(lock.reason(), "No such file or directory");
}

struct LeftoverCase {
    const char* name;
    bool leftover;
};

TEST(ProgramDirCare, LeftoverNames) {
    const LeftoverCase cases[] = {
        {".Setting1.ini.a8Zq0c", true},
        {".Setting5.ini.000000", true},
        {".mouse.mac.AbCdEf", true},
        {".mouse.name.q1w2e3", true},
        {".LANGUAGE.ini.zzzzzz", true},
        {".download.bin.Q9q9Q9", true},
        {".virtual-mouse.bin.abc123", true},
        {".voltrane-probe.x1y2z3", true},
        {"Setting1.ini", false},
        {".Setting1.ini", false},
        {".Setting1.ini.a8Zq0", false},
        {".Setting1.ini.a8Zq0cc", false},
        {".Setting1.ini.a8Z-0c", false},
        {".Setting6.ini.a8Zq0c", false},
        {".notes.txt.a8Zq0c", false},
        {"Setting1.ini.a8Zq0c", false},
        {".Setting1.ini_a8Zq0c", false},
        {".a8Zq0c", false},
        {"", false},
    };
    for (const LeftoverCase& c : cases) EXPECT_EQ(IsLeftoverSave(c.name), c.leftover) << c.name;
}

TEST(ProgramDirCare, RemovesOnlyLeftoverFiles) {
    TempDir dir;
    const auto& d = dir.path();
    writeFile(d / ".Setting2.ini.k3J9sa");
    writeFile(d / ".mouse.mac.0aB1cD");
    writeFile(d / "Setting2.ini");
    writeFile(d / ".notes.txt.k3J9sa");
    std::filesystem::create_directory(d / ".Setting3.ini.folder");
    std::filesystem::create_symlink(d / "Setting2.ini", d / ".Setting4.ini.linked");
    std::vector<std::string> removed = RemoveLeftoverSaves(d);
    std::sort(removed.begin(), removed.end());
    EXPECT_EQ(removed, (std::vector<std::string>{".Setting2.ini.k3J9sa", ".mouse.mac.0aB1cD"}));
    EXPECT_FALSE(std::filesystem::exists(d / ".Setting2.ini.k3J9sa"));
    for (const char* kept : {"Setting2.ini", ".notes.txt.k3J9sa", ".Setting3.ini.folder"})
        EXPECT_TRUE(std::filesystem::exists(d / kept)) << kept;
    EXPECT_TRUE(std::filesystem::is_symlink(d / ".Setting4.ini.linked"));
}

// A save that a crash interrupted leaves a file that the next start clears away.
TEST(ProgramDirCare, InterruptedSaveIsClearedAway) {
    TempDir dir;
    PendingFile save(dir.path() / "Setting1.ini");
    ASSERT_TRUE(save.Write("[Setting]\r\n").ok());
    const std::filesystem::path temporary = save.TemporaryPath();
    EXPECT_EQ(RemoveLeftoverSaves(dir.path()), std::vector<std::string>{temporary.filename().string()});
}

TEST(ProgramDirCare, WriteProblemIsFoundAndLeavesNothing) {
    TempDir dir;
    EXPECT_EQ(FolderWriteProblem(dir.path()), std::nullopt);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    EXPECT_EQ(FolderWriteProblem(dir.path() / "gone"),
              std::optional<std::string>("No such file or directory"));
    writeFile(dir.path() / "file");
    EXPECT_EQ(FolderWriteProblem(dir.path() / "file"), std::optional<std::string>("Not a directory"));
}

}  // namespace
