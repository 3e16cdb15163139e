// The commands other programs give the main window through its request
// endpoint (32780 update dialog, 32784 language), what the endpoint refuses,
// the language request's way to the child dialogs, and the update dialog's
// end when the program exits or the keyboard leaves.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QSystemTrayIcon>
#include <future>

#include "app/AppIdentity.h"
#include "editor_update_Fixture.h"
#include "mainwindow/CAboutDlg.h"
#include "mainwindow/LightingPanelControls.h"
#include "platform/RequestEndpoint.h"
#include "skin/qt/CPngButton.h"
#include "text/LanguageTable.h"

namespace tessel::testing {
namespace {

using namespace std::chrono_literals;

class OutsideCommandsTest : public UpdateDialogTest {
protected:
    // What another process would get back from the window's endpoint; the
    // window's events run meanwhile. Nothing when no answer came.
    std::optional<intptr_t> Deliver(uint32_t message, uintptr_t wParam, intptr_t lParam = 0) {
        auto answer = std::async(std::launch::async, [=] {
            return DeliverRequest(kInstanceName, getpid(), kMainMarker,
                                  WindowRequest{message, wParam, lParam}, 5s);
        });
        ProcessEventsUntil([&] { return answer.wait_for(0ms) == std::future_status::ready; });
        return answer.get();
    }

    // A program folder of the test's own, so the language command may write
    // the selector of its Skins/language.ini.
    void UseOwnProgramFolder() {
        const std::filesystem::path built = TESSEL_PROGRAM_DIR;
        const std::filesystem::path folder = m_folder / "program";
        std::filesystem::create_directories(folder / "Skins");
        for (const auto& entry : std::filesystem::directory_iterator(built)) {
            if (entry.path().filename() != "Skins") {
                std::filesystem::create_symlink(entry.path(), folder / entry.path().filename());
            }
        }
        for (const auto& entry : std::filesystem::directory_iterator(built / "Skins")) {
            const auto target = folder / "Skins" / entry.path().filename();
            if (entry.path().filename() == "language.ini") {
                std::filesystem::copy_file(entry.path(), target);
            } else {
                std::filesystem::create_symlink(entry.path(), target);
            }
        }
        const auto colourFiles = m_paths.colourFilePrefix;
        m_paths = ProgramPaths::FromModuleFileName(folder / "tessel");
        m_paths.colourFilePrefix = colourFiles;
    }
    std::filesystem::path LanguageIni() const {
        return m_paths.programFolder / "Skins" / "language.ini";
    }
    QString Label(int id) { return m_window->Item<QLabel>(id)->text(); }
};

TEST_F(OutsideCommandsTest, UpdateThroughTheEndpointOpensTheDialogWithoutKeepingTheSenderWaiting) {
    StartWindowWithKeyboard();
    // Runs in whichever loop is going, the dialog's own included.
    bool sawOpen = false;
    QTimer watcher;
    watcher.setInterval(10);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        Dialog* dialog = m_window->Core().UpdateDialog();
        if (dialog && dialog->IsOpen() && dialog->isVisible()) {
            sawOpen = true;
            watcher.stop();
            QTest::keyClick(dialog, Qt::Key_Escape);
        }
    });
    watcher.start();
    EXPECT_EQ(Deliver(kCommandMessage, kCommandUpdate), 1);
    EXPECT_TRUE(ProcessEventsUntil([&] { return sawOpen; }));
    ASSERT_NE(m_window->Core().UpdateDialog(), nullptr);
    EXPECT_FALSE(m_window->Core().UpdateDialog()->IsOpen());
}

TEST_F(OutsideCommandsTest, OtherCommandsAndTheWindowsOwnRequestsAreRefused) {
    CTesselDlg& window = StartWindowWithKeyboard();
    // The presence worker may not have counted the keyboard yet.
    ASSERT_TRUE(ProcessEventsUntil([&] {
        window.Core().ShowWindow();
        return window.isVisible();
    }));
    const int selector = ReadLanguageSelector(LanguageIni());
    const std::size_t messages = m_prompter.shown.size();
    for (uintptr_t command : {uintptr_t{32781}, uintptr_t{kIdOk}, uintptr_t{1138}, uintptr_t{0}}) {
        EXPECT_EQ(Deliver(kCommandMessage, command), 0) << command;
    }
    // The keyboard's worker requests and the window's own start-up are not
    // for other programs.
    EXPECT_EQ(Deliver(kCloseEditorsMessage, 0), 0);
    EXPECT_EQ(Deliver(0x7E01, 0), 0);
    EXPECT_EQ(Deliver(kLanguageMessage, kLanguageTag, 0), 0);
    ProcessEventsFor(100ms);
    EXPECT_EQ(window.Core().UpdateDialog(), nullptr);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(m_prompter.shown.size(), messages);
    EXPECT_EQ(ReadLanguageSelector(LanguageIni()), selector);
}

