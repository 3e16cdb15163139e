// The main window's life cycle with the shipped skin and the simulated
// keyboard behind the real device-service library: start in the tray, the
// single Open after start, Open and Cancel, the firmware question, the tray
// menu, and the exit sequence with dialogs open.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <future>
#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "app/AppIdentity.h"
#include "device/DeviceConnection.h"
#include "device/StatusChannels.h"
#include "mainwindow/CAboutDlg.h"
#include "mainwindow/CTesselDlg.h"
#include "mainwindow/LightingPanelControls.h"
#include "model/KeyboardFacts.h"
#include "model/ProfileImage.h"
#include "platform/Prompter.h"
#include "platform/Registry.h"
#include "platform/RequestEndpoint.h"
#include "resident/MainEvents.h"
#include "skin/qt/CPngButton.h"
#include "support/SimulatedKeyboard.h"
#include "text/LanguageChoice.h"
#include "text/LanguageTable.h"
#include "text/LocalText.h"
#include "torvex_sim.h"
#include "widgets/CSkinColorBtn.h"

namespace tessel {
namespace {

using namespace std::chrono_literals;
using namespace tessel::testing;

using MainWindowLifeCycleTest = MainWindowTest;

TEST_F(MainWindowLifeCycleTest, WithAKeyboardAndNoSwitchesTheWindowAppearsOnceAfterInit) {
    SetPlugged(true);
    CTesselDlg& window = StartWindow();
    EXPECT_NE(window.Core().TrayIcon(), nullptr);
    EXPECT_TRUE(ProcessEventsUntil([&] { return window.isVisible(); }))
        << "the presence worker opens it once";
    EXPECT_TRUE(ProcessEventsUntil([&] { return window.Core().TrayIconId() == 141; }))
        << "the keyboard's icon once the presence worker has seen it";
    EXPECT_FALSE(window.testAttribute(Qt::WA_DontShowOnScreen));
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::Tool)) << "shown with a taskbar button";
    EXPECT_EQ(window.Core().OpenMainEvents(), static_cast<std::size_t>(kMainEventCount));

    // Cancel hides; the program stays in the tray and does not come back by itself.
    window.SendCommand(kIdCancel);
    EXPECT_FALSE(window.isVisible());
    ProcessEventsFor(300ms);
    EXPECT_FALSE(window.isVisible());
    EXPECT_NE(window.Core().TrayIcon(), nullptr);
    EXPECT_TRUE(m_prompter.shown.empty());
}

TEST_F(MainWindowLifeCycleTest, StartSwitchOrNoKeyboardKeepsTheWindowInTheTray) {
    SetPlugged(true);
    {
        CTesselDlg& window = StartWindow({"/start"});
        ProcessEventsFor(500ms);
        EXPECT_FALSE(window.isVisible());
        window.Core().ExitSequence();
    }
    SetPlugged(false);
    CTesselDlg& window = StartWindow();
    EXPECT_TRUE(window.Core().FirstShowFlag());
    ProcessEventsFor(300ms);
    EXPECT_FALSE(window.isVisible());

    // Opening without a keyboard only says so.
    EXPECT_EQ(SendFromWorker({kOpenMessage, kOpenTag, 0}), 1);
    EXPECT_FALSE(window.isVisible());
    ASSERT_EQ(m_prompter.shown.size(), 1u);
    EXPECT_EQ(m_prompter.shown[0].text, Localised(TextKeyEntry::MAIN_NO_DEVICE_PROMPT));
}

TEST_F(MainWindowLifeCycleTest, OldFirmwareAsksToUpdateAndCancelEndsTheProgram) {
    SetPlugged(true);
    SetFirmware(0x0101);
    CTesselDlg& window = StartWindow({"/Start"});
    // Let the presence worker see the keyboard first.
    ProcessEventsFor(300ms);
    m_prompter.answer = PromptAnswer::Cancel;
    EXPECT_EQ(SendFromWorker({kOpenMessage, kOpenTag, 0}), 1);
    EXPECT_TRUE(window.isVisible()) << "shown before the question";
    // The firmware is read in the keyboard's turn.
    ASSERT_TRUE(Settle());
    ASSERT_EQ(m_prompter.shown.size(), 1u);
    EXPECT_EQ(m_prompter.shown[0].text,
              u"The current version is too low! Please update the program after upgrading.");
    EXPECT_EQ(m_prompter.shown[0].caption, u"Version update");
    EXPECT_EQ(m_services.endedWith, std::vector<int>{0});
    EXPECT_EQ(m_services.mutexCloses, 0) << "ends without the exit sequence";

    // The version the program expects asks nothing.
    SetFirmware(0x0102);
    m_prompter.shown.clear();
    EXPECT_EQ(SendFromWorker({kOpenMessage, kOpenTag, 0}), 1);
    EXPECT_TRUE(m_prompter.shown.empty());
}

