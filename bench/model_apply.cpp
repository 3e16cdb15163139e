// What an apply computes before the USB link: the macro area for the largest
// macro lists and the key blocks of all four profiles, and the decoding of a
// full macro area read back from the keyboard.

#include <benchmark/benchmark.h>

#include "model/KeyBlockCodec.h"
#include "model/KeyTable.h"
#include "model/MacroArea.h"
#include "model/MacroList.h"

namespace tessel {
namespace {

// The largest capacity the keyboard can report: 255 units of 128 bytes.
constexpr uint32_t kLargestCapacity = 255 * 128;

std::vector<MacroRecord> Macros(int actionsEach) {
    std::vector<MacroRecord> macros;
    for (int i = 0; i < kMaxMacros; ++i) {
        AddNewMacro(macros, NumberedMacroName(u"Macro ", i + 1));
        for (int a = 0; a < actionsEach; ++a) {
            AppendMacroAction(macros.back(),
                              {static_cast<uint32_t>(10 * a), static_cast<uint16_t>(0x02 + a % 50),
                               static_cast<uint16_t>(a % 2)});
        }
    }
    return macros;
}

// As many actions per macro as 100 macros without names can have in the
// largest macro area.
int ActionsThatFit() {
    return static_cast<int>((kLargestCapacity - 16 - 2 * kMaxMacros) / kMaxMacros - 4) / 4;
}

void MacroAreaSizesOfTheLargestList(benchmark::State& state) {
    const auto macros = Macros(kMaxMacroActions);
    for (auto _ : state) {
        benchmark::DoNotOptimize(MacroAreaSizes(macros));
    }
}
BENCHMARK(MacroAreaSizesOfTheLargestList)->Unit(benchmark::kMicrosecond);

void BuildMacroAreaAtCapacity(benchmark::State& state) {
    const auto macros = Macros(ActionsThatFit());
    const uint32_t size = MacroAreaSizes(macros).needed;
    for (auto _ : state) {
        benchmark::DoNotOptimize(BuildMacroArea(macros, size, false));
    }
    state.counters["bytes"] = size;
}
BENCHMARK(BuildMacroAreaAtCapacity)->Unit(benchmark::kMicrosecond);

void DecodeFullMacroArea(benchmark::State& state) {
    const auto macros = Macros(ActionsThatFit());
    const auto area = BuildMacroArea(macros, MacroAreaSizes(macros).needed, false);
    for (auto _ : state) {
        benchmark::DoNotOptimize(DecodeMacroArea(area, u"Macro "));
    }
}
BENCHMARK(DecodeFullMacroArea)->Unit(benchmark::kMicrosecond);

void BuildKeyBlocksOfFourProfiles(benchmark::State& state) {
    auto image = DefaultImage();
    const auto macros = Macros(0);
    for (int p = 0; p < 4; ++p) {
        for (int i = 0; i < kEntriesPerProfile; ++i) {
            KeyAssignment& entry = *EntryFor(*image, p, i);
            entry.type =
                static_cast<uint16_t>(i % 2 ? AssignmentType::Key : AssignmentType::PlayMacro);
            entry.value = i % 2 ? KeyCodeOfIndex(static_cast<uint16_t>(i % 128)) : 100;
        }
    }
    for (auto _ : state) {
        for (int p = 0; p < 4; ++p) {
            benchmark::DoNotOptimize(BuildKeyBlock(*image, macros, p, BuiltInDefaultKeyBlock()));
        }
    }
}
BENCHMARK(BuildKeyBlocksOfFourProfiles)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tessel

BENCHMARK_MAIN();
