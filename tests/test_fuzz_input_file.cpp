#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "file_bytes.h"
#include "fuzz/fuzz_input_file.h"
#include "temp_dir.h"

namespace voltrane {
namespace {

namespace fs = std::filesystem;

// The fuzz harnesses write every input into the temporary folder, where anyone may plant links:
// their file must be their own, under a name nobody can take first.
TEST(FuzzInputFile, IsPrivateAndFollowsNoPlantedLink) {
    TempDir dir;
    const fs::path victim = dir.path() / "victim";
    WriteBytes(victim, "precious");
    const fs::path planted =
        fs::temp_directory_path() / ("voltrane-fuzz-test-" + std::to_string(::getpid()));
    fs::create_symlink(victim, planted);
    fs::path used;
    {
        fuzz::FuzzInputFile input("test");
        const uint8_t bytes[] = {'f', 'u', 'z', 'z'};
        used = input.Write(bytes, sizeof bytes);
        EXPECT_FALSE(fs::is_symlink(used));
        EXPECT_EQ(ReadBytes(used), "fuzz");
        EXPECT_EQ(fs::status(used).permissions(), fs::perms::owner_read | fs::perms::owner_write);
        EXPECT_EQ(ReadBytes(input.Write(bytes, 2)), "fu");
    }
    EXPECT_FALSE(fs::exists(used));
    EXPECT_EQ(ReadBytes(victim), "precious");
    fs::remove(planted);
}

}  // namespace
}  // namespace voltrane
