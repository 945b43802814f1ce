#pragma once
// A fresh folder for one test, removed with everything in it when the test ends.

#include <cstdlib>
#include <filesystem>
#include <string>

namespace voltrane {

class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "voltrane-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        m_path = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

}  // namespace voltrane
