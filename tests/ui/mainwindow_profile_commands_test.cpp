// The main window's commands on whole profiles against the simulated keyboard:
// the reload after an attach, following the keyboard's own profile key, the
// report rate, restore defaults, apply, the command menu, import and export.

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <filesystem>

#include "MainWindowFixture.h"
#include "mainwindow/LightingPanel.h"
#include "model/LightingModel.h"
#include "model/ProfileImage.h"
#include "skin/qt/CPngButton.h"
#include "storage/DataFolder.h"
#include "torvex_sim.h"

namespace tessel {
namespace {

using namespace std::chrono_literals;
using namespace tessel::testing;

class ProfileCommandsTest : public MainWindowTest {
protected:
    void SetSimActiveProfile(uint8_t profile) {
        SimControl<int (*)(int, uint32_t, const uint8_t*, uint32_t)>("TorvexSimWriteArea")(
            TORVEX_SIM_AREA_DEVICE_INFO, 10, &profile, 1);
    }
    uint8_t SimParameter(int profile, int offset) {
        return ReadSimArea(TORVEX_SIM_AREA_PARAMETERS, profile * 64 + offset, 1).at(0);
    }
    void SetSimParameter(int profile, int offset, uint8_t value) {
        SimControl<int (*)(int, uint32_t, const uint8_t*, uint32_t)>("TorvexSimWriteArea")(
            TORVEX_SIM_AREA_PARAMETERS, profile * 64 + offset, &value, 1);
    }
    int CheckedProfileButton(CTesselDlg& window) {
        int checked = -1;
        for (int i = 0; i < 4; ++i) {
            if (window.Item<CPngButton>(kProfileButtonIds[i])->IsChecked()) {
                EXPECT_EQ(checked, -1) << "one profile button checked at a time";
                checked = i;
            }
        }
        return checked;
    }
    int CheckedReportButton(CTesselDlg& window) {
        int checked = -1;
        for (int i = 0; i < 4; ++i) {
            if (window.Item<CPngButton>(kReportRateButtonIds[i])->IsChecked()) {
                checked = i;
            }
        }
        return checked;
    }
    std::filesystem::path SceneFile() { return SceneFilePath(m_parts.dataFolder); }
    // Apply and import send on the transfer worker.
    void SendAndWait(CTesselDlg& window, int command) {
        window.SendCommand(command);
        ASSERT_TRUE(ProcessEventsUntil([&] { return !window.Core().IsTransferRunning(); }));
    }
};

TEST_F(ProfileCommandsTest, AnAttachLoadsTheKeyboardsConfigurationAndProfile) {
    SetSimActiveProfile(2);
    CTesselDlg& window = StartWindowWithKeyboard();
    EXPECT_EQ(CheckedProfileButton(window), 2);
    ASSERT_NE(window.Core().Lighting(), nullptr);
    EXPECT_EQ(window.Core().Lighting()->CurrentProfile(), 2);
    EXPECT_TRUE(std::filesystem::is_regular_file(SceneFile()))
        << "the scene-mode file is rebuilt from the keyboard";
    EXPECT_FALSE(window.Core().IsApplyEnabled());
    EXPECT_FALSE(window.GetDlgItem(kIdApply)->isEnabled());
}

TEST_F(ProfileCommandsTest, TheWindowFollowsTheKeyboardsOwnProfileKey) {
    CTesselDlg& window = StartWindowWithKeyboard();
    ASSERT_EQ(CheckedProfileButton(window), 0);

    SimControl<int (*)()>("TorvexSimPressProfileKey")();
    EXPECT_TRUE(ProcessEventsUntil([&] { return CheckedProfileButton(window) == 1; }));
    EXPECT_EQ(window.Core().Lighting()->CurrentProfile(), 1);
    EXPECT_EQ(window.Core().Device()->Link().GetActiveProfile(), 1);
    EXPECT_EQ(SimActiveProfile(), 1);

    // Round the four profiles back to the first.
    for (int pressed = 0; pressed < 3; ++pressed) {
        SimControl<int (*)()>("TorvexSimPressProfileKey")();
        ProcessEventsUntil([&] { return CheckedProfileButton(window) == (pressed + 2) % 4; });
    }
    EXPECT_EQ(CheckedProfileButton(window), 0);
    EXPECT_EQ(window.Core().Lighting()->CurrentProfile(), 0);
}

TEST_F(ProfileCommandsTest, AProfileCodeForTheShownProfileReloadsItsLighting) {
    CTesselDlg& window = StartWindowWithKeyboard();
    SetSimParameter(0, 1, 3);  // brightness changed on the keyboard
    Notify(0x0401);
    EXPECT_TRUE(
        ProcessEventsUntil([&] { return window.Core().Lighting()->Current().brightness == 3; }));
    EXPECT_EQ(CheckedProfileButton(window), 0);
}

TEST_F(ProfileCommandsTest, TheReportRateIsSentAtOnceAndRestoreDefaultsAsksFirst) {
    CTesselDlg& window = StartWindowWithKeyboard();
    window.SendCommand(kReportRateButtonIds[2]);
    EXPECT_EQ(SimParameter(0, 15), 2);
    EXPECT_EQ(CheckedReportButton(window), 2);
    EXPECT_FALSE(window.Core().IsApplyEnabled()) << "the report rate does not wait for Apply";

    {
        auto lock = m_editStore.Lock();
        EntryFor(*m_editStore.Image(), 0, 0x01E)->type = 2;  // A plays another key
    }
    SetSimParameter(0, 18, 7);
    m_prompter.answer = PromptAnswer::No;
    window.SendCommand(kIdDefaults);
    ASSERT_EQ(m_prompter.shown.size(), 1u);
    EXPECT_EQ(m_prompter.shown[0].text, Localised(TextKeyEntry::MAIN_PROMPT_DEFAULT));
    EXPECT_EQ(SimParameter(0, 18), 7) << "No changes nothing";
    EXPECT_EQ(CheckedReportButton(window), 2);

    m_prompter.answer = PromptAnswer::Yes;
    SendAndWait(window, kIdDefaults);
    EXPECT_EQ(ReadSimArea(TORVEX_SIM_AREA_PARAMETERS, 18, 6), std::vector<uint8_t>(6, 0));
    EXPECT_EQ(CheckedReportButton(window), 0);
    EXPECT_EQ(SimParameter(0, 15), 2) << "the keyboard keeps its report rate";
    {
        auto lock = m_editStore.Lock();
        EXPECT_EQ(EntryFor(*m_editStore.Image(), 0, 0x01E)->type, 0);
    }
    EXPECT_FALSE(window.Core().IsApplyEnabled()) << "applied at once";
}

TEST_F(ProfileCommandsTest, ApplySendsOnlyPendingEditsAndKeepsApplyOnFailure) {
    CTesselDlg& window = StartWindowWithKeyboard();
    SimControl<void (*)()>("TorvexSimClearFrameLog")();
    window.SendCommand(kIdApply);
    EXPECT_EQ(SimControl<int (*)()>("TorvexSimFrameLogCount")(), 0) << "nothing changed";

    {
        auto lock = m_editStore.Lock();
        EntryFor(*m_editStore.Image(), 0, 0x01E)->type = 2;
        EntryFor(*m_editStore.Image(), 0, 0x01E)->value = 0x030;
    }
    window.Core().EnableApply(true);
    SendAndWait(window, kIdApply);
    EXPECT_FALSE(window.Core().IsApplyEnabled());
    EXPECT_GT(SimControl<int (*)()>("TorvexSimFrameLogCount")(), 0);

    // Without the scene-mode file the edits are not saved: Apply stays on.
    std::filesystem::remove(SceneFile());
    window.Core().EnableApply(true);
    SendAndWait(window, kIdApply);
    EXPECT_TRUE(window.Core().IsApplyEnabled());
    EXPECT_TRUE(window.GetDlgItem(kIdApply)->isEnabled());
}

TEST_F(ProfileCommandsTest, TheCommandMenuOffersImportExportAndTheApplicationRules) {
    CTesselDlg& window = StartWindowWithKeyboard();
    window.SendCommand(kIdCommandMenu);
    QMenu* menu = window.CommandMenu();
    ASSERT_NE(menu, nullptr);
    const QList<QAction*> items = menu->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0]->text().toStdU16String(), Localised(u"IDS_BUTTON_MENU_IMPORT"));
    EXPECT_EQ(items[1]->text().toStdU16String(), Localised(u"IDS_BUTTON_MENU_EXPORT"));
    EXPECT_EQ(items[2]->text().toStdU16String(), Localised(u"IDS_APPPROFILE_MENU"));
    menu->hide();