TEST_F(OutsideCommandsTest, LanguageCommandRelabelsFromTheFirstTable) {
    UseOwnProgramFolder();
    ASSERT_EQ(ReadLanguageSelector(LanguageIni()), 1);
    CTesselDlg& window = StartWindowWithKeyboard();
    const QString localised = QString::fromStdU16String(Localised(u"IDS_KEYBOARD_FUNC_USB"));
    ASSERT_EQ(Label(kIdReportRateCaption), localised);
    auto* effects = window.Item<QComboBox>(kIdEffectList);
    ASSERT_GT(effects->count(), 0);
    EXPECT_EQ(effects->itemText(0),
              QString::fromStdU16String(m_files.EffectName(1, m_language.LanguageIndex())));

    EXPECT_EQ(Deliver(kCommandMessage, kCommandLanguage), 1);
    ASSERT_TRUE(ProcessEventsUntil([&] { return ReadLanguageSelector(LanguageIni()) == 0; }));
    const auto section = CaptionSectionFor(0);
    ASSERT_TRUE(section.has_value());
    EXPECT_EQ(Label(kIdReportRateCaption),
              QString::fromStdU16String(ReadCaption(m_paths.mainSkinFile, *section, u"Usb")));
    EXPECT_NE(Label(kIdReportRateCaption), localised);
    EXPECT_EQ(effects->itemText(0),
              QString::fromStdU16String(m_files.EffectName(1, m_language.LanguageIndex())));
    // The table now comes from the other section: its texts are the ones shown.
    EXPECT_EQ(Text(TextEntry::MAIN_UPDATE_ERROR_TEXT), u"请选择正确的更新文件! ");
    ASSERT_NE(window.Core().TrayIcon(), nullptr);
    EXPECT_EQ(window.Core().TrayIcon()->toolTip(),
              QString::fromStdU16String(Localised(TextKeyEntry::KEYBOARD_TRAY_DESC)));
}

TEST_F(OutsideCommandsTest, TheLanguageRequestRelabelsTheOpenChildDialogs) {
    CTesselDlg& window = StartWindowWithKeyboard();
    window.Core().ShowAboutBox();
    InDialog([](Dialog&) {});
    // Index 0 is the first supported language, 0x0804.
    window.Core().SendRequest(WindowRequest{kLanguageMessage, kLanguageTag, 0});
    const auto chinese = [&](std::u16string_view key) {
        return QString::fromStdU16String(m_files.LocalText(key, 0));
    };
    Dialog& dialog = *window.Core().UpdateDialog();
    EXPECT_EQ(dialog.windowTitle(), chinese(u"IDS_UPDATE_TITLE"));
    EXPECT_EQ(dialog.Item<CPngButton>(Dialog::kIdBackup)->TooltipText(),
              chinese(u"IDS_UPDATE_BACKUP"));
    EXPECT_EQ(dialog.Item<CPngButton>(Dialog::kIdUpdate)->text(),
              chinese(u"IDS_UPDATE_BUTTON_UPDATE"));
    EXPECT_EQ(window.Core().AboutBox()->windowTitle(), chinese(u"IDS_ABOUT_TITLE"));
    EXPECT_NE(chinese(u"IDS_UPDATE_TITLE"),
              QString::fromStdU16String(m_files.LocalText(u"IDS_UPDATE_TITLE", 1)));
}

TEST_F(OutsideCommandsTest, KillAndUnplugCloseTheDialogFirst) {
    CTesselDlg& window = StartWindowWithKeyboard();
    InDialog([&](Dialog& dialog) {
        SetPlugged(false);
        EXPECT_TRUE(ProcessEventsUntil([&] { return !dialog.IsOpen(); }));
        EXPECT_FALSE(dialog.isVisible());
    });
    SetPlugged(true);
    ASSERT_TRUE(ProcessEventsUntil([&] { return window.Core().TrayIconId() == 141; }));
    ASSERT_TRUE(Settle());  // the attach reload has read the keyboard
    InDialog([&](Dialog& dialog) {
        EXPECT_EQ(Deliver(kKillMessage, kKillTag), 1);
        // The request is answered first and carried out on the window's thread.
        EXPECT_TRUE(ProcessEventsUntil([&] { return m_services.mutexCloses == 1; }));
        EXPECT_FALSE(dialog.IsOpen());
        EXPECT_FALSE(dialog.isVisible());
    });
    // The window does not open the dialog again once it is ending.
    window.SendCommand(static_cast<int>(kCommandUpdate));
    EXPECT_FALSE(window.Core().UpdateDialog()->IsOpen());
}

TEST_F(OutsideCommandsTest, TrayExitWhileTheDialogIsOpenClosesItAndEnds) {
    CTesselDlg& window = StartWindowWithKeyboard();
    InDialog([&](Dialog& dialog) {
        window.Core().OnTrayCommand(CTesselDlg::kCommandExit);
        EXPECT_FALSE(dialog.IsOpen());
        EXPECT_FALSE(window.Core().TrayIcon() && window.Core().TrayIcon()->isVisible());
    });
    EXPECT_EQ(m_services.mutexCloses, 1);
}

}  // namespace
}  // namespace tessel::testing
