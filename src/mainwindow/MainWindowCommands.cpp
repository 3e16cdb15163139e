// The window commands other programs give the main window: 32780 opens the
// firmware update dialog, 32784 refreshes the language. Also the language
// request's way to the child dialogs.

#include <QTimer>

#include "device/DeviceConnection.h"
#include "editors/CTessel_DlgProfile.h"
#include "editors/CTessel_DlgUpdate.h"
#include "editors/SceneSwitch.h"
#include "mainwindow/CTesselDlg.h"
#include "skin/qt/SkinPictures.h"
#include "text/LanguageChoice.h"
#include "text/LanguageTable.h"

namespace tessel {

intptr_t CTesselDlg::OnCommandRequest(uintptr_t command) {
    if (command == kCommandUpdate) {
        // The dialog runs its own loop until closed: the sender, which waits
        // for this answer, must not wait for the user.
        QTimer::singleShot(0, this, [this] { SendCommand(static_cast<int>(kCommandUpdate)); });
        return 1;
    }
    SendCommand(static_cast<int>(command));
    return 1;
}

void CTesselDlg::OpenUpdateDialog() {
    if (!m_parts || !m_session || m_exiting) {
        return;
    }
    if (!m_update) {
        m_update = std::make_unique<CTessel_DlgUpdate>(
            UpdateServices{*m_session, FileContext(), m_parts->languageFiles,
                           [this] { return LanguageIndex(); }, m_context.paths},
            this);
    }
    // An exit while it is open closes it first (close-all-editors); nothing
    // of the window may be touched after it returns.
    m_update->RunModal();
}

void CTesselDlg::RefreshLanguage() {
    if (!m_parts || m_exiting) {
        return;
    }
    RunLanguageCommand(m_parts->languageTable,
                       SkinFilePath(m_context.paths.programFolder, u"Skins\\language.ini"));
    ShowLanguageTableTexts();
    if (m_keyboardView) {
        m_keyboardView->LabelModeSwitch();
        m_keyboardView->RefreshKeyButtonLabels();
    }
    if (m_scenes) {
        m_scenes->BuildSceneMenu(false);
    }
    // The skin's captions for the new selector, and the effect names with it.
    if (m_panel) {
        m_panel->LoadLightingCaptions();
        m_panel->FillLightingPanel();
    }
    m_tray.SetTooltipText(
        LocalText(m_parts->languageTable.TextKey(TextKeyEntry::KEYBOARD_TRAY_DESC)));
}

// Each child dialog whose window exists relabels itself.
void CTesselDlg::ForwardLanguage(int index) {
    const WindowRequest request{kLanguageMessage, kLanguageTag, index};
    if (m_update && m_update->IsCreated()) {
        m_update->Send(request);
    }
    if (m_scenes && m_scenes->Manager().IsCreated()) {
        m_scenes->Manager().Send(request);
    }
}

}  // namespace tessel
