// The keyboard's one owner, against the simulated keyboard answering each frame
// 2 ms late as over USB: every user of the keyboard takes its turn, so no
// transfer bracket holds another job's frame; Apply runs off the window's
// thread, fails as a whole when a frame fails, holds up the exit until its
// last frame; and a keyboard that stops answering never holds the window.

#include <gtest/gtest.h>

#include <unistd.h>
#include <QComboBox>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <future>
#include <optional>
#include <vector>

#include "FakeClockChanges.h"
#include "MainWindowFixture.h"
#include "app/AppIdentity.h"
#include "device/CommandFrame.h"
#include "editors/CTessel_DlgProfile.h"
#include "editors/SceneSwitch.h"
#include "mainwindow/LightingPanelControls.h"
#include "model/AssignmentEdits.h"
#include "model/MacroList.h"
#include "model/ProfileImage.h"
#include "platform/ClockChanges.h"
#include "platform/MainWindowRequests.h"
#include "platform/RequestEndpoint.h"
#include "skin/qt/CPngButton.h"
#include "storage/ConfigFile.h"
#include "torvex_sim.h"

namespace tessel {
namespace {

using namespace std::chrono_literals;
using namespace tessel::testing;

constexpr uint8_t kBegin = static_cast<uint8_t>(DeviceCommand::BeginTransfer);
constexpr uint8_t kEnd = static_cast<uint8_t>(DeviceCommand::EndTransfer);

class DeviceTransfersTest : public MainWindowTest {
public:
    using MainWindowTest::m_editStore;
    using MainWindowTest::m_prompter;
    using MainWindowTest::ReadSimArea;
    using MainWindowTest::SimActiveProfile;
    FakeClockChanges m_clock;

protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        m_parts.clockChanges = &m_clock;
        SimControl<int (*)(int)>("TorvexSimSetFrameDelay")(2);
    }
    // Every frame in the simulator's log carries the job that sent it.
    CTesselDlg& StartLabelledWindow() {
        CTesselDlg& window = StartWindowWithKeyboard();
        window.Core().Session()->SetJobObserver([](uint64_t job, bool begins) {
            SimControl<int (*)(uint32_t)>("TorvexSimLabelFrames")(
                begins ? static_cast<uint32_t>(job) : 0);
        });
        return window;
    }

public:
    // No frame of one job inside another's bracket, and no frame from outside
    // the session at all; the number of brackets.
    int ExpectBracketsHoldOneJobEach() {
        int brackets = 0;
        uint32_t open = 0;
        for (const TorvexSimFrame& frame : SimFrames()) {
            if (frame.direction != TORVEX_SIM_TO_KEYBOARD ||
                frame.channel != TORVEX_SIM_CHANNEL_COMMAND) {
                continue;
            }
            EXPECT_NE(frame.label, 0u) << "a frame sent past the keyboard's session";
            const uint8_t command = frame.bytes[CommandFrame::kCommandAt];
            if (open != 0) {
                EXPECT_EQ(frame.label, open) << "command " << int(command) << " of job "
                                             << frame.label << " inside job " << open;
            }
            if (command == kBegin) {
                open = frame.label;
                ++brackets;
            } else if (command == kEnd) {
                open = 0;
            }
        }
        return brackets;
    }
    // Each job's frames in one run: no job sends between another's frames,
    // even one whose bracket never ended because the keyboard left.
    void ExpectJobsOneAfterAnother() {
        std::vector<uint32_t> finished;
        uint32_t current = 0;
        for (const TorvexSimFrame& frame : SimFrames()) {
            if (frame.direction != TORVEX_SIM_TO_KEYBOARD || frame.label == current) {
                continue;
            }
            EXPECT_EQ(std::ranges::count(finished, frame.label), 0)
                << "job " << frame.label << " sent again after job " << current;
            finished.push_back(current);
            current = frame.label;
        }
    }
    std::optional<RequestReply> DeliverFromAnotherProcess(const WindowRequest& request,
                                                          const std::string& payload) {
        auto reply = std::async(std::launch::async, [&] {
            return DeliverRequestWithText(kInstanceName, getpid(), kMainMarker, request, payload,
                                          20s);
        });
        ProcessEventsUntil([&] { return reply.wait_for(0ms) == std::future_status::ready; }, 25s);
        return reply.get();
    }
    std::vector<uint8_t> KeyBlock(int profile) {
        return ReadSimArea(TORVEX_SIM_AREA_KEY_BLOCKS, static_cast<uint32_t>(profile) * 192, 192);
    }

protected:
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
                    AppendMacroAction(macros.back(),
                                      {10 * a, uint16_t(0x02 + a % 20), uint16_t(a % 2)});
                }
            }
        }
        window.Core().EnableApply(true);
    }
    void ClearFrameLog() { SimControl<void (*)()>("TorvexSimClearFrameLog")(); }
};