    // Export, then import what was exported: the import applies and leaves
    // nothing pending.
    const auto exported = std::filesystem::path(m_data.path().toStdString()) / "all.fwc";
    // The export's save dialog, then the import's open dialog.
    m_prompter.fileAnswers = {exported.u16string(), exported.u16string()};
    items[1]->trigger();
    ASSERT_TRUE(std::filesystem::is_regular_file(exported));
    window.Core().EnableApply(true);
    items[0]->trigger();
    EXPECT_FALSE(window.Core().IsApplyEnabled());
    EXPECT_TRUE(ProcessEventsUntil([&] { return !window.Core().IsTransferRunning(); }));
}

TEST_F(ProfileCommandsTest, FollowingAProfileKeyAsksAboutUnappliedEditsAndNoThrowsThemAway) {
    CTesselDlg& window = StartWindowWithKeyboard();
    {
        auto lock = m_editStore.Lock();
        EntryFor(*m_editStore.Image(), 0, 0x01E)->type = 2;
    }
    window.Core().EnableApply(true);
    m_prompter.answer = PromptAnswer::No;

    SimControl<int (*)()>("TorvexSimPressProfileKey")();
    ASSERT_TRUE(ProcessEventsUntil([&] { return CheckedProfileButton(window) == 1; }));
    ASSERT_EQ(m_prompter.shown.size(), 1u);
    EXPECT_EQ(m_prompter.shown[0].text, Localised(TextKeyEntry::PROFILE_SELECT_PROMPT));
    EXPECT_FALSE(window.Core().IsApplyEnabled());
    {
        auto lock = m_editStore.Lock();
        EXPECT_EQ(EntryFor(*m_editStore.Image(), 0, 0x01E)->type, 0)
            << "the edit store was reloaded from the scene-mode file";
    }
    EXPECT_EQ(window.Core().Device()->Link().GetActiveProfile(), 1);
}

