// Key capture on the key page: the first press of a key (Print Screen: its
// release) becomes the captured key; the Win and Menu keys whatever the key
// source. Multimedia keys keep their effect on the desktop.
//
// The way out for the keyboard: Tab is captured like any key while the
// captured-key field is empty. Once the field shows a key, Tab and Shift+Tab
// move the focus on (the Shift that Shift+Tab starts with is not kept), and
// the capture rests, passing every key on, until the field has the focus
// again. Back in the field, the first key is captured whatever it is, so Tab
// itself is assigned by pressing it into an empty field, or by coming back to
// the field (Shift+Tab or a click) and pressing it there.

#include <QCheckBox>
#include <QFocusEvent>
#include <QLineEdit>

#include <utility>

#include "editors/Tessel_DlgComposite.h"
#include "model/AssignmentLists.h"
#include "model/KeyCode.h"
#include "model/KeyNames.h"
#include "platform/qt/QtText.h"

namespace tessel {

using namespace composite_ids;

namespace {

bool IsWinOrMenuKey(uint16_t code) {
    return code == keycode::kLeftWin || code == keycode::kRightWin || code == keycode::kMenu;
}

constexpr uint16_t kTabKey = 0x00F;

bool IsShift(uint16_t code) {
    return code == keycode::kLeftShift || code == keycode::kRightShift;
}

}  // namespace

void Tessel_DlgComposite::InstallCapture() {
    m_captureResting = false;
    m_tabCapturable = false;
    KeyField()->installEventFilter(this);
    m_capture.Install(*this);
}

void Tessel_DlgComposite::RemoveCapture() {
    m_capture.Remove();
}

bool Tessel_DlgComposite::Swallows(uint16_t code) const {
    if (m_captureResting) {
        return false;
    }
    if (code == kTabKey && !KeyField()->text().isEmpty() && !m_tabCapturable) {
        return false;
    }
    return code != kNoKey && !IsMultimediaKeyCode(code);
}

bool Tessel_DlgComposite::eventFilter(QObject* watched, QEvent* event) {
    if (watched == KeyField() &&
        (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        OnKeyFieldFocus(event->type() == QEvent::FocusIn,
                        static_cast<QFocusEvent*>(event)->reason());
    }
    return CBaseDialog::eventFilter(watched, event);
}

void Tessel_DlgComposite::OnKeyFieldFocus(bool in, Qt::FocusReason reason) {
    if (!m_capture.IsInstalled()) {
        return;
    }
    if (in) {
        m_tabCapturable = std::exchange(m_captureResting, false);
        return;
    }
    // Only the keyboard leaves the capture: a click elsewhere (the mouse
    // list, a check box) keeps capturing, as the desktop's hook would.
    if (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason) {
        return;
    }
    m_captureResting = true;
    if (reason == Qt::BacktabFocusReason && IsShift(m_capturedCode)) {
        m_capturedCode = m_codeBeforeShift;
        KeyField()->setText(
            m_capturedCode == kNoKey
                ? QString()
                : ToQString(KeyNameOf(m_capturedCode, m_services.texts, m_services.languageTable)));
    }
}

void Tessel_DlgComposite::OnCapturedKey(const CapturedKey& key) {
    if (key.repeat) {
        return;
    }
    if (IsWinOrMenuKey(key.code)) {
        Capture(key.code);
        return;
    }
    const bool keyboardSource = Item<QCheckBox>(kKeyboardSource)->isChecked();
    const bool firstPress = !key.release;
    // Print Screen delivers only its release.
    const bool printScreen = key.code == keycode::kPrintScreen && key.release;
    if ((keyboardSource && firstPress) || printScreen) {
        Capture(key.code);
    }
}

void Tessel_DlgComposite::Capture(uint16_t code) {
    if (IsShift(code) && !IsShift(m_capturedCode)) {
        m_codeBeforeShift = m_capturedCode;
    }
    m_capturedCode = code;
    m_tabCapturable = false;
    KeyField()->setText(ToQString(KeyNameOf(code, m_services.texts, m_services.languageTable)));
    m_category = 2;
    SetModified(true);
}

}  // namespace tessel
