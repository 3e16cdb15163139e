// The parts of the main window that show and edit the keyboard: the keyboard
// picture with its flip keys, the scene-mode switch with its menu and manager,
// and the lighting panel; created with the layout, bound to their commands,
// and what each of them asks of the window.

#include <QCursor>

#include "device/DeviceConnection.h"
#include "editors/SceneMenu.h"
#include "editors/SceneSwitch.h"
#include "mainwindow/CTesselDlg.h"
#include "mainwindow/FlipKeys.h"
#include "mainwindow/KeyboardViewButtons.h"
#include "mainwindow/LightingPanelControls.h"
#include "model/KeyButtons.h"
#include "model/LightingModel.h"
#include "platform/AtomicFile.h"
#include "platform/Registry.h"
#include "skin/qt/CPngButton.h"
#include "storage/LightingFileStore.h"
#include "storage/ProfileSettings.h"
#include "storage/SceneFile.h"
#include "storage/UserSettingsFile.h"
#include "storage/WriteFailureNotice.h"
#include "text/LocalText.h"

namespace tessel {

void CTesselDlg::CreateKeyboardParts() {
    Registry& registry = m_parts->settings ? *m_parts->settings : Registry::CurrentUser();
    m_settings = std::make_unique<ProfileSettings>(registry);
    const ButtonLookup buttons = [this](int id) { return Item<CPngButton>(id); };
    m_flipKeys = std::make_unique<FlipKeys>(buttons, m_images, *m_settings, SkinIni());
    m_keyboardView =
        std::make_unique<KeyboardView>(static_cast<KeyboardViewHost&>(*this), buttons, m_images,
                                       m_context.editStore, *m_texts, m_parts->languageTable);
    m_keyboardView->AttachFlipKeys(*m_flipKeys);
    CreateKeyEditor();
}

void CTesselDlg::CreateKeyEditor() {
    const KeyEditorServices services{m_context.editStore,
                                     m_parts->prompter,
                                     m_parts->languageTable,
                                     *m_texts,
                                     m_parts->languageFiles,
                                     m_context.paths,
                                     *m_settings,
                                     m_parts->keyboard};
    m_keyEditor =
        std::make_unique<Tessel_DlgComposite>(services, static_cast<KeyEditorHost&>(*this), this);
}

void CTesselDlg::CreateLightingPanel() {
    if (!m_lighting) {
        return;
    }
    SceneServices services{
        *m_session, *m_sceneFile,    m_context.editStore, m_parts->prompter, m_parts->languageTable,
        *m_texts,   m_context.paths, m_parts->keyboard,   *m_settings,       m_dataFolder};
    m_scenes = std::make_unique<SceneSwitch>(static_cast<SceneHost&>(*this), services, this);
    m_panel = std::make_unique<LightingPanel>(
        *this, *m_lighting, *m_lightingFiles, static_cast<LightingPanelHost&>(*this),
        m_context.paths.programFolder, SkinIni(),
        [this](int code) { return m_texts->EffectName(code); });
    PlaceLightingPanel(*this, SkinIni());
    m_panel->InitLightingPanel();
}

void CTesselDlg::BindKeyboardCommands() {
    auto bindKeyClick = [this](int id) {
        BindCommand(id, [this, id] { m_keyboardView->OnKeyButtonClick(id); });
    };
    for (const KeyButton& key : kKeyButtons) {
        bindKeyClick(key.controlId);
    }
    for (const GKeyButton& key : kGKeyButtons) {
        bindKeyClick(key.controlId);
    }
    for (int i = 0; i < keyboard_ids::kDKeyCount; ++i) {
        bindKeyClick(keyboard_ids::kFirstDKey + i);
    }
    bindKeyClick(kFnButton.controlId);
    bindKeyClick(keyboard_ids::kHiddenEnter);
    BindCommand(keyboard_ids::kModeSwitch, [this] { m_keyboardView->ToggleColourKeysMode(); });
    // The macro button edits G9, restricted to macros, as a click on G9 does.
    BindCommand(kIdMacroButton,
                [this] { m_keyboardView->OpenKeyEntry(kGKeyButtons.back().controlId); });
    for (int id : {keyboard_ids::kLeftFlipButton, keyboard_ids::kRightFlipButton}) {
        BindCommand(id, [this] { m_flipKeys->ToggleFlipSetting(); });
    }
    if (!m_scenes) {
        return;
    }
    BindCommand(kIdSceneButton, [this] { m_scenes->OpenSceneManager(); });
    BindCommand(kIdSceneMenuButton, [this] {
        raise();
        activateWindow();
        m_scenes->PopUpSceneMenu(QCursor::pos());
    });
}

bool CTesselDlg::IsKeyEditorOpen() const {
    return m_keyEditor && m_keyEditor->IsOpen();
}

void CTesselDlg::RunApplyCommand() {
    SendCommand(kIdApply);
}

void CTesselDlg::RefreshKeyButtonLabels() {
    if (m_keyboardView) {
        m_keyboardView->RefreshKeyButtonLabels();
    }
}

void CTesselDlg::SetSceneButton(const QString& caption, const QString& tooltip) {
    if (auto* button = Item<CPngButton>(kIdSceneButton)) {
        button->setText(caption);
        button->SetTooltip(tooltip, true);
        button->Redraw();
    }
}

int CTesselDlg::ActiveProfile() {
    return m_session ? m_session->CachedActiveProfile() : -1;
}

bool CTesselDlg::LightingSwitchOn() const {
    return m_panel && m_panel->LightingSwitchOn();
}

void CTesselDlg::PaintKey(int controlId) {
    if (m_panel) {
        m_panel->PaintKey(controlId);
    }
}

int CTesselDlg::OpenKeyEditor(const KeyEditorTarget& target) {
    return m_keyEditor ? m_keyEditor->OpenKeyEditor(target) : -1;
}

QWidget* CTesselDlg::KeyButtonWidget(int controlId) {
    return GetDlgItem(controlId);
}

bool CTesselDlg::SwitchToActiveScene() {
    return m_scenes && m_scenes->SwitchScene(ActiveProfile()) == 1;
}

void CTesselDlg::ResetKeyLooks() {
    if (m_keyboardView) {
        m_keyboardView->ResetKeyLooks();
    }
}

void CTesselDlg::ShowAssignments() {
    if (m_keyboardView) {
        m_keyboardView->ShowAssignments();
    }
}

void CTesselDlg::ShowKeyColours() {
    if (m_keyboardView && m_lighting) {
        m_keyboardView->ShowKeyColours(*m_lighting);
    }
}

void CTesselDlg::ShowReportRate(int rate) {
    CheckButtonOfGroup(kReportRateButtonIds, rate);
}

void CTesselDlg::TellLightingSwitchNotSaved() {
    ReportFailedWrite(UserSettingsFile(m_dataFolder), m_parts->prompter, *m_texts,
                      LastWriteFailure());
}

void CTesselDlg::TellColourFileNotSaved(int profile) {
    ReportFailedWrite(m_lightingFiles->Colours().FileOf(profile), m_parts->prompter, *m_texts,
                      LastWriteFailure());
}

}  // namespace tessel
