// The firmware update dialog against the simulated keyboard: the updater path,
// the boot-mode frame, the updater's start, and the backup.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "device/CommandFrame.h"
#include "device/DeviceConnection.h"
#include "editor_update_Fixture.h"
#include "model/ProfileImage.h"
#include "storage/ConfigFile.h"

namespace tessel::testing {
namespace {

using namespace std::chrono_literals;

TEST_F(UpdateDialogTest, UpdateNeedsAChosenFileAndCancelUpdateForgetsIt) {
    StartWindowWithKeyboard();
    const auto updater = Updater("flash-tool", true);
    InDialog([&](Dialog& dialog) {
        Click(dialog, u"CONTROL_UPButton");
        EXPECT_EQ(m_prompter.Texts(), std::vector{Text(TextEntry::MAIN_UPDATE_ERROR_TEXT)});
        EXPECT_TRUE(dialog.IsOpen());

        m_prompter.fileAnswers.push_back(updater.u16string());
        Click(dialog, u"CONTROL_OPENButton");
        ASSERT_EQ(m_prompter.dialogs.size(), 1u);
        EXPECT_EQ(m_prompter.dialogs[0].filter, u"MyType Files (*.exe);;All files (*)");
        EXPECT_EQ(m_prompter.dialogs[0].initialPath, (m_paths.packageFolder / "").u16string());
        EXPECT_EQ(ShownPath(dialog), QString::fromStdU16String(updater.u16string()));

        Click(dialog, u"CONTROL_CUPButton");
        EXPECT_FALSE(dialog.IsOpen());
    });
    InDialog([&](Dialog& dialog) {
        EXPECT_EQ(ShownPath(dialog), QString());
        Click(dialog, u"CONTROL_UPButton");
        EXPECT_EQ(m_prompter.Texts().back(), Text(TextEntry::MAIN_UPDATE_ERROR_TEXT));
    });
    EXPECT_FALSE(BootFrameSent());
    EXPECT_FALSE(std::filesystem::exists(Marker()));
}

TEST_F(UpdateDialogTest, EscAndEnterCloseItKeepingThePathAndTheSkin) {
    StartWindowWithKeyboard();
    const auto updater = Updater("flash-tool", true);
    InDialog([&](Dialog& dialog) {
        m_prompter.fileAnswers.push_back(updater.u16string());
        Click(dialog, u"CONTROL_OPENButton");
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_FALSE(dialog.IsOpen());
    });
    InDialog([&](Dialog& dialog) {
        EXPECT_EQ(ShownPath(dialog), QString::fromStdU16String(updater.u16string()));
        QTest::keyClick(&dialog, Qt::Key_Return);
        EXPECT_FALSE(dialog.IsOpen());
    });
    InDialog([&](Dialog& dialog) {
        EXPECT_EQ(dialog.UpdaterPath(), updater.u16string());
        EXPECT_FALSE(dialog.Background().isNull()) << "Enter dropped the skin";
        EXPECT_FALSE(dialog.GetDlgItem(Dialog::kIdHiddenList)->isVisible());
    });
    // Cancelling the file dialog empties the path.
    InDialog([&](Dialog& dialog) {
        Click(dialog, u"CONTROL_OPENButton");
        EXPECT_EQ(dialog.UpdaterPath(), u"");
    });
    EXPECT_FALSE(BootFrameSent());
}

TEST_F(UpdateDialogTest, AnUpdaterThatCannotRunIsRefusedBeforeTheKeyboardIsTouched) {
    StartWindowWithKeyboard();
    const auto notRunnable = Updater("flash-tool.exe", false);
    InDialog([&](Dialog& dialog) {
        m_prompter.fileAnswers.push_back(notRunnable.u16string());
        Click(dialog, u"CONTROL_OPENButton");
        Click(dialog, u"CONTROL_UPButton");
        EXPECT_EQ(m_prompter.Texts(), std::vector{Localised(u"IDS_UPDATE_REFUSED_NOT_EXECUTABLE")});
        EXPECT_TRUE(dialog.IsOpen());
        EXPECT_EQ(dialog.UpdaterPath(), notRunnable.u16string());
    });
    EXPECT_FALSE(BootFrameSent());
    EXPECT_EQ(SimControl<int (*)()>("TorvexSimIsPlugged")(), 1);
}

TEST_F(UpdateDialogTest, UpdateSendsTheBootFrameStartsTheUpdaterAndTheKeyboardLeaves) {
    CTesselDlg& window = StartWindowWithKeyboard();
    // The presence worker may not have counted the keyboard yet.
    ASSERT_TRUE(ProcessEventsUntil([&] {
        window.Core().ShowWindow();
        return window.isVisible();
    }));
    ASSERT_GE(window.Core().Device()->Link().GetActiveProfile(), 0);
    const auto updater = Updater("flash-tool", true);
    const std::size_t messages = m_prompter.shown.size();
    InDialog([&](Dialog& dialog) {
        m_prompter.fileAnswers.push_back(updater.u16string());
        Click(dialog, u"CONTROL_OPENButton");
        Click(dialog, u"CONTROL_UPButton");
        // Boot mode waits its turn with the keyboard.
        ASSERT_TRUE(Settle());
        EXPECT_FALSE(dialog.IsOpen());
        EXPECT_EQ(dialog.UpdaterPath(), u"");
    });
    EXPECT_EQ(m_prompter.shown.size(), messages);
    std::array<uint8_t, 64> expected{};
    expected[0] = 0x04;
    expected[3] = 0xEE;
    expected[4] = 0xEE;
    int bootFrames = 0;
    for (const TorvexSimFrame& frame : CommandFrames()) {
        if (frame.bytes[3] == 0xEE) {
            ++bootFrames;
            EXPECT_TRUE(std::equal(expected.begin(), expected.end(), frame.bytes));
        }
    }
    EXPECT_EQ(bootFrames, 1);
    EXPECT_TRUE(test::EventuallyTrue([&] { return std::filesystem::exists(Marker()); }));
    // In boot mode the keyboard leaves: the window follows it.
    EXPECT_TRUE(ProcessEventsUntil([&] { return !window.isVisible(); }));
    EXPECT_EQ(window.Core().Device()->Link().GetActiveProfile(), -1);
}

// Boot mode is one more user of the keyboard: clicked while an Apply is being
// sent, it waits until the Apply's bracket has ended.
TEST_F(UpdateDialogTest, BootModeWaitsForTheApplyBeingSent) {
    CTesselDlg& window = StartWindowWithKeyboard();
    ASSERT_TRUE(ProcessEventsUntil([&] {
        window.Core().ShowWindow();
        return window.isVisible();
    }));
    const auto updater = Updater("flash-tool", true);
    {
        const auto lock = m_editStore.Lock();
        EntryFor(*m_editStore.Image(), 0, 0x01E)->type = 2;
        EntryFor(*m_editStore.Image(), 0, 0x01E)->value = 0x030;
    }
    window.Core().EnableApply(true);
    SimControl<int (*)(int)>("TorvexSimSetFrameDelay")(20);
    SimControl<void (*)()>("TorvexSimClearFrameLog")();
    window.SendCommand(kIdApply);
    InDialog([&](Dialog& dialog) {
        ASSERT_TRUE(window.Core().IsTransferRunning());
        m_prompter.fileAnswers.push_back(updater.u16string());
        Click(dialog, u"CONTROL_OPENButton");
        Click(dialog, u"CONTROL_UPButton");
        ASSERT_TRUE(Settle());
    });
    SimControl<int (*)(int)>("TorvexSimSetFrameDelay")(0);

    const std::vector<uint8_t> commands = SimCommandsSent();
    const auto boot = std::ranges::find(commands, uint8_t{0xEE});
    ASSERT_NE(boot, commands.end());
    const auto begins =
        std::count(commands.begin(), boot, static_cast<uint8_t>(DeviceCommand::BeginTransfer));
    EXPECT_EQ(begins, 1) << "the Apply's bracket";
    EXPECT_EQ(std::count(commands.begin(), boot, static_cast<uint8_t>(DeviceCommand::EndTransfer)),
              begins)
        << "boot mode inside the Apply's bracket";
    EXPECT_FALSE(window.Core().IsApplyEnabled()) << "the Apply went out whole";
}

TEST_F(UpdateDialogTest, WithoutAKeyboardUpdateSaysSoAndStartsNothing) {
    CTesselDlg& window = StartWindowWithKeyboard();
    SetPlugged(false);
    ASSERT_TRUE(ProcessEventsUntil([&] { return window.Core().TrayIconId() == 128; }));
    const auto updater = Updater("flash-tool", true);
    InDialog([&](Dialog& dialog) {
        m_prompter.fileAnswers.push_back(updater.u16string());
        Click(dialog, u"CONTROL_OPENButton");
        Click(dialog, u"CONTROL_UPButton");
        ASSERT_TRUE(Settle());
        ASSERT_FALSE(m_prompter.Texts().empty());
        EXPECT_EQ(m_prompter.Texts().back(), Text(TextEntry::MAIN_BOOT_ERROR_TEXT));
        EXPECT_TRUE(dialog.IsOpen());
        EXPECT_EQ(dialog.UpdaterPath(), updater.u16string());
    });
    ProcessEventsFor(200ms);
    EXPECT_FALSE(std::filesystem::exists(Marker()));
}

TEST_F(UpdateDialogTest, BackupWritesTheEditStoreOrSaysItCouldNot) {
    StartWindowWithKeyboard();
    {
        auto lock = m_editStore.Lock();
        *EntryFor(*m_editStore.Image(), 1, 5) = KeyAssignment{2, 0, 0x1E, 0, 0};
        MacroRecord macro;
        macro.identifier = 1;
        macro.SetName(u"Before the update");
        m_editStore.Macros().push_back(macro);
    }
    const auto backup = m_folder / "before.fwc";
    const auto blocked = m_folder / "not-a-folder";
    std::ofstream(blocked) << "x";
    m_prompter.fileAnswers = {backup.u16string(), (blocked / "before.fwc").u16string()};
    InDialog([&](Dialog& dialog) {
        Click(dialog, u"CONTROL_BACKUPButton");
        Click(dialog, u"CONTROL_BACKUPButton");
        EXPECT_TRUE(dialog.IsOpen());
    });
    const auto texts = m_prompter.Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], Text(TextEntry::MAIN_UPDATE_BACKUP_OK));
    // The failure names the file it could not write.
    EXPECT_EQ(texts[1].rfind(Text(TextEntry::MAIN_UPDATE_BACKUP_NG), 0), 0u);
    EXPECT_NE(texts[1].find((blocked / "before.fwc").u16string()), std::u16string::npos);
    ASSERT_EQ(m_prompter.dialogs.size(), 2u);
    EXPECT_EQ(m_prompter.dialogs[0].defaultExtension, u"fwc");
    EXPECT_EQ(m_prompter.dialogs[0].filter.substr(0, 8), u"(*.fwc);");

    EXPECT_EQ(ValidateConfigFile(backup, m_prompter, m_table), kConfigFileValid);
    std::ifstream in(backup, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    const auto decoded = DecodeConfigFile(bytes);
    ASSERT_TRUE(decoded.has_value());
    auto lock = m_editStore.Lock();
    EXPECT_TRUE(decoded->image->entries == m_editStore.Image()->entries);
    ASSERT_EQ(decoded->macros.size(), 1u);
    EXPECT_EQ(decoded->macros[0].Name(), u"Before the update");
    EXPECT_FALSE(std::filesystem::exists(blocked / "before.fwc"));
}

}  // namespace
}  // namespace tessel::testing
