// The program in the tray without its window: nothing of the window exists
// until it is first shown, what the keyboard, the clock and other processes
// ask is carried out all the same, and the first Open shows that state.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <fstream>
#include <future>
#include <iterator>
#include <map>

#include "FakeClockChanges.h"
#include "MainWindowFixture.h"
#include "app/AppIdentity.h"
#include "model/KeyButtons.h"
#include "model/LightingModel.h"
#include "model/ProfileImage.h"
#include "platform/RequestEndpoint.h"
#include "skin/qt/CPngButton.h"
#include "torvex_sim.h"

namespace tessel {
namespace {

using namespace std::chrono_literals;
using namespace tessel::testing;

constexpr int kKeyIndexA = 0x1E;

// What the program keeps: the keyboard's profile and key blocks, the core's
// view of them, the edit store and every file of the user's data folder.
struct KeptState {
    int keyboardProfile = -1;
    int coreProfile = -1;
    int lightingProfile = -1;
    bool applyEnabled = false;
    std::vector<uint8_t> keyBlocks;
    uint16_t editedKeyA = 0;
    std::map<std::string, std::string> dataFiles;
};

// What the window shows of that state.
struct ShownState {
    int checkedProfile = -1;
    QString sceneCaption;
    std::vector<QString> keyTooltips;
    bool applyEnabled = false;
};

class ResidentCoreTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        m_parts.clockChanges = &m_clock;
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        m_parts.clockChanges = nullptr;
    }

    // A start into the tray with a keyboard attached, the attach handled.
    ResidentCore& StartInTray() {
        SetPlugged(true);
        ResidentCore& core = StartCore({"/Start"});
        EXPECT_TRUE(ProcessEventsUntil([&] { return core.TrayIconId() == kTrayIconKeyboard; }));
        EXPECT_TRUE(Settle());
        return core;
    }
    // As the tray's Open: the window is built when the keyboard is counted.
    CTesselDlg* Open(ResidentCore& core) {
        EXPECT_TRUE(ProcessEventsUntil([&] {
            core.OnTrayCommand(kCommandOpen);
            return core.IsWindowVisible();
        }));
        m_prompter.shown.clear();
        m_window = core.WindowIfBuilt();
        return m_window;
    }
    std::optional<RequestReply> Deliver(const WindowRequest& request) {
        auto reply = std::async(std::launch::async, [&] {
            return DeliverRequestWithText(kInstanceName, getpid(), kMainMarker, request, {}, 20s);
        });
        ProcessEventsUntil([&] { return reply.wait_for(0ms) == std::future_status::ready; }, 25s);
        return reply.get();
    }

    KeptState Kept(ResidentCore& core) {
        Settle();
        KeptState state;
        state.keyboardProfile = SimActiveProfile();
        state.coreProfile = core.ActiveProfile();
        state.lightingProfile = core.Lighting()->CurrentProfile();
        state.applyEnabled = core.IsApplyEnabled();
        state.keyBlocks = ReadSimArea(TORVEX_SIM_AREA_KEY_BLOCKS, 0, 4 * 192);
        {
            const auto lock = m_editStore.Lock();
            state.editedKeyA = EntryFor(*m_editStore.Image(), 0, kKeyIndexA)->type;
        }
        for (const auto& file : std::filesystem::directory_iterator(m_parts.dataFolder)) {
            std::ifstream in(file.path(), std::ios::binary);
            state.dataFiles[file.path().filename().string()] =
                std::string(std::istreambuf_iterator<char>(in), {});
        }
        return state;
    }
    static ShownState Shown(CTesselDlg& window) {
        ShownState state;
        for (int profile = 0; profile < kProfileCount; ++profile) {
            if (window.Item<CPngButton>(kProfileButtonIds[profile])->IsChecked()) {
                state.checkedProfile = profile;
            }
        }
        state.sceneCaption = window.Item<CPngButton>(kIdSceneButton)->text();
        for (const KeyButton& key : kKeyButtons) {
            state.keyTooltips.push_back(window.Item<CPngButton>(key.controlId)->TooltipText());
        }
        for (const GKeyButton& key : kGKeyButtons) {
            state.keyTooltips.push_back(window.Item<CPngButton>(key.controlId)->TooltipText());
        }
        state.applyEnabled = window.GetDlgItem(kIdApply)->isEnabled();
        return state;
    }
    // The next run starts from the same keyboard and the same empty folders.
    void Forget() {
        ReleaseWindow();
        SimControl<void (*)()>("TorvexSimReset")();
        std::filesystem::remove_all(m_parts.dataFolder);
        std::filesystem::remove_all(m_paths.colourFilePrefix.parent_path());
        std::filesystem::create_directories(m_paths.colourFilePrefix.parent_path());
        const auto lock = m_editStore.Lock();
        m_editStore.Clear();
    }

    FakeClockChanges m_clock;
};

// No widget of the main window, nor any skinned one, is made by a start into
// the tray, whatever the keyboard asked meanwhile.
bool AnySkinnedWidget() {
    for (QWidget* widget : QApplication::allWidgets()) {
        if (qobject_cast<CBaseDialog*>(widget) || qobject_cast<CPngButton*>(widget) ||
            qobject_cast<CBaseDialog*>(widget->window())) {
            return true;
        }
    }
    return false;
}