// A second keyboard user, started while an Apply is being sent, waits its
// turn: both take effect, in order, and no bracket holds the other's frames.
struct SecondUser {
    const char* name;
    std::function<void(DeviceTransfersTest&, CTesselDlg&, const std::filesystem::path&)> start;
    std::function<void(DeviceTransfersTest&, CTesselDlg&, const std::filesystem::path&)> check;
};

const SecondUser kSecondUsers[] = {
    {"TerminalBackup",
     [](DeviceTransfersTest& t, CTesselDlg&, const std::filesystem::path& file) {
         const auto reply =
             t.DeliverFromAnotherProcess({kKeyboardCommandMessage, kBackupTag, 0}, file.string());
         ASSERT_TRUE(reply.has_value());
         EXPECT_EQ(reply->result, 1) << reply->text;
     },
     [](DeviceTransfersTest&, CTesselDlg&, const std::filesystem::path& file) {
         // The backup ran after the Apply: it holds the user's edit.
         const auto backup = ReadConfigFile(file);
         ASSERT_TRUE(backup.has_value());
         EXPECT_EQ(EntryFor(*backup->image, 0, 0x01E)->value, 0x030u);
     }},
    {"TerminalProfile",
     [](DeviceTransfersTest& t, CTesselDlg&, const std::filesystem::path&) {
         const auto reply =
             t.DeliverFromAnotherProcess({kKeyboardCommandMessage, kProfileTag, 2}, {});
         ASSERT_TRUE(reply.has_value());
         EXPECT_EQ(reply->result, 1) << reply->text;
     },
     [](DeviceTransfersTest& t, CTesselDlg&, const std::filesystem::path&) {
         EXPECT_EQ(t.SimActiveProfile(), 2);
     }},
    {"ProfileButton",
     [](DeviceTransfersTest&, CTesselDlg& window, const std::filesystem::path&) {
         window.SendCommand(kProfileButtonIds[1]);
     },
     [](DeviceTransfersTest& t, CTesselDlg&, const std::filesystem::path&) {
         EXPECT_EQ(t.SimActiveProfile(), 1);
     }},
    {"KeyboardProfileKey",
     [](DeviceTransfersTest&, CTesselDlg&, const std::filesystem::path&) {
         SimControl<int (*)()>("TorvexSimPressProfileKey")();
     },
     [](DeviceTransfersTest& t, CTesselDlg& window, const std::filesystem::path&) {
         EXPECT_TRUE(ProcessEventsUntil([&] {
             return window.Item<CPngButton>(kProfileButtonIds[1])->IsChecked() &&
                    window.Core().IsKeyboardSettled();
         }));
         EXPECT_EQ(t.SimActiveProfile(), 1);
     }},
    {"ReportRate",
     [](DeviceTransfersTest&, CTesselDlg& window, const std::filesystem::path&) {
         window.SendCommand(kReportRateButtonIds[2]);
     },
     [](DeviceTransfersTest& t, CTesselDlg&, const std::filesystem::path&) {
         EXPECT_EQ(t.ReadSimArea(TORVEX_SIM_AREA_PARAMETERS, 15, 1).at(0), 2);
     }},
    {"SceneManagerOk",
     [](DeviceTransfersTest&, CTesselDlg& window, const std::filesystem::path&) {
         CTessel_DlgProfile& manager = window.Core().Scenes()->Manager();
         manager.OpenModeless();
         manager.CheckRow(3);
         manager.SetModified(true);
         manager.SendCommand(kIdOk);
     },
     [](DeviceTransfersTest& t, CTesselDlg&, const std::filesystem::path&) {
         EXPECT_EQ(t.SimActiveProfile(), 3);
     }},
    {"TerminalRestore",
     [](DeviceTransfersTest& t, CTesselDlg&, const std::filesystem::path& file) {
         auto image = DefaultImage();
         EntryFor(*image, 0, 0x01E)->type = static_cast<uint16_t>(AssignmentType::Disabled);
         ConfigStore store;
         store.SetImage(std::move(image));
         ASSERT_TRUE(WriteConfigFile(file, store));
         const auto reply =
             t.DeliverFromAnotherProcess({kKeyboardCommandMessage, kRestoreTag, 0}, file.string());
         ASSERT_TRUE(reply.has_value());
         EXPECT_EQ(reply->result, 1) << reply->text;
     },
     [](DeviceTransfersTest& t, CTesselDlg&, const std::filesystem::path&) {
         // The restore came last: the keyboard and the window show the file.
         EXPECT_EQ(t.ExpectBracketsHoldOneJobEach(), 2);
         const auto lock = t.m_editStore.Lock();
         EXPECT_EQ(EntryFor(*t.m_editStore.Image(), 0, 0x01E)->type,
                   static_cast<uint16_t>(AssignmentType::Disabled));
     }},
    {"ClockSetApply",
     [](DeviceTransfersTest& t, CTesselDlg& window, const std::filesystem::path&) {
         {
             const auto lock = t.m_editStore.Lock();
             EntryFor(*t.m_editStore.Image(), 0, 0x030)->type = 2;
             EntryFor(*t.m_editStore.Image(), 0, 0x030)->value = 0x031;
         }
         window.Core().EnableApply(true);
         t.m_clock.ChangeClock();
     },
     [](DeviceTransfersTest& t, CTesselDlg& window, const std::filesystem::path&) {
         EXPECT_EQ(t.ExpectBracketsHoldOneJobEach(), 2);
         EXPECT_FALSE(window.Core().IsApplyEnabled()) << "the second edit reached the keyboard too";
     }},
    {"ImportFile",
     [](DeviceTransfersTest& t, CTesselDlg& window, const std::filesystem::path& file) {
         // Exported while the Apply runs, imported right behind it.
         t.m_prompter.fileAnswers = {file.u16string()};
         window.SendCommand(kCommandExport);
         t.m_prompter.fileAnswers = {file.u16string()};
         window.SendCommand(kCommandImport);
     },
     [](DeviceTransfersTest& t, CTesselDlg&, const std::filesystem::path&) {
         EXPECT_EQ(t.ExpectBracketsHoldOneJobEach(), 2);
     }},
};

