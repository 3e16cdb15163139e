// Transfers a user action starts, against the simulated keyboard answering each
// frame 2 ms late as over USB: Apply runs off the window's thread, one at a
// time, survives an unplug, holds up the exit until its last frame; and a
// keyboard that stops answering costs one frame's time-outs and is told.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QTimer>
#include <chrono>
#include <future>
#include <vector>

#include "MainWindowFixture.h"
#include "device/CommandFrame.h"
#include "mainwindow/LightingPanelControls.h"
#include "model/MacroList.h"
#include "model/ProfileImage.h"
#include "platform/MainWindowRequests.h"
#include "torvex_sim.h"

namespace tessel {
namespace {

using namespace std::chrono_literals;
using namespace tessel::testing;

class DeviceTransfersTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        SimControl<int (*)(int)>("TorvexSimSetFrameDelay")(2);
    }
    void TearDown() override {
        SimControl<int (*)(int)>("TorvexSimSetFrameDelay")(0);
        MainWindowTest::TearDown();
    }

    // An edit of key A and enough macros for a macro area of some sixty frames.
    void EditKeysAndMacros(CTesselDlg& window) {
        {
            auto lock = m_editStore.Lock();
            EntryFor(*m_editStore.Image(), 0, 0x01E)->type = 2;
            EntryFor(*m_editStore.Image(), 0, 0x01E)->value = 0x030;
            std::vector<MacroRecord>& macros = m_editStore.Macros();
            for (int m = 0; m < 20; ++m) {
                AddNewMacro(macros, NumberedMacroName(u"Macro ", m + 1));
                for (uint32_t a = 0; a < 40; ++a) {
                    AppendMacroAction(macros.back(), {10 * a, uint16_t(0x02 + a % 20),
                                                      uint16_t(a % 2)});
                }
            }
        }
        window.EnableApply(true);
    }
    std::vector<TorvexSimFrame> Frames() {
        std::vector<TorvexSimFrame> frames(SimControl<int (*)()>("TorvexSimFrameLogCount")());
        for (int i = 0; i < static_cast<int>(frames.size()); ++i) {
            SimControl<int (*)(int, TorvexSimFrame*)>("TorvexSimFrameLogEntry")(i, &frames[i]);
        }
        return frames;
    }
    std::vector<uint8_t> CommandsSent() {
        std::vector<uint8_t> commands;
        for (const TorvexSimFrame& frame : Frames()) {
            if (frame.direction == TORVEX_SIM_TO_KEYBOARD &&
                frame.channel == TORVEX_SIM_CHANNEL_COMMAND) {
                commands.push_back(frame.bytes[CommandFrame::kCommandAt]);
            }
        }
        return commands;
    }
    void ClearFrameLog() { SimControl<void (*)()>("TorvexSimClearFrameLog")(); }
};

constexpr uint8_t kBegin = static_cast<uint8_t>(DeviceCommand::BeginTransfer);
constexpr uint8_t kEnd = static_cast<uint8_t>(DeviceCommand::EndTransfer);

TEST_F(DeviceTransfersTest, TheWindowAnswersDuringAnApplyAndASecondApplyIsRefused) {
    CTesselDlg& window = StartWindowWithKeyboard();
    EditKeysAndMacros(window);
    ClearFrameLog();

    window.SendCommand(kIdApply);
    ASSERT_TRUE(window.IsTransferRunning()) << "the frames go out on the transfer worker";
    bool answered = false;
    bool transferRanMeanwhile = false;
    QTimer::singleShot(0, &window, [&] {
        answered = true;
        transferRanMeanwhile = window.IsTransferRunning();
    });
    window.SendCommand(kIdApply);  // refused: the first is still running
    ASSERT_TRUE(ProcessEventsUntil([&] { return answered; }));
    EXPECT_TRUE(transferRanMeanwhile) << "a posted event ran before the transfer ended";
    EXPECT_TRUE(window.Panel() != nullptr);

    ASSERT_TRUE(ProcessEventsUntil([&] { return !window.IsTransferRunning(); }));
    EXPECT_FALSE(window.IsApplyEnabled());
    const std::vector<uint8_t> sent = CommandsSent();
    ASSERT_GT(sent.size(), 60u);
    EXPECT_EQ(std::count(sent.begin(), sent.end(), kBegin), 1) << "one transfer, not two";
    EXPECT_EQ(sent.front(), kBegin);
    EXPECT_EQ(sent.back(), kEnd);
}

