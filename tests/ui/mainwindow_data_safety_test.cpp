// What the user made is not lost through the main window: the custom modes
// after an attach, custom-mode changes that cannot be saved, the
// colour-selection flags at restore defaults, an unreadable macro area, the
// hidden test button, and Apply on a clock change.

#include <gtest/gtest.h>

#include <QComboBox>
#include <algorithm>

#include "FakeClockChanges.h"
#include "MainWindowFixture.h"
#include "mainwindow/LightingPanelControls.h"
#include "model/AssignmentEdits.h"
#include "model/KeyButtons.h"
#include "model/LightingColour.h"
#include "model/LightingModel.h"
#include "platform/ClockChanges.h"
#include "platform/LittleEndian.h"
#include "skin/qt/CPngButton.h"
#include "storage/LightingFileStore.h"
#include "storage/WriteFailureNotice.h"
#include "text/SafeFormat.h"
#include "torvex_sim.h"

namespace tessel {
namespace {

using namespace tessel::testing;

constexpr uint8_t kTestCommand = 0x0D;
constexpr uint8_t kWriteKeyBlockCommand = 0x08;
constexpr int kQLedSlot = 18;
constexpr int kASlot = 19;  // the A key's slot in the key blocks

class DataSafetyTest : public MainWindowTest {
protected:
    LightingFileStore ColourFiles() {
        return LightingFileStore(m_paths.colourFilePrefix.parent_path(), m_parts.dataFolder);
    }
    // Commands the keyboard received since the log was last cleared.
    std::vector<uint8_t> CommandsSent() {
        Settle();
        return SimCommandsSent();
    }
    void ClearSimLog() { SimControl<void (*)()>("TorvexSimClearFrameLog")(); }
    std::vector<uint8_t> SimKeySlot(int profile, int slot) {
        return ReadSimArea(TORVEX_SIM_AREA_KEY_BLOCKS, profile * 192 + slot * 3, 3);
    }
    const QPixmap* Drawn(CTesselDlg& window, int controlId) {
        CPngButton* button = window.Item<CPngButton>(controlId);
        button->grab();
        return button->LastPicture();
    }
};

TEST_F(DataSafetyTest, AnAttachLoadsTheCustomModesOfTheCurrentProfile) {
    LightingFileStore files = ColourFiles();
    files.WritePresentMode(0, 2);
    files.WriteModeName(0, 3, u"Evening");
    files.WriteModeTools(0, 2, {kLinkedColourTool, MakeColourRef(1, 2, 3), MakeColourRef(4, 5, 6)});
    files.WriteSlotColour(0, 2, kQLedSlot, {MakeColourRef(7, 8, 9), false});

    CTesselDlg& window = StartWindowWithKeyboard();
    const LightingModel& lighting = *window.Core().Lighting();
    EXPECT_EQ(lighting.PresentMode(), 2);
    EXPECT_EQ(lighting.Tools().tool, kLinkedColourTool);
    EXPECT_EQ(lighting.Tools().linkedColour, MakeColourRef(1, 2, 3));
    EXPECT_EQ(lighting.Tools().plainColour, MakeColourRef(4, 5, 6));
    EXPECT_EQ(lighting.SlotColour(kQLedSlot), MakeColourRef(7, 8, 9));
    const auto* modes = window.Item<QComboBox>(kIdCustomModeList);
    ASSERT_NE(modes, nullptr);
    EXPECT_EQ(modes->count(), kCustomModeCount);
    EXPECT_EQ(modes->itemText(3), "Evening");
    EXPECT_EQ(modes->currentIndex(), 2);
    EXPECT_EQ(ReadSimArea(TORVEX_SIM_AREA_KEY_COLOURS, kQLedSlot * 3, 3),
              (std::vector<uint8_t>{7, 8, 9}))
        << "the keyboard shows the saved mode";
}

TEST_F(DataSafetyTest, RestoreDefaultsClearsEveryColourSelectionFlag) {
    CTesselDlg& window = StartWindowWithKeyboard();
    {
        const auto lock = m_editStore.Lock();
        for (int position = 0; position < kKeyButtonCount; ++position) {
            EntryFor(*m_editStore.Image(), 0, position)->colourSelection = 1;
        }
    }
    window.Keyboard()->SetColourKeysMode(true);
    ASSERT_EQ(Drawn(window, kKeyButtons[0].controlId), window.Images().Get(SkinImageSet::kColour1));

    m_prompter.answer = PromptAnswer::Yes;
    window.SendCommand(kIdDefaults);
    {
        const auto lock = m_editStore.Lock();
        for (int position = 0; position < kKeyButtonCount; ++position) {
            EXPECT_EQ(EntryFor(*m_editStore.Image(), 0, position)->colourSelection, 0u) << position;
        }
    }
    for (const KeyButton& key : kKeyButtons) {
        EXPECT_EQ(Drawn(window, key.controlId), window.Images().Get(SkinImageSet::kColour0))
            << key.controlId;
    }
    for (const GKeyButton& key : kGKeyButtons) {
        EXPECT_EQ(Drawn(window, key.controlId), window.Images().Get(SkinImageSet::kColour0))
            << key.controlId;
    }
}

// Profile 0's colour file a folder, which root cannot write either; profile
// 3's file is there for Restore Defaults to copy over it.
TEST_F(DataSafetyTest, CustomModeChangesThatCannotBeSavedNameTheColourFile) {
    std::filesystem::create_directories(m_parts.dataFolder);
    LightingFileStore files = ColourFiles();
    ASSERT_TRUE(files.WriteLightingSwitch(true));
    ASSERT_TRUE(files.WriteModeName(3, 1, u"Factory"));
    const auto file = files.Colours().FileOf(0);
    std::filesystem::create_directory(file);
    CTesselDlg& window = StartWindowWithKeyboard();
    const std::u16string named = SafeFormat(Localised(kWriteFailedText), {file.u16string()});
    ASSERT_NE(named.find(file.u16string()), std::u16string::npos);

    window.Item<QComboBox>(kIdCustomModeList)->setCurrentIndex(4);
    EXPECT_EQ(m_prompter.Texts(), std::vector<std::u16string>{named + u"\n\nis a folder"});

    m_prompter.shown.clear();
    m_prompter.answer = PromptAnswer::Yes;
    window.SendCommand(kIdDefaults);
    const auto texts = m_prompter.Texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), named + u"\n\nis not a regular file"), 1);
    EXPECT_TRUE(std::filesystem::is_directory(file));
}

