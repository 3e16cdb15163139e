// Enter and Esc change nothing in the main window, whichever control has the
// focus; the arrow keys never change the selected effect.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QTest>

#include "MainWindowFixture.h"
#include "mainwindow/LightingPanel.h"
#include "mainwindow/LightingPanelControls.h"
#include "skin/qt/CPngButton.h"

namespace tessel {
namespace {

using namespace tessel::testing;
using MainInputFilterTest = MainWindowTest;

TEST_F(MainInputFilterTest, EnterAndEscapePressNothingAndCloseNothing) {
    SetPlugged(true);
    CTesselDlg& window = StartWindow();
    ASSERT_TRUE(ProcessEventsUntil([&] { return window.isVisible(); }));
    auto* profile3 = window.Item<CPngButton>(kProfileButtonIds[2]);
    profile3->setFocus();
    for (auto key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QTest::keyClick(profile3, key);
        QTest::keyClick(&window, key);
    }
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(profile3->IsChecked()) << "the focused button was not pressed";
    EXPECT_EQ(SimActiveProfile(), 0);
}

TEST_F(MainInputFilterTest, ArrowKeysLeaveTheEffectListAlone) {
    SetPlugged(true);
    CTesselDlg& window = StartWindow();
    ASSERT_TRUE(ProcessEventsUntil([&] { return window.Core().TrayIconId() == 141; }));
    ASSERT_TRUE(Settle());
    window.Panel()->ToggleLightingSwitch();
    auto* effects = window.Item<QComboBox>(kIdEffectList);
    ASSERT_NE(effects, nullptr);
    ASSERT_GT(effects->count(), 1);
    const int before = effects->currentIndex();
    effects->setFocus();
    for (auto key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_Left, Qt::Key_Right, Qt::Key_Down}) {
        QTest::keyClick(effects, key);
    }
    EXPECT_EQ(effects->currentIndex(), before);
}

}  // namespace
}  // namespace tessel
