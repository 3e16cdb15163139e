// Configuration files at their largest (100 macros of 2000 actions, a text on
// many keys): encoding and decoding in memory, and the atomic write and load
// through a real file, as apply, import and the scene load do.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "model/ConfigStore.h"
#include "storage/ConfigFile.h"

namespace {

using namespace tessel;

void FillLargest(ConfigStore& store) {
    store.SetImage(DefaultImage());
    for (int i = 0; i < 400; ++i) {
        const int slot = (i * 5) % kEntryCount;
        store.Image()->entries[static_cast<std::size_t>(slot)].type =
            static_cast<uint16_t>(AssignmentType::LaunchProgram);
        store.Texts().Set(slot, u"/usr/local/bin/some-rather-long-program-name --with arguments");
    }
    store.Macros().resize(kMaxMacros);
    for (std::size_t m = 0; m < store.Macros().size(); ++m) {
        MacroRecord& macro = store.Macros()[m];
        macro.SetName(u"Macro number " + std::u16string(1, static_cast<char16_t>(u'A' + m % 26)));
        macro.identifier = static_cast<uint16_t>(m + 1);
        macro.actionCount = kMaxMacroActions;
        for (int a = 0; a < kMaxMacroActions; ++a) {
            macro.actions[static_cast<std::size_t>(a)] = {10, 0x1E, static_cast<uint16_t>(a % 2)};
        }
    }
}

std::filesystem::path BenchFile() {
    return std::filesystem::temp_directory_path() /
           ("tessel-bench-config-" + std::to_string(getpid()) + ".fwc");
}

void BM_EncodeLargestConfiguration(benchmark::State& state) {
    ConfigStore store;
    FillLargest(store);
    for (auto _ : state) {
        auto bytes = EncodeConfigFile(*store.Image(), store.Macros(), store.Texts());
        benchmark::DoNotOptimize(bytes.data());
        state.counters["bytes"] = static_cast<double>(bytes.size());
    }
}
BENCHMARK(BM_EncodeLargestConfiguration)->Unit(benchmark::kMillisecond);

void BM_DecodeLargestConfiguration(benchmark::State& state) {
    ConfigStore store;
    FillLargest(store);
    const auto bytes = EncodeConfigFile(*store.Image(), store.Macros(), store.Texts());
    for (auto _ : state) {
        auto configuration = DecodeConfigFile(bytes);
        benchmark::DoNotOptimize(configuration);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_DecodeLargestConfiguration)->Unit(benchmark::kMillisecond);

void BM_WriteAndLoadScene(benchmark::State& state) {
    ConfigStore store;
    if (state.range(0) == 1) {
        FillLargest(store);
    } else {
        store.SetImage(DefaultImage());
    }
    const auto file = BenchFile();
    ConfigStore loaded;
    for (auto _ : state) {
        if (!WriteConfigFile(file, store) || LoadConfigFile(file, loaded) != 1) {
            state.SkipWithError("write or load failed");
            break;
        }
    }
    std::filesystem::remove(file);
}
BENCHMARK(BM_WriteAndLoadScene)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// An imported file whose text area is large and holds no terminator, with
// every entry a text entry: each text is read no further than it can be used.
void BM_DecodeUnterminatedTextArea(benchmark::State& state) {
    auto image = DefaultImage();
    for (KeyAssignment& entry : image->entries) {
        entry.type = static_cast<uint16_t>(AssignmentType::TextBlock);
    }
    TextTable none;
    std::vector<uint8_t> bytes = EncodeConfigFile(*image, {}, none);
    const uint32_t areaSize = static_cast<uint32_t>(state.range(0));
    NewImage(image->header, 0, areaSize, 0);
    EncodeProfileImage(*image, std::span(bytes).first<kProfileImageSize>());
    bytes.resize(bytes.size() + areaSize, 'x');
    for (auto _ : state) {
        auto configuration = DecodeConfigFile(bytes);
        benchmark::DoNotOptimize(configuration);
    }
}
BENCHMARK(BM_DecodeUnterminatedTextArea)->Arg(1 << 16)->Arg(1 << 22)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
