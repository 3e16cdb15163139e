// The window's event loop while an import (four key blocks) or an Apply (the
// active profile's) sends a full macro area to the simulated keyboard
// answering every frame 2 ms late, as over USB: how long the transfer takes
// and the longest the window's thread went without running its events
// meanwhile.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "MainWindowFixture.h"
#include "model/MacroArea.h"
#include "model/MacroList.h"
#include "model/ProfileImage.h"

namespace tessel {
namespace {

using namespace tessel::testing;
using namespace std::chrono_literals;

class Harness : public MainWindowTest {
public:
    using MainWindowTest::SetUp;
    using MainWindowTest::StartWindowWithKeyboard;
    using MainWindowTest::TearDown;
    void TestBody() override {}

    // One macro as long as the keyboard's macro area holds, and an edit in
    // every profile.
    void FillEditStore() {
        auto lock = m_editStore.Lock();
        std::vector<MacroRecord>& macros = m_editStore.Macros();
        macros.clear();
        AddNewMacro(macros, u"M1");
        const MacroAction press{10, 0x1E, 1};
        while (MacroAreaSizes(macros).full + kMacroActionSize <= m_keyboard.MacroCapacity() &&
               AppendMacroAction(macros.back(), press)) {
        }
        for (int profile = 0; profile < 4; ++profile) {
            EntryFor(*m_editStore.Image(), profile, 0x01E)->type = 2;
            EntryFor(*m_editStore.Image(), profile, 0x01E)->value = 0x030;
        }
    }

    // Exports the edit store, then imports it again: all four profiles go out.
    void ImportWhileMeasuring(benchmark::State& state) {
        CTesselDlg& window = *m_window;
        const auto file = std::filesystem::path(m_data.path().toStdString()) / "all.fwc";
        m_prompter.fileAnswers = {file.u16string()};
        window.SendCommand(kCommandExport);
        m_prompter.fileAnswers = {file.u16string()};
        MeasureWhile(state, [&] { window.SendCommand(kCommandImport); });
    }
    void ApplyWhileMeasuring(benchmark::State& state) {
        CTesselDlg& window = *m_window;
        window.Core().EnableApply(true);
        MeasureWhile(state, [&] { window.SendCommand(kIdApply); });
    }

    void MeasureWhile(benchmark::State& state, const std::function<void()>& start) {
        CTesselDlg& window = *m_window;

        QElapsedTimer clock;
        qint64 last = 0;
        qint64 longest = 0;
        QTimer tick;
        tick.setInterval(1);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            longest = std::max(longest, clock.elapsed() - last);
            last = clock.elapsed();
        });
        clock.start();
        tick.start();
        start();
        longest = std::max(longest, clock.elapsed() - last);
        ProcessEventsUntil([&] { return window.Core().IsKeyboardSettled(); }, 60s);
        tick.stop();
        state.counters["transfer_ms"] = double(clock.elapsed());
        state.counters["longest_stall_ms"] = double(longest);
    }
};

// A window attached to the keyboard, its edit store full, the frames 2 ms late.
void MeasureTransfer(benchmark::State& state, void (Harness::*transfer)(benchmark::State&)) {
    for (auto _ : state) {
        Harness harness;
        harness.SetUp();
        harness.StartWindowWithKeyboard();
        harness.FillEditStore();
        SimControl<int (*)(int)>("TorvexSimSetFrameDelay")(2);
        (harness.*transfer)(state);
        SimControl<int (*)(int)>("TorvexSimSetFrameDelay")(0);
        harness.TearDown();
    }
}

void ImportOfFourKeyBlocksAndAFullMacroArea(benchmark::State& state) {
    MeasureTransfer(state, &Harness::ImportWhileMeasuring);
}
BENCHMARK(ImportOfFourKeyBlocksAndAFullMacroArea)->Iterations(1)->Unit(benchmark::kMillisecond);

void ApplyOfOneKeyBlockAndAFullMacroArea(benchmark::State& state) {
    MeasureTransfer(state, &Harness::ApplyWhileMeasuring);
}
BENCHMARK(ApplyOfOneKeyBlockAndAFullMacroArea)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessel

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