TEST_F(ResidentCoreTest, AStartIntoTheTrayBuildsNoWindowUntilTheFirstOpen) {
    ResidentCore& core = StartInTray();
    SimControl<int (*)()>("TorvexSimPressProfileKey")();
    ASSERT_TRUE(ProcessEventsUntil([&] { return core.ActiveProfile() == 1; }));
    ASSERT_TRUE(Settle());
    EXPECT_EQ(core.WindowIfBuilt(), nullptr);
    EXPECT_FALSE(AnySkinnedWidget());
    ASSERT_NE(core.TrayMenu(), nullptr);

    CTesselDlg* window = Open(core);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->Item<CPngButton>(kProfileButtonIds[1])->IsChecked());
    EXPECT_FALSE(window->Item<CPngButton>(kProfileButtonIds[0])->IsChecked());

    // Hidden, it stays built: the next Open shows the same window.
    core.HideWindow();
    EXPECT_EQ(Open(core), window);
}

class TrayEventTest;
struct TrayEvent {
    const char* name;
    std::function<void(TrayEventTest&, ResidentCore&)> happen;
};

void PrintTo(const TrayEvent& event, std::ostream* out) {
    *out << event.name;
}

class TrayEventTest : public ResidentCoreTest, public ::testing::WithParamInterface<TrayEvent> {
public:
    using ResidentCoreTest::Deliver;
    using ResidentCoreTest::m_clock;
    using ResidentCoreTest::m_editStore;
    using ResidentCoreTest::SetPlugged;
};

TEST_P(TrayEventTest, LeavesTheStateAWindowWouldHaveLeftAndTheFirstOpenShowsIt) {
    KeptState kept[2];
    ShownState shown[2];
    for (bool windowShown : {true, false}) {
        Forget();
        ResidentCore& core = StartInTray();
        if (windowShown) {
            ASSERT_NE(Open(core), nullptr);
        }
        GetParam().happen(*this, core);
        kept[windowShown] = Kept(core);
        ASSERT_EQ(core.WindowIfBuilt() != nullptr, windowShown);
        CTesselDlg* window = Open(core);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(Settle());
        shown[windowShown] = Shown(*window);
    }
    EXPECT_EQ(kept[false].keyboardProfile, kept[true].keyboardProfile);
    EXPECT_EQ(kept[false].coreProfile, kept[false].keyboardProfile);
    EXPECT_EQ(kept[false].lightingProfile, kept[true].lightingProfile);
    EXPECT_EQ(kept[false].applyEnabled, kept[true].applyEnabled);
    EXPECT_EQ(kept[false].keyBlocks, kept[true].keyBlocks);
    EXPECT_EQ(kept[false].editedKeyA, kept[true].editedKeyA);
    EXPECT_EQ(kept[false].dataFiles, kept[true].dataFiles);
    EXPECT_EQ(shown[false].checkedProfile, kept[false].coreProfile);
    EXPECT_EQ(shown[false].sceneCaption, shown[true].sceneCaption);
    EXPECT_EQ(shown[false].keyTooltips, shown[true].keyTooltips);
    EXPECT_EQ(shown[false].applyEnabled, shown[true].applyEnabled);
}

INSTANTIATE_TEST_SUITE_P(
    Tray, TrayEventTest,
    ::testing::Values(
        TrayEvent{"Reattach",
                  [](TrayEventTest& t, ResidentCore& core) {
                      t.SetPlugged(false);
                      ASSERT_TRUE(ProcessEventsUntil(
                          [&] { return core.TrayIconId() == kTrayIconNoKeyboard; }));
                      t.SetPlugged(true);
                      ASSERT_TRUE(ProcessEventsUntil(
                          [&] { return core.TrayIconId() == kTrayIconKeyboard; }));
                  }},
        TrayEvent{"KeyboardProfileKey",
                  [](TrayEventTest&, ResidentCore& core) {
                      SimControl<int (*)()>("TorvexSimPressProfileKey")();
                      ASSERT_TRUE(ProcessEventsUntil([&] { return core.ActiveProfile() == 1; }));
                  }},
        TrayEvent{"ClockChangeWithPendingEdits",
                  [](TrayEventTest& t, ResidentCore& core) {
                      {
                          const auto lock = t.m_editStore.Lock();
                          EntryFor(*t.m_editStore.Image(), 0, kKeyIndexA)->type =
                              static_cast<uint16_t>(AssignmentType::Disabled);
                      }
                      // As the key editor leaves a window it changed a key in.
                      if (CTesselDlg* window = core.WindowIfBuilt()) {
                          window->RefreshKeyButtonLabels();
                      }
                      core.EnableApply(true);
                      t.m_clock.ChangeClock();
                      ASSERT_TRUE(ProcessEventsUntil([&] { return !core.IsApplyEnabled(); }));
                  }},
        TrayEvent{"OutsideProfileCommand",
                  [](TrayEventTest& t, ResidentCore&) {
                      const auto reply = t.Deliver({kKeyboardCommandMessage, kProfileTag, 2});
                      ASSERT_TRUE(reply.has_value());
                      EXPECT_EQ(reply->text, "profile 3 is active");
                  }}),
    [](const ::testing::TestParamInfo<TrayEvent>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tessel
