// The skinned windows for a screen reader and a keyboard user: what Qt's
// accessibility interface reports for each control, the tab chain, the arrow
// keys in the keyboard picture, a key remapped with the keyboard alone, and
// the changes the window announces.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QLineEdit>
#include <QTest>

#include <algorithm>
#include <set>
#include <vector>

#include "editor_key_TestBench.h"
#include "mainwindow/KeyboardViewButtons.h"
#include "mainwindow/LightingPanel.h"
#include "mainwindow/LightingPanelControls.h"
#include "mainwindow/LockIndicators.h"
#include "mainwindow/MainWindowIds.h"
#include "model/KeyButtons.h"
#include "skin/qt/CPngButton.h"
#include "skin/qt/SkinAccessibility.h"

namespace tessel {
namespace {

using namespace tessel::testing;
using namespace composite_ids;

constexpr int kSimplifiedChinese = 0;

struct Expected {
    int id;
    QAccessible::Role role;
    bool checkable = false;
};

// Every control a user can reach in the main window, by kind.
const Expected kMainWindowControls[] = {
    {kProfileButtonIds[0], QAccessible::RadioButton, true},
    {kProfileButtonIds[3], QAccessible::RadioButton, true},
    {kReportRateButtonIds[0], QAccessible::RadioButton, true},
    {kReportRateButtonIds[3], QAccessible::RadioButton, true},
    {kIdOk, QAccessible::PushButton},
    {kIdCancel, QAccessible::PushButton},
    {kIdApply, QAccessible::PushButton},
    {kIdMacroButton, QAccessible::PushButton},
    {kIdDefaults, QAccessible::PushButton},
    {kIdSceneButton, QAccessible::PushButton},
    {keyboard_ids::kModeSwitch, QAccessible::PushButton},
    {kIdHelp, QAccessible::PushButton},
    {kIdClose, QAccessible::PushButton},
    {kIdMinimise, QAccessible::PushButton},
    {kIdCommandMenu, QAccessible::PushButton},
    {kIdLink, QAccessible::PushButton},
    {kIdWebLink, QAccessible::PushButton},
    {kIdTwitterLink, QAccessible::PushButton},
    {kLockCapsId, QAccessible::Indicator},
    {kLockAbId, QAccessible::Indicator},
    {keyboard_ids::kLeftFlipButton, QAccessible::PushButton},
    {keyboard_ids::kFlipIndicator, QAccessible::Indicator},
    {kKeyButtonA, QAccessible::PushButton},
    {1000, QAccessible::PushButton},  // G1
    {kFnButton.controlId, QAccessible::PushButton},
    {kIdLightingSwitch, QAccessible::CheckBox, true},
    {kIdBrightnessSlider, QAccessible::Slider},
    {kIdSpeedSlider, QAccessible::Slider},
    {kIdDirectionLeft, QAccessible::RadioButton, true},
    {kIdColourButtonA, QAccessible::ButtonMenu},
    {kIdColourfulPictureA, QAccessible::CheckBox, true},
    {kIdToolLinked, QAccessible::RadioButton, true},
    {kIdLinkedColourButton, QAccessible::ButtonMenu},
    {kIdEffectList, QAccessible::ComboBox},
    {kIdCustomModeList, QAccessible::ComboBox},
    {kIdRedEdit, QAccessible::EditableText},
};

const Expected kKeyEditorControls[] = {
    {kKeyPageButton, QAccessible::RadioButton, true},
    {kMacroPageButton, QAccessible::RadioButton, true},
    {kClear, QAccessible::PushButton},
    {kOnScreenKeyboard, QAccessible::PushButton},
    {kIdOk, QAccessible::PushButton},
    {kIdCancel, QAccessible::PushButton},
    {kKeyField, QAccessible::EditableText},
    {kKeyboardSource, QAccessible::CheckBox, true},
    {kMouseList, QAccessible::ComboBox},
    {kMediaList, QAccessible::ComboBox},
    {kAddMacro, QAccessible::PushButton},
    {kDeleteMacro, QAccessible::PushButton},
    {kRecord, QAccessible::PushButton},
    {kMoveTop, QAccessible::PushButton},
    {kRecordDelay, QAccessible::CheckBox, true},
    {kCycles, QAccessible::EditableText},
};

QAccessibleInterface* Reader(QWidget* widget) {
    return widget ? QAccessible::queryAccessibleInterface(widget) : nullptr;
}

QString NameOf(QWidget* widget) {
    QAccessibleInterface* reader = Reader(widget);
    return reader ? reader->text(QAccessible::Name) : QString();
}

class AccessibilityTest : public KeyEditorTest {
protected:
    void ExpectDescribed(CBaseDialog& window, std::span<const Expected> table,
                         const char* language) {
        for (const Expected& control : table) {
            QAccessibleInterface* reader = Reader(window.GetDlgItem(control.id));
            ASSERT_NE(reader, nullptr) << control.id;
            EXPECT_FALSE(reader->text(QAccessible::Name).trimmed().isEmpty())
                << "control " << control.id << " in " << language;
            EXPECT_EQ(reader->role(), control.role) << "control " << control.id;
            EXPECT_EQ(reader->state().checkable, control.checkable) << "control " << control.id;
        }
    }