TEST_F(DataSafetyTest, AnUnreadableMacroAreaIsReportedOnceAndKeptUntilConfirmed) {
    SimControl<int (*)()>("TorvexSimHoldMalformedMacroArea")();
    const std::vector<uint8_t> malformed = ReadSimArea(TORVEX_SIM_AREA_MACRO, 0, 18);
    CTesselDlg& window = StartWindowWithKeyboard();
    const std::u16string told = Localised(u"IDS_MAIN_MACRO_AREA_UNREADABLE");
    ASSERT_FALSE(told.empty());
    const auto toldCount = [&] {
        return std::count_if(m_prompter.shown.begin(), m_prompter.shown.end(),
                             [&](const ShownMessage& shown) { return shown.text == told; });
    };
    EXPECT_EQ(toldCount(), 1);

    EditKeyAssignment(m_editStore, 0, KeyIndexOf(0x01E), 1, 0, 0);
    window.Core().EnableApply(true);
    m_prompter.answer = PromptAnswer::No;
    ApplyAndWait(window);
    EXPECT_EQ(m_prompter.shown.back().text, Localised(u"IDS_MAIN_MACRO_AREA_REPLACE"));
    EXPECT_EQ(ReadSimArea(TORVEX_SIM_AREA_MACRO, 0, 18), malformed);
    EXPECT_TRUE(window.Core().IsApplyEnabled()) << "the edit still waits";

    // A second attach of the same keyboard does not tell again.
    SetPlugged(false);
    ASSERT_TRUE(ProcessEventsUntil([&] { return window.Core().TrayIconId() == 128; }));
    SetPlugged(true);
    ASSERT_TRUE(ProcessEventsUntil([&] { return window.Core().TrayIconId() == 141; }));
    ASSERT_TRUE(Settle());  // the attach reload has read the keyboard
    EXPECT_EQ(toldCount(), 1);

    EditKeyAssignment(m_editStore, 0, KeyIndexOf(0x01E), 1, 0, 0);
    window.Core().EnableApply(true);
    m_prompter.answer = PromptAnswer::Yes;
    ApplyAndWait(window);
    EXPECT_EQ(GetU16(ReadSimArea(TORVEX_SIM_AREA_MACRO, 0, 16), 4), 0);
    EXPECT_EQ(SimKeySlot(0, kASlot), (std::vector<uint8_t>{0, 0, 0}));
    EXPECT_FALSE(window.Core().IsApplyEnabled());
}

TEST_F(DataSafetyTest, TheHiddenTestButtonSendsTheTestCommand) {
    CTesselDlg& window = StartWindowWithKeyboard();
    ASSERT_NE(window.GetDlgItem(kIdTestButton), nullptr);
    EXPECT_TRUE(window.GetDlgItem(kIdTestButton)->isHidden());
    ClearSimLog();
    window.SendCommand(kIdTestButton);
    EXPECT_EQ(CommandsSent(), std::vector<uint8_t>{kTestCommand});
}

TEST_F(DataSafetyTest, AClockChangeRunsApply) {
    FakeClockChanges clock;
    m_parts.clockChanges = &clock;
    CTesselDlg& window = StartWindowWithKeyboard();
    ASSERT_TRUE(clock.Watched());

    ClearSimLog();
    clock.ChangeClock();
    EXPECT_TRUE(CommandsSent().empty()) << "nothing waits for Apply";

    EditKeyAssignment(m_editStore, 0, KeyIndexOf(0x01E), 1, 0, 0);
    window.Core().EnableApply(true);
    clock.ChangeClock();
    ASSERT_TRUE(ProcessEventsUntil([&] { return !window.Core().IsTransferRunning(); }));
    const std::vector<uint8_t> sent = CommandsSent();
    EXPECT_NE(std::find(sent.begin(), sent.end(), kWriteKeyBlockCommand), sent.end());
    EXPECT_EQ(SimKeySlot(0, kASlot), (std::vector<uint8_t>{0, 0, 0}));
    EXPECT_FALSE(window.Core().IsApplyEnabled());

    ReleaseWindow();
    EXPECT_FALSE(clock.Watched()) << "a closed window is not called";
    m_parts.clockChanges = nullptr;
}

}  // namespace
}  // namespace tessel