TEST_F(MainWindowLifeCycleTest, TrayMenuOffersOpenAboutExitInTheUsersLanguage) {
    SetPlugged(false);
    CTesselDlg& window = StartWindow();
    QMenu* menu = window.Core().TrayMenu();
    ASSERT_NE(menu, nullptr);
    emit menu->aboutToShow();
    const QList<QAction*> items = menu->actions();
    ASSERT_EQ(items.size(), 4);
    const int english = m_language.LanguageIndex();
    EXPECT_EQ(items[0]->text().toStdU16String(),
              m_files.LocalText(u"IDS_POP_UP_MENU_OPEN", english));
    EXPECT_EQ(items[1]->text().toStdU16String(),
              m_files.LocalText(u"IDS_POP_UP_MENU_ABOUT", english));
    EXPECT_EQ(items[2]->text().toStdU16String(),
              m_files.LocalText(u"IDS_APPPROFILE_MENU", english));
    EXPECT_EQ(items[3]->text().toStdU16String(),
              m_files.LocalText(u"IDS_POP_UP_MENU_EXIT", english));
    EXPECT_EQ(menu->defaultAction(), items[0]);

    items[1]->trigger();
    ASSERT_NE(window.Core().AboutBox(), nullptr);
    EXPECT_TRUE(window.Core().AboutBox()->isVisible());
    EXPECT_EQ(window.Core().AboutBox()->parentWidget(), nullptr) << "modeless, without owner";
    EXPECT_EQ(window.Core().AboutBox()->OkButton()->text().toStdU16String(),
              m_files.LocalText(u"IDS_ABOUT_OK", english));
}

TEST_F(MainWindowLifeCycleTest, KillClosesAnOpenDialogFirstThenEndsThroughTheExitSequence) {
    SetPlugged(true);
    CTesselDlg& window = StartWindow({"/Start"});
    window.Core().ShowAboutBox();
    ASSERT_TRUE(window.Core().AboutBox()->isVisible());
    bool aboutClosedBeforeEnd = false;
    QObject::connect(&window, &QDialog::finished,
                     [&] { aboutClosedBeforeEnd = !window.Core().AboutBox()->isVisible(); });

    EXPECT_EQ(SendFromWorker({kKillMessage, kKillTag, 0}), 1);
    EXPECT_TRUE(aboutClosedBeforeEnd);
    EXPECT_EQ(window.Core().TrayIcon(), nullptr);
    EXPECT_EQ(window.Core().TrayIconId(), 0);
    EXPECT_EQ(window.Core().OpenMainEvents(), 0u);
    EXPECT_EQ(m_services.mutexCloses, 1);
    EXPECT_EQ(m_editStore.Image(), nullptr);

    // Keyboard events after the exit began reach nothing.
    EXPECT_EQ(SendFromWorker({kOpenMessage, kOpenTag, 0}), 0);
    SetPlugged(false);
    SetPlugged(true);
    ProcessEventsFor(200ms);
    EXPECT_FALSE(window.isVisible());
}

