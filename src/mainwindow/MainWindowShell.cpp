// The main window as a whole: showing and hiding, its keys and system menu,
// closing its editors and the texts the language request gives its controls.

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>

#include "mainwindow/CTesselDlg.h"
#include "mainwindow/MainWindowAccess.h"
#include "resident/ResidentCore.h"
#include "skin/qt/CPngButton.h"

namespace tessel {

namespace {

struct LabelText {
    int id;
    std::u16string_view key;
};
// The texts the language request gives the window's controls.
constexpr LabelText kLanguageLabels[] = {
    {1173, u"IDS_KEYBOARD_FUNC_COLOURFUL"},
    {1176, u"IDS_KEYBOARD_FUNC_COLOURFUL"},
    {1161, u"IDS_KEYBOARD_FUNC_JCOLOR"},
    {1163, u"IDS_KEYBOARD_FUNC_TOOL"},
    {1171, u"IDS_KEYBOARD_FUNC_DENG"},
    {1204, u"IDS_KEYBOARD_FUNC_USB"},
    {1148, u"IDS_KEYBOARD_FUNC_FX"},
    {1166, u"IDS_KEYBOARD_FUNC_SPEED"},
    {1172, u"IDS_KEYBOARD_FUNC_TEXTLIGHT"},
    {1151, u"IDS_KEYBOARD_FUNC_COLOR"},
    {1154, u"IDS_KEYBOARD_FUNC_COLOR"},
    {1159, u"IDS_KEYBOARD_FUNC_COLOR"},
    {1135, u"IDS_MAIN_PROFILE1"},
    {1136, u"IDS_MAIN_PROFILE2"},
    {1137, u"IDS_MAIN_PROFILE3"},
    {1199, u"IDS_MAIN_PROFILE4"},
    {1007, u"IDS_MAIN_MACRO"},
    {1138, u"IDS_MAIN_DEFAULT"},
    {kIdOk, u"IDS_MAIN_OK"},
    {kIdCancel, u"IDS_MAIN_Cancel"},
    {kIdApply, u"IDS_MAIN_Apply"},
};
constexpr int kRgbCaptionId = 1207;
constexpr int kStyledButtons[] = {1135, 1136, 1137, 1199, 1007, 1138, kIdOk, kIdCancel, kIdApply};

}  // namespace

void CTesselDlg::showEvent(QShowEvent* event) {
    m_images.Decode();
    CBaseDialog::showEvent(event);
}

void CTesselDlg::hideEvent(QHideEvent* event) {
    CBaseDialog::hideEvent(event);
    // A minimised window keeps its pictures: it comes back without a decode.
    if (!isMinimized()) {
        m_images.Release();
    }
}

void CTesselDlg::ShowNormally() {
    // Shown, the window has a taskbar button like any application window.
    setWindowFlag(Qt::Tool, false);
    showNormal();
    raise();
    activateWindow();
}

void CTesselDlg::CloseEditors() {
    if (m_keyEditor) {
        m_keyEditor->CloseKeyEditor();
    }
    if (isVisible()) {
        activateWindow();
    }
}

bool CTesselDlg::IsKeyEditorOpen() const {
    return m_keyEditor && m_keyEditor->IsOpen();
}

// OK applies, then hides; Cancel only hides. The program stays in the tray.
void CTesselDlg::OnOK() {
    SendCommand(kIdApply);
    hide();
}

void CTesselDlg::OnCancel() {
    hide();
}

void CTesselDlg::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            // The input filter holds them back; without a skin there is none.
            return;
        case Qt::Key_F1:
            m_core.OpenHelp();
            return;
        default:
            CBaseDialog::keyPressEvent(event);
    }
}

// The frameless window's system menu opens on its body.
void CTesselDlg::contextMenuEvent(QContextMenuEvent* event) {
    if (m_systemMenu) {
        m_systemMenu->popup(event->globalPos());
    }
}

void CTesselDlg::ApplyLanguage(int index) {
    if (!m_parts) {
        return;
    }
    if (m_keyEditor && m_keyEditor->IsCreated()) {
        m_keyEditor->Send({kLanguageMessage, kLanguageTag, static_cast<intptr_t>(index)});
    }
    for (const LabelText& label : kLanguageLabels) {
        if (QWidget* control = GetDlgItem(label.id)) {
            control->setProperty("text", m_core.LocalText(label.key, index));
        }
    }
    if (QWidget* rgb = GetDlgItem(kRgbCaptionId)) {
        rgb->setProperty("text", QStringLiteral("RGB"));
    }
    for (int id : kStyledButtons) {
        if (auto* button = Item<CPngButton>(id)) {
            StyleButtonText(*button, 10);
        }
    }
    DescribeMainWindow(
        *this, [this, index](std::u16string_view key) { return m_core.LocalText(key, index); });
}

// After the language table was reloaded.
void CTesselDlg::RefreshLanguageTexts() {
    ShowLanguageTableTexts();
    if (m_keyboardView) {
        m_keyboardView->LabelModeSwitch();
        m_keyboardView->RefreshKeyButtonLabels();
    }
    // The skin's captions for the new selector, and the effect names with it.
    if (m_panel) {
        m_panel->LoadLightingCaptions();
        m_panel->FillLightingPanel();
    }
}

}  // namespace tessel
