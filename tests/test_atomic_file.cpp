// Whole-file reads and atomic writes: limits, permissions, owners, links and the temporary file.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "file_bytes.h"
#include "file_test.h"
#include "settings/atomic_file.h"
#include "settings/ini_file.h"

namespace voltrane {
namespace {

namespace fs = std::filesystem;

TEST_F(FileTest, ReadFileLimitedHonoursTheLimit) {
    WriteBytes(m_dir / "ten", "0123456789");
    EXPECT_EQ(ReadFileLimited(m_dir / "ten", 10), "0123456789");
    EXPECT_EQ(ReadFileLimited(m_dir / "ten", 9), std::nullopt);
    WriteBytes(m_dir / "empty", "");
    EXPECT_EQ(ReadFileLimited(m_dir / "empty", 0), "");
}

TEST_F(FileTest, ReadFileLimitedRefusesPipesWithoutWaiting) {
    const fs::path fifo = m_dir / "pipe.ini";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(ReadFileLimited(fifo, kMaxIniFileBytes), std::nullopt);
}

TEST_F(FileTest, AtomicWriteReplacesAndKeepsPermissions) {
    const fs::path target = m_dir / "Setting1.ini";
    WriteBytes(target, "old");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(WriteFileAtomically(target, "new content"));
    EXPECT_EQ(ReadBytes(target), "new content");
    EXPECT_EQ(fs::status(target).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(Entries(m_dir), std::vector<std::string>{"Setting1.ini"});
}

TEST_F(FileTest, AtomicWriteGoesThroughSymbolicLinks) {
    fs::create_directory(m_dir / "real");
    WriteBytes(m_dir / "real" / "profile.ini", "old");
    fs::create_symlink(m_dir / "real" / "profile.ini", m_dir / "link.ini");
    ASSERT_TRUE(WriteFileAtomically(m_dir / "link.ini", "new"));
    EXPECT_TRUE(fs::is_symlink(m_dir / "link.ini"));
    EXPECT_EQ(ReadBytes(m_dir / "real" / "profile.ini"), "new");
    EXPECT_EQ(Entries(m_dir / "real"), std::vector<std::string>{"profile.ini"});
}

TEST_F(FileTest, AtomicWriteRefusesDirectoriesAndMissingFolders) {
    fs::create_directory(m_dir / "folder.ini");
    WriteBytes(m_dir / "folder.ini" / "inside", "kept");
    EXPECT_FALSE(WriteFileAtomically(m_dir / "folder.ini", "data"));
    EXPECT_EQ(ReadBytes(m_dir / "folder.ini" / "inside"), "kept");
    EXPECT_FALSE(WriteFileAtomically(m_dir / "absent" / "x.ini", "data"));
    EXPECT_FALSE(WriteFileAtomically(m_dir / "folder.ini" / "", "data"));
    EXPECT_EQ(Entries(m_dir), std::vector<std::string>{"folder.ini"});
}

// True when this process may create files in `folder` despite its permission bits (root may).
bool PermissionsAreBypassed(const fs::path& folder) {
    const fs::path probe = folder / "probe";
    if (!std::ofstream(probe).is_open()) return false;
    fs::remove(probe);
    return true;
}

TEST_F(FileTest, AtomicWriteKeepsOldFileInReadOnlyFolder) {
    const fs::path target = m_dir / "Setting2.ini";
    WriteBytes(target, "old");
    fs::permissions(m_dir, fs::perms::owner_read | fs::perms::owner_exec);
    if (PermissionsAreBypassed(m_dir)) GTEST_SKIP() << "permission bits are not enforced for this user";
    EXPECT_FALSE(WriteFileAtomically(target, "new"));
    EXPECT_EQ(ReadBytes(target), "old");
    EXPECT_EQ(Entries(m_dir), std::vector<std::string>{"Setting2.ini"});
}

TEST_F(FileTest, AtomicWriteKeepsReadOnlyFile) {
    const fs::path target = m_dir / "DefSet.ini";
    WriteBytes(target, "factory");
    fs::permissions(target, fs::perms::owner_read);
    if (std::ofstream(target, std::ios::app).is_open()) GTEST_SKIP() << "file permissions not enforced";
    EXPECT_FALSE(WriteFileAtomically(target, "new"));
    EXPECT_EQ(ReadBytes(target), "factory");
    EXPECT_EQ(Entries(m_dir), std::vector<std::string>{"DefSet.ini"});
}

// A write that fails half-way (here: the process may not grow a file past 1 KiB, which the
// operating system enforces even for root) must leave the old file and no temporary file.
TEST_F(FileTest, AtomicWriteKeepsOldFileWhenWritingFails) {
    const fs::path target = m_dir / "mouse.name";
    WriteBytes(target, "old");
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = static_cast<bool>(WriteFileAtomically(target, std::string(4096, 'x')));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadBytes(target), "old");
    EXPECT_EQ(Entries(m_dir), std::vector<std::string>{"mouse.name"});
}

// The permission bits of a file, set-ID and sticky bits included.
mode_t ModeOf(const fs::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) ADD_FAILURE() << "cannot stat " << path;
    return info.st_mode & 07777;
}

// Sets the process's umask for one scope.
class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask) : m_saved(::umask(mask)) {}
    ~ScopedUmask() { ::umask(m_saved); }
    ScopedUmask(const ScopedUmask&) = delete;
    ScopedUmask& operator=(const ScopedUmask&) = delete;

private:
    mode_t m_saved;
};

