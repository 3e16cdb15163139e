// Loading a custom mode reads one colour-file entry per lit button (114
// lookups); painting writes one entry. Both go through the INI engine.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "storage/ColourFiles.h"

namespace {

using namespace tessel;

struct BenchSkins {
    BenchSkins()
        : folder(std::filesystem::temp_directory_path() /
                 ("tessel-bench-skins-" + std::to_string(getpid()))) {
        std::filesystem::create_directories(folder);
        ColourFiles files(folder);
        for (int mode = 0; mode < kCustomModeCount; ++mode) {
            files.WriteModeTools(0, mode, {1, MakeColourRef(1, 2, 3), MakeColourRef(4, 5, 6)});
            for (int slot = 0; slot < 64; ++slot) {
                files.WriteSlotColour(0, mode, slot, {MakeColourRef(slot, mode, 9), slot % 2 == 0});
            }
        }
    }
    ~BenchSkins() { std::filesystem::remove_all(folder); }
    std::filesystem::path folder;
};

void BM_ReadCustomMode(benchmark::State& state) {
    BenchSkins skins;
    ColourFiles files(skins.folder);
    for (auto _ : state) {
        benchmark::DoNotOptimize(files.ReadModeTools(0, 9));
        for (int button = 0; button < 114; ++button) {
            benchmark::DoNotOptimize(files.ReadSlotColour(0, 9, button % 64));
        }
    }
}
BENCHMARK(BM_ReadCustomMode)->Unit(benchmark::kMicrosecond);

void BM_PaintOneKey(benchmark::State& state) {
    BenchSkins skins;
    ColourFiles files(skins.folder);
    int step = 0;
    for (auto _ : state) {
        files.WriteSlotColour(0, 5, 18, {MakeColourRef(static_cast<uint8_t>(++step), 0, 0), true});
    }
}
BENCHMARK(BM_PaintOneKey)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