    CTesselDlg& ShownWindow() {
        CTesselDlg& window = StartEditorWindow();
        window.Core().ShowWindow();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        return window;
    }

    static void Press(QWidget& window, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(window.windowHandle(), key, modifiers);
    }

    // Every key-shaped button: keys, G keys, Fn and D1..D6.
    static std::set<QWidget*> KeyPicture(CTesselDlg& window) {
        std::set<QWidget*> picture;
        for (const KeyButton& key : kKeyButtons) {
            picture.insert(window.GetDlgItem(key.controlId));
        }
        for (const GKeyButton& key : kGKeyButtons) {
            picture.insert(window.GetDlgItem(key.controlId));
        }
        picture.insert(window.GetDlgItem(kFnButton.controlId));
        for (int i = 0; i < keyboard_ids::kDKeyCount; ++i) {
            picture.insert(window.GetDlgItem(keyboard_ids::kFirstDKey + i));
        }
        return picture;
    }

    // Tabs until `target` has the focus; false when the chain never reaches it.
    static bool TabTo(QWidget& window, const QWidget* target) {
        for (int i = 0; i < 300 && QApplication::focusWidget() != target; ++i) {
            Press(window, Qt::Key_Tab);
        }
        return QApplication::focusWidget() == target;
    }
};

TEST_F(AccessibilityTest, EveryControlHasANameRoleAndStateInTwoLanguages) {
    CTesselDlg& window = StartEditorWindow();
    ExpectDescribed(window, kMainWindowControls, "English");
    QAccessibleInterface* profile1 = Reader(window.GetDlgItem(kProfileButtonIds[0]));
    EXPECT_TRUE(profile1->state().checked) << "the active profile is the checked one";
    EXPECT_FALSE(Reader(window.GetDlgItem(kProfileButtonIds[1]))->state().checked);
    EXPECT_TRUE(Reader(window.GetDlgItem(kIdApply))->state().disabled);
    EXPECT_EQ(NameOf(window.GetDlgItem(kIdHelp)).toStdU16String(),
              Localised(u"IDS_MAIN_HELP_PROMPT"));
    EXPECT_EQ(NameOf(window.GetDlgItem(kLockCapsId)).toStdU16String(),
              Localised(u"IDS_A11Y_LOCK_CAPS"));

    auto* value = Reader(window.GetDlgItem(kIdBrightnessSlider))->valueInterface();
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->minimumValue().toInt(), 0);
    EXPECT_EQ(value->maximumValue().toInt(), 4);