// Macro files hold recorded keystrokes: while a save is written, no other user may open its
// temporary file, whatever the final mode; the final mode comes only just before the rename.
TEST_F(FileTest, TemporaryFileIsPrivateUntilItIsComplete) {
    struct Row {
        const char* name;
        std::optional<mode_t> targetMode;  // none: a new file
        mode_t finalMode;
    };
    const Row rows[] = {
        {"private file", 0600, 0600},
        {"file its group may read", 0640, 0640},
        {"file everyone may read", 0644, 0644},
        {"new file", std::nullopt, 0644},
    };
    const ScopedUmask umask(022);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const fs::path target = m_dir / "mouse.mac";
        fs::remove(target);
        if (row.targetMode) {
            WriteBytes(target, "old");
            ASSERT_EQ(::chmod(target.c_str(), *row.targetMode), 0);
        }
        PendingFile file(target);
        ASSERT_TRUE(file.Write("recorded keystrokes"));
        EXPECT_EQ(ModeOf(file.TemporaryPath()), 0600u);
        mode_t modeAtRename = 0;
        ASSERT_TRUE(file.Commit([&](const fs::path& temporary) { modeAtRename = ModeOf(temporary); }));
        EXPECT_EQ(modeAtRename, row.finalMode);
        EXPECT_EQ(ModeOf(target), row.finalMode);
        EXPECT_EQ(ReadBytes(target), "recorded keystrokes");
    }
}

// Names another user could create in advance: the old scheme's (the target's name, the process id
// and a counter from 1) and the numbers following the previous save's temporary name.
std::vector<std::string> GuessedNames(const std::string& target, const std::string& previous) {
    std::vector<std::string> names;
    for (int i = 1; i <= 100; ++i)
        names.push_back("." + target + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(i));
    const std::size_t digits = previous.find_last_not_of("0123456789") + 1;
    const unsigned long last = digits < previous.size() ? std::stoul(previous.substr(digits)) : 0;
    for (unsigned long i = 1; i <= 100; ++i)
        names.push_back(previous.substr(0, digits) + std::to_string(last + i));
    return names;
}

TEST_F(FileTest, GuessedTemporaryNamesDoNotBlockASave) {
    const fs::path target = m_dir / "mouse.mac";
    fs::path first;
    ASSERT_TRUE(WriteFileAtomically(target, "one", [&](const fs::path& t) { first = t; }));
    const std::vector<std::string> decoys = GuessedNames("mouse.mac", first.filename().string());
    for (const std::string& name : decoys) WriteBytes(m_dir / name, "decoy");

    fs::path second;
    ASSERT_TRUE(WriteFileAtomically(target, "two", [&](const fs::path& t) { second = t; }));
    EXPECT_NE(second.filename(), first.filename());
    EXPECT_EQ(second.parent_path(), m_dir);
    EXPECT_EQ(ReadBytes(target), "two");
    for (const std::string& name : decoys) ASSERT_EQ(ReadBytes(m_dir / name), "decoy") << name;
    EXPECT_EQ(Entries(m_dir).size(), decoys.size() + 1);
}

// A save creates a new file owned by whoever saves: carrying set-ID bits over would hand out the
// saver's rights.
TEST_F(FileTest, SaveNeverCarriesSetIdOrStickyBits) {
    struct Row {
        const char* name;
        mode_t before;
        mode_t after;
    };
    const Row rows[] = {
        {"set-user-ID", 04755, 0755},
        {"set-group-ID", 02750, 0750},
        {"both", 06700, 0700},
        {"sticky", 01644, 0644},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const fs::path target = m_dir / "tool";
        WriteBytes(target, "old");
        ASSERT_EQ(::chmod(target.c_str(), row.before), 0);
        ASSERT_EQ(ModeOf(target), row.before);
        ASSERT_TRUE(WriteFileAtomically(target, "new"));
        EXPECT_EQ(ModeOf(target), row.after);
    }
}

// The owner and group of the replaced file, where the saver may give them: root any, others one of
// their own groups.
TEST_F(FileTest, SaveKeepsOwnerAndGroupWhereItMay) {
    uid_t owner = ::geteuid();
    gid_t group = ::getegid();
    if (owner == 0) {
        owner = group = 65534;
    } else {
        gid_t groups[64];
        const int count = ::getgroups(64, groups);
        const auto other =
            std::find_if(groups, groups + std::max(count, 0), [&](gid_t g) { return g != group; });
        if (other == groups + std::max(count, 0)) GTEST_SKIP() << "this user has one group only";
        group = *other;
    }
    const fs::path target = m_dir / "Setting1.ini";
    WriteBytes(target, "old");
    ASSERT_EQ(::chown(target.c_str(), owner, group), 0);
    ASSERT_TRUE(WriteFileAtomically(target, "new"));
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, owner);
    EXPECT_EQ(info.st_gid, group);
}

// Several files are written before any is replaced: one given up before its commit leaves the old
// file and nothing else.
TEST_F(FileTest, PendingFileWithoutCommitChangesNothing) {
    const fs::path target = m_dir / "mouse.name";
    WriteBytes(target, "old");
    {
        PendingFile file(target);
        ASSERT_TRUE(file.Write("new"));
        EXPECT_EQ(ReadBytes(file.TemporaryPath()), "new");
        EXPECT_EQ(ReadBytes(target), "old");
        EXPECT_EQ(Entries(m_dir).size(), 2u);
    }
    EXPECT_EQ(ReadBytes(target), "old");
    EXPECT_EQ(Entries(m_dir), std::vector<std::string>{"mouse.name"});
}

}  // namespace
}  // namespace voltrane