class SecondUserTest : public DeviceTransfersTest, public ::testing::WithParamInterface<int> {};

TEST_P(SecondUserTest, WaitsForTheApplyInFlight) {
    const SecondUser& user = kSecondUsers[GetParam()];
    CTesselDlg& window = StartLabelledWindow();
    EditKeysAndMacros(window);
    const auto before = KeyBlock(0);
    const auto file = std::filesystem::path(m_data.path().toStdString()) / "second.fwc";
    ClearFrameLog();
    window.SendCommand(kIdApply);
    ASSERT_TRUE(window.Core().IsTransferRunning());
    user.start(*this, window, file);
    ASSERT_TRUE(Settle());
    EXPECT_GE(ExpectBracketsHoldOneJobEach(), 1);
    // The user's Apply is on the keyboard, whatever came after it.
    EXPECT_NE(KeyBlock(0), before);
    user.check(*this, window, file);
}

INSTANTIATE_TEST_SUITE_P(KeyboardUsers, SecondUserTest,
                         ::testing::Range(0, static_cast<int>(std::size(kSecondUsers))),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(kSecondUsers[info.param].name);
                         });

TEST_F(DeviceTransfersTest, ASecondApplyWaitsItsTurnAndTheWindowAnswersMeanwhile) {
    CTesselDlg& window = StartLabelledWindow();
    EditKeysAndMacros(window);
    ClearFrameLog();

    window.SendCommand(kIdApply);
    ASSERT_TRUE(window.Core().IsTransferRunning()) << "the frames go out on the keyboard's session";
    bool answered = false;
    bool transferRanMeanwhile = false;
    QTimer::singleShot(0, &window, [&] {
        answered = true;
        transferRanMeanwhile = window.Core().IsTransferRunning();
    });
    window.SendCommand(kIdApply);  // queued behind the first
    ASSERT_TRUE(ProcessEventsUntil([&] { return answered; }));
    EXPECT_TRUE(transferRanMeanwhile) << "a posted event ran before the transfer ended";

    ASSERT_TRUE(Settle());
    EXPECT_FALSE(window.Core().IsApplyEnabled());
    EXPECT_EQ(ExpectBracketsHoldOneJobEach(), 2) << "two transfers, one after the other";
    const std::vector<uint8_t> sent = SimCommandsSent();
    EXPECT_EQ(sent.front(), kBegin);
    EXPECT_EQ(sent.back(), kEnd);
}