// The system colour dialog of a colour button: an open from another process
// brings it forward, a kill cancels it, so no colour is taken, and then ends
// the program through the exit sequence.
TEST_F(MainWindowLifeCycleTest, AColourDialogIsRaisedByOpenAndCancelledByKill) {
    CTesselDlg& window = StartWindowWithKeyboard();
    auto* button = window.Item<CSkinColorBtn>(kIdColourButtonA);
    ASSERT_NE(button, nullptr);
    const QColor before = button->Color();
    int chosen = 0;
    QObject::connect(button, &CSkinColorBtn::ColourChosen, [&] { ++chosen; });
    bool finished = false;
    bool closedBeforeEnd = false;
    QObject::connect(&window, &QDialog::finished, [&] {
        finished = true;
        closedBeforeEnd = QApplication::activeModalWidget() == nullptr;
    });
    button->ShowPalette();
    button->PaletteMenu()->close();

    intptr_t opened = 0;
    intptr_t killed = 0;
    intptr_t openedAfterKill = -1;
    bool findableAfterKill = true;
    bool openLeftItOpen = false;
    QTimer::singleShot(0, &window, [&] {
        auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            ADD_FAILURE() << "no colour dialog";
            return;
        }
        dialog->setCurrentColor(QColor(1, 2, 3));
        opened = SendFromWorker({kOpenMessage, kOpenTag, 0});
        openLeftItOpen = dialog->isVisible();
        killed = SendFromWorker({kKillMessage, kKillTag, 0});
        // While the dialog's caller has not returned yet, the exit waits; no
        // start may find the instance or have an open taken meanwhile.
        findableAfterKill = std::ranges::count(EndpointProcesses(kInstanceName), getpid()) > 0;
        openedAfterKill = SendFromWorker({kOpenMessage, kOpenTag, 0});
    });
    // Whatever happens, the test does not wait for a user.
    QTimer::singleShot(10s, &window, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            modal->close();
        }
    });
    button->PaletteMenu()->actions().constLast()->trigger();  // returns once the dialog closed

    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(openLeftItOpen);
    EXPECT_EQ(killed, 1);
    EXPECT_FALSE(findableAfterKill);
    EXPECT_EQ(openedAfterKill, 0);
    EXPECT_EQ(chosen, 0);
    EXPECT_EQ(button->Color(), before);
    EXPECT_TRUE(ProcessEventsUntil([&] { return finished; }));
    EXPECT_TRUE(closedBeforeEnd);
    EXPECT_EQ(m_services.mutexCloses, 1);
    EXPECT_EQ(window.Core().TrayIcon(), nullptr);
}

}  // namespace
}  // namespace tessel

namespace tessel {
namespace {

TEST_F(MainWindowLifeCycleTest, UnplugClosesTheOpenDialogAndHidesAndReplugShowsTheWindowAgain) {
    SetPlugged(true);
    CTesselDlg& window = StartWindow();
    ASSERT_TRUE(ProcessEventsUntil([&] { return window.isVisible(); }));
    window.Core().ShowAboutBox();
    ASSERT_TRUE(window.Core().AboutBox()->isVisible());

    SetPlugged(false);
    EXPECT_TRUE(ProcessEventsUntil([&] { return !window.isVisible(); }));
    EXPECT_FALSE(window.Core().AboutBox()->isVisible());
    EXPECT_TRUE(ProcessEventsUntil([&] { return window.Core().TrayIconId() == 128; }));

    SetPlugged(true);
    EXPECT_TRUE(ProcessEventsUntil([&] { return window.Core().TrayIconId() == 141; }));
    ASSERT_TRUE(Settle());  // the attach reload has read the keyboard
    EXPECT_TRUE(ProcessEventsUntil([&] { return window.isVisible(); }))
        << "open at the unplug: open again";
    EXPECT_FALSE(window.Core().AboutBox()->isVisible());
}

TEST_F(MainWindowLifeCycleTest, LayerKeyLightsTheAbIndicatorAndMarksTheLayersMacroKeys) {
    SetPlugged(true);
    CTesselDlg& window = StartWindow();
    ASSERT_TRUE(ProcessEventsUntil([&] { return window.Core().TrayIconId() == 141; }));
    ASSERT_TRUE(Settle());  // the attach reload has read the keyboard
    {
        auto lock = m_editStore.Lock();
        EntryFor(*m_editStore.Image(), 0, 265 + 1)->type = 1;  // G2 in layer B
    }
    auto* ab = window.Item<CPngButton>(kLockAbId);
    auto* g2 = window.Item<CPngButton>(1001);
    ASSERT_NE(ab, nullptr);
    EXPECT_FALSE(ab->isEnabled()) << "indicators do not react to clicks";
    EXPECT_EQ(ab->StatePicture(CPngButton::kNormal), window.Images().Get(SkinImageSet::kNormal));

    Notify(0x02FF);
    EXPECT_TRUE(
        ProcessEventsUntil([&] { return window.Core().ShownMacroLayer() == MacroLayer::B; }));
    EXPECT_TRUE(ProcessEventsUntil([&] { return g2->IsChecked(); }));
    EXPECT_NE(g2->TooltipText(), "G2") << "the tooltip describes the layer B assignment";
    EXPECT_EQ(ab->StatePicture(CPngButton::kNormal), window.Images().Get(SkinImageSet::kOver));
    EXPECT_EQ(g2->text(), "B2");

    Notify(0x02FF);
    EXPECT_TRUE(
        ProcessEventsUntil([&] { return window.Core().ShownMacroLayer() == MacroLayer::A; }));
    EXPECT_TRUE(ProcessEventsUntil([&] { return !g2->IsChecked(); }));
    EXPECT_EQ(g2->TooltipText(), "G2");
    EXPECT_EQ(g2->text(), "A2");
}

}  // namespace
}  // namespace tessel
