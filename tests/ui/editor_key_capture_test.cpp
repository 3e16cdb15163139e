// Key capture on the key page of the key-assignment editor, with key events
// carrying native scan codes: first presses only, Print Screen on release,
// the Win keys whatever the source, multimedia keys passed on, and nothing of
// the dialog's own keyboard handling in the way.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QShortcut>

#include "editor_key_TestBench.h"

namespace tessel {
namespace {

using namespace tessel::testing;
using namespace composite_ids;

// Counts the key events that get past the capture to a widget.
class KeyEventCounter : public QObject {
public:
    int presses = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            ++presses;
        }
        return false;
    }
};

class KeyCaptureTest : public KeyEditorTest {};

TEST_F(KeyCaptureTest, OnlyTheFirstPressOfAKeyIsCapturedAndPrintScreenOnItsRelease) {
    CTesselDlg& window = StartEditorWindow();
    Tessel_DlgComposite& editor = ClickKey(window, kKeyButtonA);
    ASSERT_TRUE(editor.IsCapturingKeys());
    QWidget& field = FocusOf(editor);

    SendKey(field, QEvent::KeyPress, evdev::kB);
    EXPECT_EQ(editor.CapturedCode(), 0x030);
    // X11 repeats a held key as release and press pairs: neither counts.
    SendKey(field, QEvent::KeyRelease, evdev::kA, Qt::Key_A, true);
    SendKey(field, QEvent::KeyPress, evdev::kA, Qt::Key_A, true);
    EXPECT_EQ(editor.CapturedCode(), 0x030) << "auto-repeats change nothing";
    SendKey(field, QEvent::KeyRelease, evdev::kB);
    EXPECT_EQ(editor.CapturedCode(), 0x030) << "a release changes nothing";

    // Print Screen may deliver its release alone, as the desktop keeps the press.
    SendKey(field, QEvent::KeyRelease, evdev::kPrint, Qt::Key_Print);
    EXPECT_EQ(editor.CapturedCode(), 0x137);

    // Without a scan code (a synthetic event) the Qt key decides.
    SendKey(field, QEvent::KeyPress, 0, Qt::Key_B);
    EXPECT_EQ(editor.CapturedCode(), 0x030);
    editor.SendCommand(kIdCancel);
}

TEST_F(KeyCaptureTest, WinIsCapturedWithTheMouseSourceAndTheStoredValueFollowsTheMouseList) {
    CTesselDlg& window = StartEditorWindow();
    Tessel_DlgComposite& editor = ClickKey(window, kKeyButtonA);
    editor.SendCommand(kMouseSource);
    Tap(editor, evdev::kB);
    EXPECT_EQ(editor.CapturedCode(), 0) << "no key is captured from the mouse source";
    Tap(editor, evdev::kLeftWin);
    EXPECT_EQ(editor.CapturedCode(), 0x15B);
    EXPECT_EQ(editor.Item<QLineEdit>(kKeyField)->text().toStdU16String(),
              Localised(u"IDS_KEYBOARD_LWIN"));
    editor.SendCommand(kIdOk);
    EXPECT_EQ(EditEntry(0, kKeyIndexA), (KeyAssignment{2, 0, 0x171, 0, 0}));
}

TEST_F(KeyCaptureTest, MultimediaKeysPassOnAndEverythingElseIsSwallowed) {
    CTesselDlg& window = StartEditorWindow();
    Tessel_DlgComposite& editor = ClickKey(window, kKeyButtonA);
    QWidget& field = FocusOf(editor);
    KeyEventCounter counter;
    field.installEventFilter(&counter);

    SendKey(field, QEvent::KeyPress, evdev::kMute, Qt::Key_VolumeMute);
    EXPECT_EQ(counter.presses, 1) << "the desktop still gets the media key";
    EXPECT_EQ(editor.CapturedCode(), 0);

    // Tab and Enter are keys like any other: no focus change, no OK.
    SendKey(field, QEvent::KeyPress, evdev::kTab, Qt::Key_Tab);
    EXPECT_EQ(editor.CapturedCode(), 0x00F);
    EXPECT_EQ(editor.focusWidget(), &field);
    SendKey(field, QEvent::KeyPress, evdev::kEnter, Qt::Key_Return);
    EXPECT_EQ(editor.CapturedCode(), 0x01C);
    EXPECT_TRUE(editor.IsOpen());
    EXPECT_EQ(counter.presses, 1) << "captured keys never reach the dialog's controls";

    // On another page nothing is captured, and Enter and Esc do not close it.
    editor.SendCommand(kMediaPageButton);
    EXPECT_FALSE(editor.IsCapturingKeys());
    SendKey(FocusOf(editor), QEvent::KeyPress, 1, Qt::Key_Escape);
    SendKey(editor, QEvent::KeyPress, evdev::kEnter, Qt::Key_Return);
    EXPECT_TRUE(editor.IsOpen());
    EXPECT_EQ(editor.CapturedCode(), 0x01C);
    editor.SendCommand(kIdCancel);
    EXPECT_FALSE(editor.IsCapturingKeys());
}

// Typed into the window, a key meets the application's shortcuts before the
// focus widget: the capture claims it in the shortcut check, except a
// multimedia key, which keeps its effect.
TEST_F(KeyCaptureTest, KeysTypedIntoTheWindowWinOverShortcutsButMultimediaKeysDoNot) {
    CTesselDlg& window = StartEditorWindow();
    Tessel_DlgComposite& editor = ClickKey(window, kKeyButtonA);
    int plainShortcuts = 0;
    int muteShortcuts = 0;
    QShortcut plain(QKeySequence(Qt::Key_B), &editor);
    QShortcut mute(QKeySequence(Qt::Key_VolumeMute), &editor);
    for (QShortcut* shortcut : {&plain, &mute}) {
        shortcut->setContext(Qt::ApplicationShortcut);
    }
    QObject::connect(&plain, &QShortcut::activated, [&] { ++plainShortcuts; });
    QObject::connect(&mute, &QShortcut::activated, [&] { ++muteShortcuts; });
    ActivateForTyping(editor);

    TypeIntoWindow(editor, Qt::Key_B);
    EXPECT_EQ(editor.CapturedCode(), 0x030);
    EXPECT_EQ(plainShortcuts, 0);
    TypeIntoWindow(editor, Qt::Key_VolumeMute);
    EXPECT_EQ(muteShortcuts, 1);
    EXPECT_EQ(editor.CapturedCode(), 0x030);

    // Without the capture, on another page, the shortcut has the key again.
    editor.SendCommand(kMediaPageButton);
    TypeIntoWindow(editor, Qt::Key_B);
    EXPECT_EQ(plainShortcuts, 1);
    editor.SendCommand(kIdCancel);
}

}  // namespace
}  // namespace tessel