TEST_F(DeviceTransfersTest, AnEditMadeDuringTheTransferKeepsApplyEnabled) {
    CTesselDlg& window = StartWindowWithKeyboard();
    EditKeysAndMacros(window);
    window.SendCommand(kIdApply);
    ASSERT_TRUE(window.Core().IsTransferRunning());
    window.Core().EnableApply(true);  // an editor changed the edit store meanwhile
    ASSERT_TRUE(Settle());
    EXPECT_TRUE(window.Core().IsApplyEnabled());
}

// Whether the keyboard stays away or comes back before the last key block,
// the Apply that lost frames is a failed one: it stays to be done, and the
// user is told.
class UnplugMidApplyTest : public DeviceTransfersTest,
                           public ::testing::WithParamInterface<bool> {};

TEST_P(UnplugMidApplyTest, FailsTheWholeApply) {
    const bool comesBack = GetParam();
    CTesselDlg& window = StartLabelledWindow();
    EditKeysAndMacros(window);
    ClearFrameLog();
    m_prompter.shown.clear();
    SimControl<int (*)(int, int, int)>("TorvexSimSetFault")(TORVEX_SIM_FAULT_REMOVE, 10, 0);
    window.SendCommand(kIdApply);
    if (comesBack) {
        // Plugged in again as soon as the window has seen it go.
        ASSERT_TRUE(ProcessEventsUntil([&] { return window.Core().TrayIconId() == 128; }));
        SimControl<int (*)()>("TorvexSimPlug")();
        ASSERT_TRUE(ProcessEventsUntil([&] { return window.Core().TrayIconId() == 141; }));
        ASSERT_TRUE(Settle());  // the attach reload has read the keyboard
    }
    ASSERT_TRUE(ProcessEventsUntil([&] { return !window.Core().IsTransferRunning(); }, 15s));
    ASSERT_TRUE(Settle());
    EXPECT_TRUE(window.Core().IsApplyEnabled());
    EXPECT_TRUE(window.GetDlgItem(kIdApply)->isEnabled());
    EXPECT_FALSE(m_prompter.shown.empty()) << "the failed Apply is told";
    // The attach's reload took its turn after the failed Apply.
    ExpectJobsOneAfterAnother();
}

// The clock-set Apply runs first; an import asked for meanwhile follows it
// and is what the keyboard holds in the end.
TEST_F(DeviceTransfersTest, AnImportWhileAClockSetApplyRunsReachesTheKeyboard) {
    CTesselDlg& window = StartLabelledWindow();
    EditKeysAndMacros(window);
    const auto file = std::filesystem::path(m_data.path().toStdString()) / "import.fwc";
    {
        auto image = DefaultImage();
        EntryFor(*image, 0, 0x01E)->type = static_cast<uint16_t>(AssignmentType::Disabled);
        ConfigStore store;
        store.SetImage(std::move(image));
        ASSERT_TRUE(WriteConfigFile(file, store));
    }
    ClearFrameLog();
    m_clock.ChangeClock();
    ASSERT_TRUE(window.Core().IsTransferRunning());
    m_prompter.fileAnswers = {file.u16string()};
    window.SendCommand(kCommandImport);
    ASSERT_TRUE(Settle());

    EXPECT_EQ(ExpectBracketsHoldOneJobEach(), 2);
    EXPECT_FALSE(window.Core().IsApplyEnabled()) << "the import was sent";
    const auto lock = m_editStore.Lock();
    EXPECT_EQ(EntryFor(*m_editStore.Image(), 0, 0x01E)->type,
              static_cast<uint16_t>(AssignmentType::Disabled));
}

