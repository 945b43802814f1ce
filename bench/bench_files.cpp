// Profile and macro-store files: the real save-and-load paths beside baselines that move the same
// bytes with plain file I/O. Each real benchmark has two baselines:
// - "PlainIo": writes the same bytes the way the real path does (a temporary file, write, fsync,
//   close, rename over the target, fsync of the folder) and reads them back whole. This is the
//   fair comparison: it differs from the real path only by the INI and record handling.
// - "PlainIoNoSync": the same without the two fsync calls, to show how much of the time the disk
//   flush takes (the real path always flushes).
// All files live in one fresh folder under the temporary folder ($TMPDIR or /tmp). Times are wall
// clock (fsync waits for the disk).

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "settings/macro_files.h"
#include "settings/mouse_setting.h"
#include "settings/profile.h"
#include "settings/text_tables.h"
#include "settings/utf.h"

namespace {

namespace fs = std::filesystem;
using namespace voltrane;

// The benchmark folder, created on first use and removed when the process ends.
class BenchDir {
public:
    BenchDir() {
        std::string pattern = (fs::temp_directory_path() / "voltrane-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        m_path = pattern;
    }
    ~BenchDir() {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    const fs::path& path() const { return m_path; }

private:
    fs::path m_path;
};

const fs::path& Dir() {
    static const BenchDir dir;
    return dir.path();
}

void WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) std::abort();
        done += static_cast<std::size_t>(n);
    }
}

// The baseline write: temporary file, write, (fsync,) close, rename, (fsync of the folder).
void PlainReplace(const fs::path& path, const std::string& bytes, bool sync) {
    std::string name = ".";
    name += path.filename().string();
    name += ".tmp";
    const fs::path temp = path.parent_path() / name;
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) std::abort();
    WriteAll(fd, bytes);
    if (sync && ::fsync(fd) != 0) std::abort();
    if (::close(fd) != 0) std::abort();
    if (::rename(temp.c_str(), path.c_str()) != 0) std::abort();
    if (sync) {
        const int folder = ::open(path.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::fsync(folder);
        ::close(folder);
    }
}

// The baseline read: the whole file into a string.
std::string PlainRead(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) std::abort();
    struct stat info {};
    ::fstat(fd, &info);
    std::string bytes(static_cast<std::size_t>(info.st_size), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    return bytes;
}

// A profile in which every item, key byte, macro byte and button name is set.
MouseSetting FullProfile() {
    MouseSetting s;
    for (int i = 0; i < kItemCount; ++i) s.m_nItem[i] = i * 7919 - 500000;
    for (int b = 0; b < kButtonCount; ++b) {
        for (int k = 0; k < kKeyStringLength; ++k) s.m_KeyData[b][k] = static_cast<uint8_t>(b * 10 + k + 1);
        for (int k = 0; k < kMacroRowBytes; ++k) s.m_MacroData[b][k] = static_cast<uint8_t>(b + k * 3 + 1);
        s.m_strButtonMacro[b] = u"Macro \u00e4\u4e2d " + std::u16string(1, char16_t(u'A' + b));
    }
    return s;
}

// A store with 300 macros of 50 steps each and a name in one of several scripts for each.
std::unique_ptr<MacroStore> FullStore() {
    static const std::u16string kStems[] = {u"Reload",
                                            u"Sch\u00fctzen",
                                            u"\u8fde\u53d1\u5b8f",
                                            u"\u30de\u30af\u30ed",
                                            u"\ub9e4\ud06c\ub85c",
                                            u"\u041c\u0430\u043a\u0440\u043e"};
    auto store = std::make_unique<MacroStore>();
    store->m_nMacroCount = kMaxMacros;
    for (uint32_t i = 0; i < kMaxMacros; ++i) {
        MacroRecord& r = store->m_Macro[i];
        r.count = 50;
        r.length = 200;
        for (int s = 0; s < 50; ++s) {
            r.steps[s].kind = (s % 2 == 0) ? kKeyDown : kKeyUp;
            for (int d = 0; d < 10; ++d) r.steps[s].data[d] = static_cast<uint8_t>((i + s + d) % 104 + 1);
        }
        store->m_strMacroNames[i] = kStems[i % std::size(kStems)] + u" " + DecimalUtf16(i + 1);
    }
    return store;
}

