// The device link's own work: building and decoding a full button report, and one whole apply
// against the virtual mouse with a sleeper that does not wait, so that what is measured is the work
// beyond the mandated 300 ms pauses (report building, transfers, the "download.bin" copy).

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "device/apply_sequence.h"
#include "device/factory_state.h"
#include "device/reports.h"
#include "device/step_records.h"
#include "device/virtual_mouse.h"

namespace {

using namespace voltrane;

// A configuration that fills the button report: buttons 2-9 carry 25-record macros (2000 bytes),
// button 10 is disabled.
MouseSetting fullSetting() {
    MouseSetting s;
    s.ResetToDefaults();
    for (int b = 1; b < kButtonCount; ++b) {
        s.m_nItem[b] = b < 9 ? kFunctionMacro : kFunctionDisable;
        for (int r = 0; r < kMaxButtonRecords; ++r) {
            const uint8_t record[kStepRecordBytes] = {
                r % 2 ? kRecordKeyboard : kRecordMousePress, 1, uint8_t(r), 0, 0, 0, 0, 0, 5, 0};
            std::copy(std::begin(record), std::end(record), s.m_MacroData[b] + r * kStepRecordBytes);
        }
        s.m_nMacroDataLen[b] = kMaxButtonRecords * kStepRecordBytes;
    }
    return s;
}

class NoWait final : public Sleeper {
public:
    void Sleep(std::chrono::milliseconds) override {}
};

void BM_BuildButtonReport(benchmark::State& state) {
    const MouseSetting setting = fullSetting();
    for (auto _ : state) benchmark::DoNotOptimize(BuildButtonReport(setting));
}
BENCHMARK(BM_BuildButtonReport);

void BM_DecodeButtonReport(benchmark::State& state) {
    const ButtonReportBuild build = BuildButtonReport(fullSetting());
    auto store = std::make_unique<MacroStore>();
    MouseSetting setting;
    for (auto _ : state) {
        setting.ResetToDefaults();
        benchmark::DoNotOptimize(DecodeButtonReport(build.report, setting, *store));
    }
}
BENCHMARK(BM_DecodeButtonReport);

// One apply: settings report sent and fetched back, button report built, copied to
// "download.bin" (in a tmpfs folder where one exists, so the copy costs no disk flush wait) and sent.
void BM_ApplyToVirtualMouse(benchmark::State& state) {
    const std::filesystem::path shm = "/dev/shm";
    std::filesystem::path dir = std::filesystem::exists(shm) ? shm : std::filesystem::temp_directory_path();
    dir /= "voltrane-bench-" + std::to_string(::getpid());
    std::filesystem::create_directories(dir);
    const MouseSetting setting = fullSetting();
    VirtualMouse mouse(FactoryState());
    NoWait sleeper;
    CHidDevice hid(mouse);
    DeviceContext context{hid, sleeper, dir};
    for (auto _ : state) {
        if (RunApply(setting, context).outcome != ApplyOutcome::Done) state.SkipWithError("apply failed");
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_ApplyToVirtualMouse)->Unit(benchmark::kMicrosecond);

}  // namespace
