#pragma once
// The fuzz input as a file, for targets whose code under test reads a path. Each process uses one
// fixed file in the temporary folder (named with its process id, so parallel fuzzing jobs do not
// share it), rewritten for every input and removed when the process exits.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace voltrane::fuzz {

class FuzzInputFile {
public:
    explicit FuzzInputFile(const std::string& stem)
        : m_path(std::filesystem::temp_directory_path() /
                 ("voltrane-fuzz-" + stem + "-" + std::to_string(::getpid()))) {}
    ~FuzzInputFile() {
        std::error_code ignored;
        std::filesystem::remove(m_path, ignored);
    }
    FuzzInputFile(const FuzzInputFile&) = delete;
    FuzzInputFile& operator=(const FuzzInputFile&) = delete;

    // Replaces the file's contents with `size` bytes; aborts when that fails (a broken harness, not
    // a finding).
    const std::filesystem::path& Write(const uint8_t* data, size_t size) {
        std::FILE* file = std::fopen(m_path.c_str(), "wb");
        if (file == nullptr) std::abort();
        const bool ok = (size == 0 || std::fwrite(data, 1, size, file) == size);
        if (std::fclose(file) != 0 || !ok) std::abort();
        return m_path;
    }

private:
    std::filesystem::path m_path;
};

// Ends the run with a message when a property of the code under test does not hold.
#define VOLTRANE_FUZZ_CHECK(condition)                                                         \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (0)

}  // namespace voltrane::fuzz
