// Round trips through the whole device stack: command wrapper, transport,
// libTorvex.so, the simulated keyboard, the callback thread and the reply
// event. Each operation is timed on its own so p50 and p99 can be reported.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <vector>

#include "device/DeviceResult.h"
#include "support/SimulatedKeyboard.h"

namespace {

using Clock = std::chrono::steady_clock;

double Percentile(std::vector<double>& samples, double fraction) {
    if (samples.empty())
        return 0;
    const auto at = static_cast<std::size_t>(fraction * static_cast<double>(samples.size() - 1));
    std::nth_element(samples.begin(), samples.begin() + static_cast<long>(at), samples.end());
    return samples[at];
}

template <typename Operation>
void TimeEach(benchmark::State& state, Operation operation) {
    std::vector<double> micros;
    micros.reserve(100000);
    for (auto _ : state) {
        const auto start = Clock::now();
        const int result = operation();
        micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
        if (result != tessel::kDeviceDone) {
            state.SkipWithError("device command failed");
            break;
        }
    }
    state.counters["p50_us"] = Percentile(micros, 0.50);
    state.counters["p99_us"] = Percentile(micros, 0.99);
}

void BM_CommandRoundTrip(benchmark::State& state) {
    tessel::test::SimulatedKeyboard keyboard;
    TimeEach(state, [&] { return keyboard.Link().TestCommand(); });
}
BENCHMARK(BM_CommandRoundTrip)->UseRealTime();

void BM_KeyBlockWrite(benchmark::State& state) {
    tessel::test::SimulatedKeyboard keyboard;
    std::array<uint8_t, tessel::kKeyBlockSize> block{};
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<uint8_t>(i * 7);
    TimeEach(state, [&] { return keyboard.Link().WriteKeyBlock(block, 2); });
}
BENCHMARK(BM_KeyBlockWrite)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
