// The parts of the main window that show and edit the keyboard: the keyboard
// picture with its flip keys, the key editor and the lighting panel; created
// with the layout, bound to their commands, and what each of them asks of the
// window.

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
#include "resident/ResidentCore.h"
#include "skin/qt/CPngButton.h"
#include "storage/LightingFileStore.h"
#include "storage/ProfileSettings.h"
#include "storage/SceneFile.h"
#include "storage/UserSettingsFile.h"
#include "storage/WriteFailureNotice.h"
#include "text/LocalText.h"

namespace tessel {

void CTesselDlg::CreateKeyboardParts() {
    const ButtonLookup buttons = [this](int id) { return Item<CPngButton>(id); };
    m_flipKeys = std::make_unique<FlipKeys>(buttons, m_images, *m_core.Settings(), SkinIni());
    m_keyboardView = std::make_unique<KeyboardView>(static_cast<KeyboardViewHost&>(*this), buttons,
                                                    m_images, m_context.editStore, *m_core.Texts(),
                                                    m_parts->languageTable);
    m_keyboardView->AttachFlipKeys(*m_flipKeys);
    CreateKeyEditor();
}

void CTesselDlg::CreateKeyEditor() {
    const KeyEditorServices services{
        m_context.editStore,    m_parts->prompter, m_parts->languageTable, *m_core.Texts(),
        m_parts->languageFiles, m_context.paths,   *m_core.Settings(),     m_parts->keyboard};
    m_keyEditor =
        std::make_unique<Tessel_DlgComposite>(services, static_cast<KeyEditorHost&>(*this), this);
    // A switch to follow the application in front may wait for the editor;
    // its count is down before it says it finished.
    connect(
        m_keyEditor.get(), &QDialog::finished, this, [this] { m_core.FocusHoldMayHaveEnded(); },
        Qt::QueuedConnection);
}

void CTesselDlg::CreateLightingPanel() {
    if (!m_core.Lighting()) {
        return;
    }
    m_panel = std::make_unique<LightingPanel>(
        *this, *m_core.Lighting(), *m_core.LightingFiles(), static_cast<LightingPanelHost&>(*this),
        m_context.paths.programFolder, SkinIni(),
        [this](int code) { return m_core.Texts()->EffectName(code); });
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
    SceneSwitch* scenes = m_core.Scenes();
    if (!scenes) {
        return;
    }
    BindCommand(kIdSceneButton, [scenes] { scenes->OpenSceneManager(); });
    BindCommand(kIdSceneMenuButton, [this, scenes] {
        raise();
        activateWindow();
        scenes->PopUpSceneMenu(QCursor::pos());
    });
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
    if (m_keyboardView && m_core.Lighting()) {
        m_keyboardView->ShowKeyColours(*m_core.Lighting());
    }
}

void CTesselDlg::ShowReportRate(int rate) {
    CheckButtonOfGroup(kReportRateButtonIds, rate);
}

}  // namespace tessel
