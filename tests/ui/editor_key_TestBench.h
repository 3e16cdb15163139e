#pragma once
// The key-assignment editor of a real main window against the simulated
// keyboard, opened through the test hook so a test can drive it, with key
// events that carry native scan codes as X11 and Wayland deliver them.

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QWindow>

#include "MainWindowFixture.h"
#include "editors/Tessel_DlgComposite.h"
#include "model/ProfileImage.h"
#include "model/ScanCodes.h"
#include "torvex_sim.h"

namespace tessel::testing {

// evdev codes of the keys the tests press.
namespace evdev {
inline constexpr uint32_t kA = 30;
inline constexpr uint32_t kB = 48;
inline constexpr uint32_t kLeftWin = 125;
inline constexpr uint32_t kMute = 113;
inline constexpr uint32_t kPrint = 99;
inline constexpr uint32_t kTab = 15;
inline constexpr uint32_t kEnter = 28;
}  // namespace evdev

inline constexpr int kKeyButtonA = 1058;
inline constexpr int kKeyIndexA = 0x01E;
// The slot of A in the keyboard's key blocks and its default action.
inline constexpr int kSlotA = 19;

class KeyEditorTest : public MainWindowTest {
protected:
    // A window with the keyboard attached, the lighting switch off (a key
    // click opens the editor) and the editor driven without a modal loop.
    CTesselDlg& StartEditorWindow() {
        CTesselDlg& window = StartWindowWithKeyboard();
        if (window.Panel() && window.Panel()->LightingSwitchOn()) {
            window.Panel()->TurnLightingSwitchOff();
        }
        window.KeyEditor()->SetModeless(true);
        return window;
    }

    Tessel_DlgComposite& ClickKey(CTesselDlg& window, int controlId) {
        window.SendCommand(controlId);
        Tessel_DlgComposite& editor = *window.KeyEditor();
        EXPECT_TRUE(editor.IsOpen());
        return editor;
    }

    // A key event as the desktop delivers it: native scan code = evdev + 8;
    // evdev code 0 sends none, as a synthetic event does.
    static void SendKey(QWidget& target, QEvent::Type type, uint32_t evdevCode,
                        int qtKey = Qt::Key_unknown, bool autoRepeat = false) {
        const uint32_t native = evdevCode == 0 ? 0 : evdevCode + kNativeScanCodeOffset;
        QKeyEvent event(type, qtKey, Qt::NoModifier, native, 0, 0, QString(), autoRepeat);
        QApplication::sendEvent(&target, &event);
    }
    static QWidget& FocusOf(Tessel_DlgComposite& editor) {
        QWidget* focus = editor.focusWidget();
        return focus ? *focus : static_cast<QWidget&>(editor);
    }
    static void Tap(Tessel_DlgComposite& editor, uint32_t evdevCode, int qtKey = Qt::Key_unknown) {
        SendKey(FocusOf(editor), QEvent::KeyPress, evdevCode, qtKey);
        SendKey(FocusOf(editor), QEvent::KeyRelease, evdevCode, qtKey);
    }

    // Keys typed into the editor's window as the desktop delivers them: to the
    // window, whose shortcuts have their say before its focus widget gets the
    // key. The window must be the active one.
    static void ActivateForTyping(Tessel_DlgComposite& editor) {
        editor.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
    }
    static void TypeIntoWindow(Tessel_DlgComposite& editor, Qt::Key key) {
        QTest::keyClick(editor.windowHandle(), key);
    }
    static void TypeIntoWindow(Tessel_DlgComposite& editor, const char* text) {
        for (; *text; ++text) {
            QTest::keyClick(editor.windowHandle(), *text);
        }
    }

    KeyAssignment EditEntry(int profile, int keyIndex) {
        const auto lock = m_editStore.Lock();
        return *EntryFor(*m_editStore.Image(), profile, keyIndex);
    }
    std::vector<MacroRecord> EditMacros() {
        const auto lock = m_editStore.Lock();
        return m_editStore.Macros();
    }
    std::vector<uint8_t> SimKeyBlock(int profile) {
        return ReadSimArea(TORVEX_SIM_AREA_KEY_BLOCKS, static_cast<uint32_t>(profile) * 192, 192);
    }
    void SetSimActiveProfile(uint8_t profile) {
        SimControl<int (*)(int, uint32_t, const uint8_t*, uint32_t)>("TorvexSimWriteArea")(
            TORVEX_SIM_AREA_DEVICE_INFO, 10, &profile, 1);
    }
};

}  // namespace tessel::testing