TEST_F(ProfileCommandsTest, AnAppliedKeyIsShownAgainAfterTheKeyboardIsPluggedBackIn) {
    CTesselDlg& window = StartWindowWithKeyboard();
    auto* keyA = window.Item<CPngButton>(1058);
    ASSERT_NE(keyA, nullptr);
    EXPECT_FALSE(keyA->IsChecked());
    {
        auto lock = m_editStore.Lock();
        EntryFor(*m_editStore.Image(), 0, 0x01E)->type = 2;
        EntryFor(*m_editStore.Image(), 0, 0x01E)->value = 0x030;  // B
    }
    window.Core().EnableApply(true);
    SendAndWait(window, kIdApply);
    ASSERT_FALSE(window.Core().IsApplyEnabled());

    SetPlugged(false);
    ASSERT_TRUE(ProcessEventsUntil([&] { return window.Core().TrayIconId() == 128; }));
    {
        auto lock = m_editStore.Lock();
        EntryFor(*m_editStore.Image(), 0, 0x01E)->type = 0;  // forget it on the host
    }
    SetPlugged(true);
    ASSERT_TRUE(ProcessEventsUntil([&] { return window.Core().TrayIconId() == 141; }));
    ASSERT_TRUE(Settle());  // the attach reload has read the keyboard
    EXPECT_TRUE(keyA->IsChecked()) << "read back from the keyboard and marked";
    EXPECT_NE(keyA->TooltipText(), keyA->TooltipText().section(' ', 0, 0))
        << "the tooltip names the assignment";
    // The scene button names the scene-mode file of the known profile.
    EXPECT_EQ(window.Item<CPngButton>(kIdSceneButton)->text().toStdU16String(),
              SceneFile().stem().u16string());
}