    Tessel_DlgComposite& editor = ClickKey(window, kKeyButtonA);
    ExpectDescribed(editor, kKeyEditorControls, "English");
    EXPECT_TRUE(Reader(editor.GetDlgItem(kKeyPageButton))->state().checked);
    EXPECT_FALSE(Reader(editor.GetDlgItem(kKeyField))->text(QAccessible::Description).isEmpty())
        << "the field says how Tab leaves the capture";

    const QString englishLock = NameOf(window.GetDlgItem(kLockCapsId));
    window.Core().SendRequest({kLanguageMessage, kLanguageTag, kSimplifiedChinese});
    ExpectDescribed(window, kMainWindowControls, "Chinese");
    ExpectDescribed(editor, kKeyEditorControls, "Chinese");
    EXPECT_NE(NameOf(window.GetDlgItem(kLockCapsId)), englishLock);
    EXPECT_EQ(NameOf(editor.GetDlgItem(kAddMacro)).toStdU16String(),
              m_files.LocalText(u"IDS_A11Y_ADD_MACRO", kSimplifiedChinese));
    editor.SendCommand(kIdCancel);
}

TEST_F(AccessibilityTest, KeyButtonsAreNamedByKeyAndAssignment) {
    CTesselDlg& window = StartEditorWindow();
    const QString keyA = QString::fromStdU16String(Localised(u"IDS_KEYBOARD_A"));
    EXPECT_EQ(NameOf(window.GetDlgItem(kKeyButtonA)), keyA);
    Tessel_DlgComposite& editor = ClickKey(window, kKeyButtonA);
    Tap(editor, evdev::kB);
    editor.SendCommand(kIdOk);
    const QString name = NameOf(window.GetDlgItem(kKeyButtonA));
    EXPECT_TRUE(name.startsWith(keyA)) << name.toStdString();
    EXPECT_TRUE(name.contains(QString::fromStdU16String(Localised(u"IDS_KEYBOARD_B"))))
        << name.toStdString();
}

TEST_F(AccessibilityTest, TabVisitsEveryControlOnceAndTheKeyPictureIsOneStop) {
    CTesselDlg& window = ShownWindow();
    std::set<QWidget*> reachable;
    for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if ((child->focusPolicy() & Qt::TabFocus) && child->isEnabled() &&
            child->isVisibleTo(&window)) {
            reachable.insert(child);
        }
    }
    const auto keyStops = std::count_if(reachable.begin(), reachable.end(), [&](QWidget* w) {
        return KeyPicture(window).count(w) > 0;
    });
    EXPECT_EQ(keyStops, 1) << "the keyboard picture is one stop";
    auto* first = window.Item<CPngButton>(kIdHelp);
    first->setFocus(Qt::TabFocusReason);
    std::vector<QWidget*> visited{first};
    for (std::size_t i = 0; i < reachable.size() + 5; ++i) {
        Press(window, Qt::Key_Tab);
        if (QApplication::focusWidget() == first) {
            break;
        }
        visited.push_back(QApplication::focusWidget());
    }
    EXPECT_EQ(QApplication::focusWidget(), first) << "the chain comes round";
    EXPECT_EQ(std::set<QWidget*>(visited.begin(), visited.end()), reachable);
    EXPECT_EQ(visited.size(), reachable.size()) << "no control is visited twice";
    const auto at = [&](int id) {
        return std::find(visited.begin(), visited.end(), window.GetDlgItem(id)) - visited.begin();
    };
    EXPECT_LT(at(kProfileButtonIds[0]), at(kProfileButtonIds[1])) << "reading order";
    EXPECT_LT(at(kIdOk), at(kIdCancel));

    Press(window, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), visited.back()) << "Shift+Tab goes back";

    // The focus mark shows for the keyboard's focus only.
    auto* ok = window.Item<CPngButton>(kIdOk);
    QWidget* cancel = window.GetDlgItem(kIdCancel);
    cancel->setFocus(Qt::TabFocusReason);
    const QImage plain = ok->grab().toImage();
    ok->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(ok->grab().toImage(), plain);
    cancel->setFocus(Qt::TabFocusReason);
    ok->setFocus(Qt::TabFocusReason);
    EXPECT_NE(ok->grab().toImage(), plain);
}

