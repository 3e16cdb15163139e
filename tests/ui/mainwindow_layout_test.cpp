// The main window's layout with the shipped skin: the keys a click reaches
// under the flip setting, and the labels the layout gives.

#include <gtest/gtest.h>

#include "MainWindowFixture.h"
#include "mainwindow/KeyboardViewButtons.h"
#include "skin/qt/CPngButton.h"
#include "storage/ProfileSettings.h"

namespace tessel {
namespace {

using namespace tessel::testing;
using MainWindowLayoutTest = MainWindowTest;

constexpr int kF1 = keyboard_ids::kFirstFKey;
constexpr int kD1 = keyboard_ids::kFirstDKey;

QWidget* ControlAtCentreOf(CTesselDlg& window, int id) {
    const QWidget* control = window.GetDlgItem(id);
    return window.childAt(control->geometry().center());
}

TEST_F(MainWindowLayoutTest, TheFlipSettingDecidesWhetherF1OrD1TakesTheClick) {
    CTesselDlg& window = StartWindow({"/Start"});
    EXPECT_EQ(ControlAtCentreOf(window, kF1), window.GetDlgItem(kF1))
        << "the hidden D keys leave F1 its clicks";

    window.SendCommand(keyboard_ids::kLeftFlipButton);
    EXPECT_EQ(ProfileSettings(m_registry).ReadFlip(), 1);
    EXPECT_EQ(ControlAtCentreOf(window, kD1), window.GetDlgItem(kD1));
    EXPECT_TRUE(window.GetDlgItem(kD1)->isEnabled());
    EXPECT_FALSE(window.GetDlgItem(kF1)->isEnabled());
    EXPECT_EQ(window.Item<CPngButton>(kD1)->text(), "D1");

    // The setting is kept: the next start shows the D keys.
    CTesselDlg& next = StartWindow({"/Start"});
    EXPECT_EQ(ControlAtCentreOf(next, kD1), next.GetDlgItem(kD1));
}

TEST_F(MainWindowLayoutTest, TheModeSwitchNamesTheModeItLeadsTo) {
    CTesselDlg& window = StartWindow({"/Start"});
    auto* modeSwitch = window.Item<CPngButton>(keyboard_ids::kModeSwitch);
    EXPECT_EQ(modeSwitch->text(), "Switch to the color keys mode");
    window.SendCommand(keyboard_ids::kModeSwitch);
    EXPECT_EQ(modeSwitch->text(), "Switch to the function keys mode");
}

}  // namespace
}  // namespace tessel