INSTANTIATE_TEST_SUITE_P(KeyboardGoneOrBack, UnplugMidApplyTest, ::testing::Bool());

TEST_F(DeviceTransfersTest, KillMidApplyExitsOnlyAfterTheLastFrameWasAnswered) {
    CTesselDlg& window = StartWindowWithKeyboard();
    EditKeysAndMacros(window);
    ClearFrameLog();
    window.SendCommand(kIdApply);
    ASSERT_TRUE(window.Core().IsTransferRunning());
    SendFromWorker(WindowRequest{kKillMessage, kKillTag, 0});

    EXPECT_FALSE(window.Core().IsTransferRunning());
    const std::vector<TorvexSimFrame> frames = SimFrames();
    int sent = 0;
    int answered = 0;
    for (const TorvexSimFrame& frame : frames) {
        if (frame.channel == TORVEX_SIM_CHANNEL_COMMAND) {
            ++(frame.direction == TORVEX_SIM_TO_KEYBOARD ? sent : answered);
        }
    }
    EXPECT_EQ(SimCommandsSent().back(), kEnd);
    EXPECT_EQ(sent, answered);
}

// The exit closes the switch question: nothing of the switch runs after it.
TEST_F(DeviceTransfersTest, AnExitDuringTheSwitchQuestionRunsTheExitOnceAndNothingAfter) {
    CTesselDlg& window = StartWindowWithKeyboard();
    EditKeysAndMacros(window);
    ClearFrameLog();
    m_prompter.answer = PromptAnswer::No;
    m_prompter.whileShown = [&] { window.Core().ExitSequence(); };
    window.SendCommand(kProfileButtonIds[2]);
    ProcessEventsFor(200ms);
    EXPECT_EQ(m_services.mutexCloses, 1);
    EXPECT_EQ(SimActiveProfile(), 0) << "no switch after the exit";
    for (const uint8_t command : SimCommandsSent()) {
        EXPECT_NE(command, static_cast<uint8_t>(DeviceCommand::WriteDeviceInfo));
    }
}

// A keyboard that stops answering never holds the window: a click returns at
// once, other requests are answered meanwhile, and the failure is told once.
TEST_F(DeviceTransfersTest, AKeyboardThatStopsAnsweringNeverHoldsTheWindowAndIsToldOnce) {
    CTesselDlg& window = StartWindowWithKeyboard();
    SimControl<int (*)(int, int, int)>("TorvexSimSetFault")(TORVEX_SIM_FAULT_LOST_REPLY, 1000, 0);
    ClearFrameLog();
    m_prompter.shown.clear();

    auto request = std::async(std::launch::async, [&] {
        return m_window->Core().SendRequest(WindowRequest{kLanguageMessage, 0, 0});
    });
    window.SendCommand(kProfileButtonIds[2]);
    window.SendCommand(kReportRateButtonIds[1]);
    EXPECT_TRUE(SimCommandsSent().size() <= std::size_t(kTransactTries))
        << "the window's thread sends nothing itself";
    ASSERT_TRUE(
        ProcessEventsUntil([&] { return request.wait_for(0ms) == std::future_status::ready; }));

    ASSERT_TRUE(ProcessEventsUntil([&] { return window.Core().IsKeyboardSettled(); }, 30s));
    EXPECT_EQ(m_prompter.shown.size(), 1u) << "told once, however many jobs failed";
    ASSERT_FALSE(m_prompter.shown.empty());
    EXPECT_EQ(m_prompter.shown[0].text, Localised(u"IDS_MAIN_DEVICE_NO_ANSWER"));
    SimControl<void (*)()>("TorvexSimClearFaults")();
}

}  // namespace
}  // namespace tessel