TEST_F(AccessibilityTest, ArrowsReachEveryKeyOfThePictureRowByRow) {
    CTesselDlg& window = ShownWindow();
    std::set<QWidget*> keys;
    for (const KeyButton& key : kKeyButtons) {
        QWidget* button = window.GetDlgItem(key.controlId);
        if (button->isEnabled() && button->isVisibleTo(&window)) {
            keys.insert(button);
        }
    }
    ASSERT_GT(keys.size(), 90u);
    QWidget* a = window.GetDlgItem(kKeyButtonA);
    a->setFocus(Qt::TabFocusReason);
    std::set<QWidget*> visited;
    for (int i = 0; i < 200 && !visited.count(QApplication::focusWidget()); ++i) {
        visited.insert(QApplication::focusWidget());
        Press(window, Qt::Key_Right);
    }
    for (QWidget* key : keys) {
        EXPECT_TRUE(visited.count(key))
            << "key " << key->accessibleName().toStdString() << NameOf(key).toStdString();
    }
    EXPECT_EQ(QApplication::focusWidget(), a) << "Right wraps round to where it began";

    Press(window, Qt::Key_Up);
    QWidget* above = QApplication::focusWidget();
    EXPECT_LT(above->y(), a->y());
    EXPECT_LT(std::abs(above->geometry().center().x() - a->geometry().center().x()), a->width());
    Press(window, Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), a);
    Press(window, Qt::Key_Left);
    EXPECT_LT(QApplication::focusWidget()->x(), a->x());
    EXPECT_EQ(QApplication::focusWidget()->focusPolicy(), Qt::TabFocus)
        << "the key last reached is the picture's tab stop";
    EXPECT_EQ(a->focusPolicy(), Qt::NoFocus);

    auto* profile1 = window.GetDlgItem(kProfileButtonIds[0]);
    profile1->setFocus(Qt::TabFocusReason);
    Press(window, Qt::Key_Right);
    EXPECT_EQ(QApplication::focusWidget(), window.GetDlgItem(kProfileButtonIds[1]));
    Press(window, Qt::Key_Left);
    Press(window, Qt::Key_Left);
    EXPECT_EQ(QApplication::focusWidget(), window.GetDlgItem(kProfileButtonIds[3])) << "wraps";
}

TEST_F(AccessibilityTest, AKeyIsRemappedAndAppliedWithTheKeyboardAlone) {
    CTesselDlg& window = ShownWindow();
    const std::vector<uint8_t> before = SimKeyBlock(0);
    QWidget* a = window.GetDlgItem(kKeyButtonA);
    ASSERT_TRUE(TabTo(window, window.GetDlgItem(kIdHelp)));
    // Into the keyboard picture, then along its rows to A.
    const std::set<QWidget*> picture = KeyPicture(window);
    for (int i = 0; i < 150 && QApplication::focusWidget() != a; ++i) {
        Press(window, picture.count(QApplication::focusWidget()) ? Qt::Key_Right : Qt::Key_Tab);
    }
    ASSERT_EQ(QApplication::focusWidget(), a);
    Press(window, Qt::Key_Space);
    Tessel_DlgComposite& editor = *window.KeyEditor();
    ASSERT_TRUE(editor.IsOpen());
    ActivateForTyping(editor);
    ASSERT_EQ(QApplication::focusWidget(), editor.GetDlgItem(kKeyField));

    Press(editor, Qt::Key_B);
    EXPECT_EQ(editor.CapturedCode(), 0x030);
    ASSERT_TRUE(TabTo(editor, editor.GetDlgItem(kIdOk))) << "Tab leaves once B is captured";
    EXPECT_EQ(editor.CapturedCode(), 0x030) << "the Tabs were not captured";
    Press(editor, Qt::Key_Space);
    EXPECT_FALSE(editor.IsOpen());

    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    ASSERT_TRUE(TabTo(window, window.GetDlgItem(kIdApply)));
    Press(window, Qt::Key_Space);
    ASSERT_TRUE(ProcessEventsUntil([&] { return !window.Core().IsTransferRunning(); }));
    ASSERT_TRUE(Settle());
    std::vector<uint8_t> expected = before;
    expected[kSlotA * 3 + 2] = 0x05;  // B
    EXPECT_EQ(SimKeyBlock(0), expected);
}

