#pragma once
// The fuzz input as a file, for targets whose code under test reads a path. Each process writes its
// inputs into one private temporary file: made by mkstemp, so it has a fresh name and mode 0600 and is
// never a file or link that someone else put in the temporary folder. It is rewritten through its own
// descriptor for every input and removed when the process exits.

#include <sys/types.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace voltrane::fuzz {

class FuzzInputFile {
public:
    explicit FuzzInputFile(const std::string& stem) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / ("voltrane-fuzz-" + stem + "-XXXXXX")).string();
        m_fd = ::mkstemp(pattern.data());
        if (m_fd < 0) std::abort();
        m_path = pattern;
    }
    ~FuzzInputFile() {
        ::close(m_fd);
        ::unlink(m_path.c_str());
    }
    FuzzInputFile(const FuzzInputFile&) = delete;
    FuzzInputFile& operator=(const FuzzInputFile&) = delete;

    // Replaces the file's contents with `size` bytes; aborts when that fails (a broken harness, not
    // a finding).
    const std::filesystem::path& Write(const uint8_t* data, size_t size) {
        if (::ftruncate(m_fd, 0) != 0) std::abort();
        for (size_t done = 0; done < size;) {
            const ssize_t written = ::pwrite(m_fd, data + done, size - done, static_cast<off_t>(done));
            if (written <= 0) std::abort();
            done += static_cast<size_t>(written);
        }
        return m_path;
    }

private:
    int m_fd = -1;
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