TEST_F(ProfileCommandsTest, ChoosingAProfileClosesTheOpenLightingPanel) {
    CTesselDlg& window = StartWindowWithKeyboard();
    LightingPanel* panel = window.Panel();
    ASSERT_NE(panel, nullptr);
    panel->ToggleLightingSwitch();
    ASSERT_TRUE(panel->LightingSwitchOn());

    window.SendCommand(kProfileButtonIds[2]);
    EXPECT_FALSE(panel->LightingSwitchOn());
    ASSERT_TRUE(Settle());
    EXPECT_EQ(CheckedProfileButton(window), 2);
    EXPECT_EQ(SimActiveProfile(), 2);
    EXPECT_EQ(window.Core().Lighting()->CurrentProfile(), 2);

    // The profile that is already active only reloads its lighting.
    SimControl<void (*)()>("TorvexSimClearFrameLog")();
    window.SendCommand(kProfileButtonIds[2]);
    ASSERT_TRUE(Settle());
    EXPECT_EQ(CheckedProfileButton(window), 2);
    EXPECT_EQ(SimActiveProfile(), 2);
}

// Unapplied edits over an unplug and plug: kept without a word when the
// keyboard comes back as it left; a keyboard holding other keys asks first,
// and No loads what it holds.
struct ReplugCase {
    const char* name;
    bool otherKeys;
    PromptAnswer answer;
    bool editKept;
};
void PrintTo(const ReplugCase& replug, std::ostream* out) {
    *out << replug.name;
}

class ReplugWithEditsTest : public ProfileCommandsTest,
                            public ::testing::WithParamInterface<ReplugCase> {};

TEST_P(ReplugWithEditsTest, KeepsTheEditsForTheSameKeyboardAndAsksForAnother) {
    const ReplugCase& replug = GetParam();
    CTesselDlg& window = StartWindowWithKeyboard();
    {
        auto lock = m_editStore.Lock();
        EntryFor(*m_editStore.Image(), 0, 0x01E)->type = 2;
        EntryFor(*m_editStore.Image(), 0, 0x01E)->value = 0x030;
    }
    window.Core().EnableApply(true);
    m_prompter.shown.clear();
    m_prompter.answer = replug.answer;

    SetPlugged(false);
    ASSERT_TRUE(ProcessEventsUntil([&] { return window.Core().TrayIconId() == 128; }));
    if (replug.otherKeys) {
        std::vector<uint8_t> block = ReadSimArea(TORVEX_SIM_AREA_KEY_BLOCKS, 0, 192);
        block[0] ^= 0x01;
        SimControl<int (*)(int, uint32_t, const uint8_t*, uint32_t)>("TorvexSimWriteArea")(
            TORVEX_SIM_AREA_KEY_BLOCKS, 0, block.data(), static_cast<uint32_t>(block.size()));
    }
    SetPlugged(true);
    ASSERT_TRUE(ProcessEventsUntil([&] { return window.Core().TrayIconId() == 141; }));
    ASSERT_TRUE(Settle());

    const auto asked = std::count_if(m_prompter.shown.begin(), m_prompter.shown.end(),
                                     [&](const ShownMessage& shown) {
                                         return shown.text == Localised(u"IDS_MAIN_OTHER_KEYBOARD");
                                     });
    EXPECT_EQ(asked, replug.otherKeys ? 1 : 0);
    EXPECT_EQ(window.Core().IsApplyEnabled(), replug.editKept);
    const auto lock = m_editStore.Lock();
    EXPECT_EQ(EntryFor(*m_editStore.Image(), 0, 0x01E)->type == 2, replug.editKept);
}

INSTANTIATE_TEST_SUITE_P(
    Replug, ReplugWithEditsTest,
    ::testing::Values(ReplugCase{"SameKeyboard", false, PromptAnswer::No, true},
                      ReplugCase{"OtherKeysKept", true, PromptAnswer::Yes, true},
                      ReplugCase{"OtherKeysLoaded", true, PromptAnswer::No, false}),
    [](const ::testing::TestParamInfo<ReplugCase>& info) { return info.param.name; });

}  // namespace
}  // namespace tessel