TEST_F(AccessibilityTest, TabIsCapturedOnlyIntoAnEmptyFieldOrAfterComingBack) {
    CTesselDlg& window = StartEditorWindow();
    Tessel_DlgComposite& editor = ClickKey(window, kKeyButtonA);
    ActivateForTyping(editor);
    QWidget* field = editor.GetDlgItem(kKeyField);
    ASSERT_EQ(QApplication::focusWidget(), field);

    Press(editor, Qt::Key_Tab);
    EXPECT_EQ(editor.CapturedCode(), 0x00F) << "into an empty field Tab is a key like any";
    EXPECT_EQ(QApplication::focusWidget(), field);
    Press(editor, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), field) << "with a key shown Tab moves on";
    EXPECT_TRUE(editor.IsCaptureResting());
    Press(editor, Qt::Key_C);
    EXPECT_EQ(editor.CapturedCode(), 0x00F) << "away from the field keys are not captured";

    Press(editor, Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_EQ(QApplication::focusWidget(), field) << "Shift+Tab comes back";
    EXPECT_FALSE(editor.IsCaptureResting());
    Press(editor, Qt::Key_B);
    EXPECT_EQ(editor.CapturedCode(), 0x030);
    Press(editor, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_NE(QApplication::focusWidget(), field);
    EXPECT_EQ(editor.CapturedCode(), 0x030) << "Shift+Tab out keeps the key, not the Shift";
    editor.SendCommand(kIdCancel);
}

// Announcements are the name of each window's status object; a reader hears
// its name change.
TEST_F(AccessibilityTest, ProfileApplyRecordingAndUnplugAreAnnounced) {
    CTesselDlg& window = StartEditorWindow();
    const auto said = [](QWidget& in) {
        QWidget* status = AnnouncerOf(in);
        return status ? NameOf(status).toStdU16String() : std::u16string();
    };

    window.SendCommand(kProfileButtonIds[1]);
    ASSERT_TRUE(ProcessEventsUntil([&] { return !said(window).empty(); }));
    EXPECT_EQ(said(window),
              Localised(u"IDS_A11Y_PROFILE_ACTIVE") + u" " +
                  window.Item<CPngButton>(kProfileButtonIds[1])->text().toStdU16String());
    EXPECT_EQ(Reader(AnnouncerOf(window))->role(), QAccessible::StatusBar);

    Tessel_DlgComposite& editor = ClickKey(window, kKeyButtonA);
    Tap(editor, evdev::kB);
    editor.SendCommand(kIdOk);
    ApplyAndWait(window);
    EXPECT_EQ(said(window), Localised(u"IDS_A11Y_APPLY_DONE"));

    ClickKey(window, kKeyButtonA);
    editor.SendCommand(kMacroPageButton);
    editor.Item<CPngButton>(kAddMacro)->click();
    editor.Item<CPngButton>(kRecord)->click();
    EXPECT_EQ(said(editor), Localised(u"IDS_A11Y_RECORDING_STARTED"));
    editor.Item<CPngButton>(kRecord)->click();
    EXPECT_EQ(said(editor), Localised(u"IDS_A11Y_RECORDING_STOPPED"));
    editor.SendCommand(kIdCancel);

    SetPlugged(false);
    EXPECT_TRUE(
        ProcessEventsUntil([&] { return said(window) == Localised(u"IDS_TRAY_DISCONNECTED"); }));
}

}  // namespace
}  // namespace tessel
