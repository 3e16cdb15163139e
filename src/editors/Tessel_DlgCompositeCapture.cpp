// Key capture on the key page: the first press of a key (Print Screen: its
// release) becomes the captured key; the Win and Menu keys whatever the key
// source. Multimedia keys keep their effect on the desktop.

#include <QCheckBox>
#include <QLineEdit>

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

}  // namespace

void Tessel_DlgComposite::InstallCapture() {
    m_capture.Install(*this);
}

void Tessel_DlgComposite::RemoveCapture() {
    m_capture.Remove();
}

bool Tessel_DlgComposite::Swallows(uint16_t code) const {
    return code != kNoKey && !IsMultimediaKeyCode(code);
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
    m_capturedCode = code;
    KeyField()->setText(ToQString(KeyNameOf(code, m_services.texts, m_services.languageTable)));
    m_category = 2;
    SetModified(true);
}

}  // namespace tessel