// --- Profile: SaveProfile then LoadProfile ---------------------------------------------------

void BM_ProfileSaveLoad(benchmark::State& state) {
    const MouseSetting saved = FullProfile();
    const fs::path path = Dir() / "Setting1.ini";
    MouseSetting loaded;
    for (auto _ : state) {
        if (!SaveProfile(saved, path, Dir() / "mouse.mac", kEnglish)) state.SkipWithError("save failed");
        if (LoadProfile(loaded, path, kEnglish, 0) != ProfileLoad::Loaded)
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(loaded.m_nItem[0]);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * fs::file_size(path) * 2);
}
BENCHMARK(BM_ProfileSaveLoad)->UseRealTime()->Unit(benchmark::kMicrosecond);

void ProfilePlain(benchmark::State& state, bool sync) {
    const fs::path path = Dir() / "Setting1-plain.ini";
    if (!SaveProfile(FullProfile(), path, Dir() / "mouse.mac", kEnglish)) std::abort();
    const std::string bytes = PlainRead(path);
    for (auto _ : state) {
        PlainReplace(path, bytes, sync);
        const std::string back = PlainRead(path);
        benchmark::DoNotOptimize(back.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()) *
                            2);
}
void BM_ProfileSaveLoad_PlainIo(benchmark::State& state) { ProfilePlain(state, true); }
void BM_ProfileSaveLoad_PlainIoNoSync(benchmark::State& state) { ProfilePlain(state, false); }
BENCHMARK(BM_ProfileSaveLoad_PlainIo)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ProfileSaveLoad_PlainIoNoSync)->UseRealTime()->Unit(benchmark::kMicrosecond);

// --- Macro store: WriteMacroStore then ReadMacroFile and ReadMacroNames ------------------------

void BM_MacroStoreWriteRead(benchmark::State& state) {
    const auto saved = FullStore();
    auto loaded = std::make_unique<MacroStore>();
    const fs::path macroPath = Dir() / "mouse.mac";
    const fs::path namePath = Dir() / "mouse.name";
    for (auto _ : state) {
        if (!WriteMacroStore(*saved, macroPath, namePath)) state.SkipWithError("write failed");
        if (ReadMacroFile(*loaded, macroPath) != MacroFileRead::Read) state.SkipWithError("read failed");
        ReadMacroNames(*loaded, namePath, kEnglish);
        benchmark::DoNotOptimize(loaded->m_nMacroCount);
    }
    const auto bytes = fs::file_size(macroPath) + fs::file_size(namePath);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes * 2));
}
BENCHMARK(BM_MacroStoreWriteRead)->UseRealTime()->Unit(benchmark::kMicrosecond);

void MacroStorePlain(benchmark::State& state, bool sync) {
    const fs::path macroPath = Dir() / "plain.mac";
    const fs::path namePath = Dir() / "plain.name";
    if (!WriteMacroStore(*FullStore(), macroPath, namePath)) std::abort();
    const std::string macroBytes = PlainRead(macroPath);
    const std::string nameBytes = PlainRead(namePath);
    for (auto _ : state) {
        PlainReplace(macroPath, macroBytes, sync);
        PlainReplace(namePath, nameBytes, sync);
        const std::string macroBack = PlainRead(macroPath);
        const std::string nameBack = PlainRead(namePath);
        benchmark::DoNotOptimize(macroBack.data());
        benchmark::DoNotOptimize(nameBack.data());
    }
    const auto bytes = macroBytes.size() + nameBytes.size();
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes * 2));
}
void BM_MacroStoreWriteRead_PlainIo(benchmark::State& state) { MacroStorePlain(state, true); }
void BM_MacroStoreWriteRead_PlainIoNoSync(benchmark::State& state) { MacroStorePlain(state, false); }
BENCHMARK(BM_MacroStoreWriteRead_PlainIo)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MacroStoreWriteRead_PlainIoNoSync)->UseRealTime()->Unit(benchmark::kMicrosecond);

}  // namespace