TEST_F(DeviceTransfersTest, AnEditMadeDuringTheTransferKeepsApplyEnabled) {
    CTesselDlg& window = StartWindowWithKeyboard();
    EditKeysAndMacros(window);
    window.SendCommand(kIdApply);
    ASSERT_TRUE(window.IsTransferRunning());
    window.EnableApply(true);  // an editor changed the edit store meanwhile
    ASSERT_TRUE(ProcessEventsUntil([&] { return !window.IsTransferRunning(); }));
    EXPECT_TRUE(window.IsApplyEnabled());
}

TEST_F(DeviceTransfersTest, AnUnplugMidApplyLeavesApplyEnabledAndNoTransferBehind) {
    CTesselDlg& window = StartWindowWithKeyboard();
    EditKeysAndMacros(window);
    SimControl<int (*)(int, int, int)>("TorvexSimSetFault")(TORVEX_SIM_FAULT_REMOVE, 10, 0);
    window.SendCommand(kIdApply);
    ASSERT_TRUE(ProcessEventsUntil([&] { return !window.IsTransferRunning(); }, 15s));
    EXPECT_TRUE(window.IsApplyEnabled());
    EXPECT_TRUE(window.GetDlgItem(kIdApply)->isEnabled());
    EXPECT_TRUE(ProcessEventsUntil([&] { return window.TrayIconId() == 128; }));
}

TEST_F(DeviceTransfersTest, KillMidApplyExitsOnlyAfterTheLastFrameWasAnswered) {
    CTesselDlg& window = StartWindowWithKeyboard();
    EditKeysAndMacros(window);
    ClearFrameLog();
    window.SendCommand(kIdApply);
    ASSERT_TRUE(window.IsTransferRunning());
    SendFromWorker(WindowRequest{kKillMessage, kKillTag, 0});

    EXPECT_FALSE(window.IsTransferRunning());
    const std::vector<TorvexSimFrame> frames = Frames();
    int sent = 0;
    int answered = 0;
    for (const TorvexSimFrame& frame : frames) {
        if (frame.channel == TORVEX_SIM_CHANNEL_COMMAND) {
            ++(frame.direction == TORVEX_SIM_TO_KEYBOARD ? sent : answered);
        }
    }
    EXPECT_EQ(CommandsSent().back(), kEnd);
    EXPECT_EQ(sent, answered);
}

TEST_F(DeviceTransfersTest, AKeyboardThatStopsAnsweringCostsOneFramesTimeOutsAndIsTold) {
    CTesselDlg& window = StartWindowWithKeyboard();
    SimControl<int (*)(int, int, int)>("TorvexSimSetFault")(TORVEX_SIM_FAULT_LOST_REPLY, 1000, 0);

    // A change in the lighting panel: one sequence of frames too.
    auto* effects = window.Item<QComboBox>(kIdEffectList);
    ASSERT_NE(effects, nullptr);
    ASSERT_GT(effects->count(), 2);
    ClearFrameLog();
    effects->setCurrentIndex(effects->currentIndex() == 2 ? 1 : 2);
    EXPECT_EQ(CommandsSent().size(), 3u);
    ASSERT_TRUE(ProcessEventsUntil([&] { return !m_prompter.shown.empty(); }));
    ClearFrameLog();
    m_prompter.shown.clear();

    const auto start = std::chrono::steady_clock::now();
    // Another thread's request, sent while the click runs, is answered after it.
    auto request = std::async(std::launch::async, [&] {
        std::this_thread::sleep_for(100ms);
        return m_window->SendRequest(WindowRequest{kLanguageMessage, 0, 0});
    });
    window.SendCommand(kProfileButtonIds[2]);
    const auto clicked = std::chrono::steady_clock::now() - start;
    EXPECT_LT(clicked, 3500ms);
    EXPECT_EQ(CommandsSent().size(), 3u) << "only the first frame's three tries";
    ASSERT_TRUE(ProcessEventsUntil(
        [&] { return request.wait_for(0ms) == std::future_status::ready; }));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3500ms);

    ASSERT_TRUE(ProcessEventsUntil([&] { return !m_prompter.shown.empty(); }));
    EXPECT_EQ(m_prompter.shown.size(), 1u) << "one message per failed action";
    EXPECT_EQ(m_prompter.shown[0].text, Localised(u"IDS_MAIN_DEVICE_NO_ANSWER"));
    SimControl<void (*)()>("TorvexSimClearFaults")();
}

}  // namespace
}  // namespace tessel
