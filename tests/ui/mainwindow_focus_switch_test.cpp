// The main window follows the application in front the way a profile button
// switches, and never at the cost of work: while the key editor is open or
// edits are not applied the switch waits, the window says so, and it is made
// once the hold is over.

#include <QLabel>
#include <QSystemTrayIcon>
#include <fstream>

#include "MainWindowFixture.h"
#include "mainwindow/MainWindowIds.h"
#include "model/LightingModel.h"
#include "platform/FocusWatcher.h"
#include "resident/FocusSwitchDriver.h"
#include "torvex_sim.h"

namespace tessel::testing {
namespace {

using namespace std::chrono_literals;

constexpr int kKeyButtonA = 1058;

// Stands for the desktop: the test says which application comes in front.
struct FakeDesktop {
    FocusWatcher::FrontChanged changed;
    void Front(std::u16string application) { changed({std::move(application), 1}); }
};

class FakeWatcher final : public FocusWatcher {
public:
    explicit FakeWatcher(FakeDesktop& desktop) : desktop_(desktop) {}
    void Watch(FrontChanged changed) override { desktop_.changed = std::move(changed); }
    std::vector<std::u16string> OpenApplications() override { return {u"Gimp", u"Kate"}; }

private:
    FakeDesktop& desktop_;
};

class FocusSwitchTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        m_parts.focusWatchers = [this] { return std::make_unique<FakeWatcher>(m_desktop); };
        std::filesystem::create_directories(m_parts.dataFolder);
        std::ofstream(m_parts.dataFolder / "wskb.ini")
            << "[AppProfiles]\r\nRule1=4,Gimp\r\nRule2=2,Kate\r\nRule3=x\r\n";
    }
    CTesselDlg& Start() {
        CTesselDlg& window = StartWindowWithKeyboard();
        EXPECT_TRUE(ProcessEventsUntil([&] { return m_desktop.changed != nullptr; }));
        return window;
    }
    bool Waits(CTesselDlg& window) {
        return ProcessEventsUntil(
            [&] { return window.Core().FocusSwitch()->Waiting().has_value(); });
    }
    QLabel* WaitLine(CTesselDlg& window) {
        for (QLabel* label : window.findChildren<QLabel*>()) {
            if (label->accessibleName() == QStringLiteral("focus switch waits")) {
                return label;
            }
        }
        return nullptr;
    }

    FakeDesktop m_desktop;
};

TEST_F(FocusSwitchTest, TheOpenEditorHoldsTheSwitchUntilItCloses) {
    CTesselDlg& window = Start();
    EXPECT_EQ(window.Core().FocusSwitch()->RuleProblems().size(), 1u);
    window.KeyEditor()->SetModeless(true);
    window.SendCommand(kKeyButtonA);
    ASSERT_TRUE(window.KeyEditor()->IsOpen());

    m_desktop.Front(u"gimp");
    ASSERT_TRUE(Waits(window));
    ASSERT_TRUE(Settle());
    EXPECT_EQ(SimActiveProfile(), 0);
    ASSERT_NE(WaitLine(window), nullptr);
    EXPECT_FALSE(WaitLine(window)->isHidden());
    EXPECT_TRUE(WaitLine(window)->text().contains(QStringLiteral("gimp")));
    EXPECT_TRUE(m_prompter.shown.empty()) << "a switch that waits asks nothing";

    window.KeyEditor()->CloseKeyEditor();
    EXPECT_TRUE(ProcessEventsUntil([&] { return Settle() && SimActiveProfile() == 3; }));
    EXPECT_TRUE(WaitLine(window)->isHidden());
    EXPECT_EQ(window.Core().Lighting()->CurrentProfile(), 3);
    if (QSystemTrayIcon* icon = window.Core().TrayIcon()) {
        EXPECT_TRUE(icon->toolTip().contains(QStringLiteral("gimp")))
            << icon->toolTip().toStdString();
    }
}

TEST_F(FocusSwitchTest, UnappliedEditsGoToTheOldProfileBeforeTheSwitch) {
    CTesselDlg& window = Start();
    window.Core().EnableApply(true);
    m_desktop.Front(u"Kate");
    ASSERT_TRUE(Waits(window));
    ASSERT_TRUE(Settle());
    EXPECT_EQ(SimActiveProfile(), 0);

    SimControl<void (*)()>("TorvexSimClearFrameLog")();
    ApplyAndWait(window);
    EXPECT_TRUE(ProcessEventsUntil([&] { return Settle() && SimActiveProfile() == 1; }));
    // The commands sent: the edits' key block, then the profile switch.
    std::vector<int> commands;
    for (const int command : SimCommandsSent()) {
        if ((command == 0x08 || command == 0x04) &&
            (commands.empty() || commands.back() != command)) {
            commands.push_back(command);
        }
    }
    EXPECT_EQ(commands, (std::vector<int>{0x08, 0x04}));
    EXPECT_FALSE(window.Core().IsApplyEnabled());
    EXPECT_TRUE(m_prompter.shown.empty());
}

// A keyboard that refuses (busy) or does not answer is not told about: the switch is tried again
// at the next focus change.
TEST_F(FocusSwitchTest, AKeyboardThatDoesNotAnswerIsSkippedQuietlyAndTriedAgain) {
    CTesselDlg& window = Start();
    m_prompter.shown.clear();
    SimControl<void (*)()>("TorvexSimClearFrameLog")();
    SimControl<int (*)(int, int, int)>("TorvexSimSetFault")(TORVEX_SIM_FAULT_BUSY_FF, 1000, 0);
    m_desktop.Front(u"Gimp");
    // The switch's job has talked to the keyboard and failed.
    ASSERT_TRUE(ProcessEventsUntil(
        [&] { return !SimCommandsSent().empty() && window.Core().IsKeyboardSettled(); }, 30s));
    EXPECT_TRUE(m_prompter.shown.empty());
    EXPECT_EQ(SimActiveProfile(), 0);

    SimControl<void (*)()>("TorvexSimClearFaults")();
    m_desktop.Front(u"Kate");
    EXPECT_TRUE(ProcessEventsUntil([&] { return Settle() && SimActiveProfile() == 1; }));
    EXPECT_TRUE(m_prompter.shown.empty());
}

}  // namespace
}  // namespace tessel::testing
