// The main window as a whole: showing and hiding, the tray icon and its menu,
// the About box, help, the firmware check on Open and the language request.

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QThread>

#include "app/ApplicationIcon.h"
#include "device/DeviceConnection.h"
#include "device/StatusChannels.h"
#include "editors/CTessel_DlgUpdate.h"
#include "editors/SceneSwitch.h"
#include "mainwindow/CAboutDlg.h"
#include "mainwindow/CTesselDlg.h"
#include "mainwindow/FirmwareCheck.h"
#include "mainwindow/HelpPage.h"
#include "mainwindow/MainWindowAccess.h"
#include "mainwindow/TrayMenuTexts.h"
#include "platform/Prompter.h"
#include "platform/ShellOpen.h"
#include "platform/qt/ModalBoxes.h"
#include "skin/qt/CPngButton.h"
#include "skin/qt/SkinPictures.h"
#include "text/LanguageChoice.h"
#include "text/LanguageTable.h"
#include "text/LocalText.h"

namespace tessel {

namespace {

constexpr char16_t kUpdaterProgram[] = u"UPDATE-Zerkon-A.exe";
constexpr char16_t kUpdaterParameters[] = u"In the upgrade";
constexpr char16_t kVersionQuestion[] =
    u"The current version is too low! Please update the program after upgrading.";
constexpr char16_t kVersionCaption[] = u"Version update";
constexpr unsigned long kVersionPauseMs = 10;

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

int CTesselDlg::LanguageIndex() const {
    return m_parts ? m_parts->language.LanguageIndex() : 0;
}

QString CTesselDlg::LocalText(std::u16string_view key) const {
    return LocalText(key, LanguageIndex());
}

QString CTesselDlg::LocalText(std::u16string_view key, int languageIndex) const {
    return QString::fromStdU16String(m_parts->languageFiles.LocalText(key, languageIndex));
}

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

void CTesselDlg::ShowWindow() {
    if (m_status && m_status->LastDeviceCount() == 0) {
        m_parts->prompter.ShowMessage(
            LocalText(m_parts->languageTable.TextKey(TextKeyEntry::MAIN_NO_DEVICE_PROMPT))
                .toStdU16String(),
            u"", PromptButtons::Ok, PromptIcon::Information);
        return;
    }
    // Shown, the window has a taskbar button like any application window.
    setWindowFlag(Qt::Tool, false);
    showNormal();
    raise();
    activateWindow();
}

void CTesselDlg::ShowAboutBox() {
    if (!m_about) {
        m_about = std::make_unique<CAboutDlg>();
        if (m_parts) {
            m_about->ApplyLanguage(m_parts->languageFiles, LanguageIndex());
        }
    }
    m_about->show();
    m_about->raise();
}

void CTesselDlg::CloseAllEditors() {
    if (m_about) {
        m_about->hide();
    }
    if (m_scenes) {
        m_scenes->CloseSceneManager();
    }
    if (m_keyEditor) {
        m_keyEditor->CloseKeyEditor();
    }
    // Its modal loop must not outlive the window (exit, unplug).
    if (m_update) {
        m_update->CloseAsCancel();
    }
    if (isVisible()) {
        activateWindow();
    }
}

void CTesselDlg::OnTrayCommand(int command) {
    switch (command) {
        case kCommandOpen:
            ShowWindow();
            break;
        case kCommandAbout:
            ShowAboutBox();
            break;
        case kCommandExit:
            ExitSequence();
            break;
        case kCommandAppProfiles:
            OpenAppProfiles();
            break;
        default:
            break;
    }
}

// OK applies, then hides; Cancel only hides. The program stays in the tray.
void CTesselDlg::OnOK() {
    SendCommand(kIdApply);
    HideWindow();
}

void CTesselDlg::OnCancel() {
    HideWindow();
}

void CTesselDlg::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            // The input filter holds them back; without a skin there is none.
            return;
        case Qt::Key_F1:
            OpenHelp();
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

void CTesselDlg::OpenHelp() {
    if (m_parts && m_texts) {
        OpenHelpPage(m_context.paths.helpFolder, m_parts->prompter, *m_texts);
    } else {
        ShellOpen(kHelpPageName, u"", m_context.paths.helpFolder, ShowCommand::Normal);
    }
}

void CTesselDlg::CreateTrayIcon() {
    if (m_tray.Menu().actions().isEmpty()) {
        m_tray.AddMenuItem(kCommandOpen, QStringLiteral("Open(&O)"));
        m_tray.AddMenuItem(kCommandAbout, QStringLiteral("About(&A)"));
        m_tray.AddMenuItem(kCommandAppProfiles, QStringLiteral("Application profiles..."));
        m_tray.AddMenuItem(kCommandExit, QStringLiteral("Exit(&X)"));
        m_tray.SetMenuDefaultItem(kCommandOpen);
    }
    const QString tooltip =
        m_parts ? LocalText(m_parts->languageTable.TextKey(TextKeyEntry::KEYBOARD_TRAY_DESC))
                : QGuiApplication::applicationDisplayName();
    m_tray.Create(kTrayIconId, TrayIconPicture(kApplicationIconId), tooltip);
    if (m_parts) {
        m_tray.SayOnceWithoutHost(LocalText(u"IDS_WAYLAND_NO_TRAY"));
    }
    m_tray.SetMenuLocaliser([this](QMenu&) { PrepareTrayMenu(); });
    m_trayIconId = kApplicationIconId;
}

void CTesselDlg::PrepareTrayMenu() {
    if (!m_parts) {
        return;
    }
    const TrayMenuTexts texts =
        TrayMenuTextsFor(m_context.paths.programFolder, m_parts->languageFiles, LanguageIndex());
    m_tray.MenuItem(kCommandOpen)->setText(texts.open);
    m_tray.MenuItem(kCommandAbout)->setText(texts.about);
    m_tray.MenuItem(kCommandExit)->setText(texts.exit);
    m_tray.MenuItem(kCommandAppProfiles)->setText(AppProfilesMenuText());
}

QIcon CTesselDlg::TrayIconPicture(int iconId) const {
    const QIcon icon(QString::fromStdU16String(
        SkinFilePath(m_context.paths.programFolder,
                     u"Skins\\icon" + QString::number(iconId).toStdU16String() + u".png")
            .u16string()));
    return icon.availableSizes().isEmpty() ? ApplicationIcon() : icon;
}

void CTesselDlg::CheckFirmware() {
    if (!m_session) {
        return;
    }
    // Only the version matters; a failed read leaves it 0, which asks nothing.
    auto info = std::make_shared<std::array<uint8_t, kDeviceInfoSize>>();
    m_session->Submit([info](DeviceLink& link) { return link.ReadDeviceInfo(*info); },
                      [this, info](int) { AskForFirmwareUpdate(FirmwareVersionOf(*info)); },
                      KeyboardJobs::OnFailure::Quiet);
}

void CTesselDlg::AskForFirmwareUpdate(uint16_t version) {
    if (!FirmwareNeedsUpdate(version)) {
        return;
    }
    QThread::msleep(kVersionPauseMs);
    const PromptAnswer answer = m_parts->prompter.ShowMessage(
        kVersionQuestion, kVersionCaption, PromptButtons::OkCancel, PromptIcon::Question);
    if (answer != PromptAnswer::Ok) {
        // Closed by an exit request, which runs the exit sequence instead.
        if (!ModalBoxes::Closing()) {
            m_context.instance.EndProcess(0);
        }
        return;
    }
    QThread::msleep(kVersionPauseMs);
    ShellOpen(kUpdaterProgram, kUpdaterParameters, m_context.paths.helpFolder, ShowCommand::Normal);
}

void CTesselDlg::ApplyLanguage(int index) {
    if (!m_parts) {
        return;
    }
    if (m_about) {
        m_about->ApplyLanguage(m_parts->languageFiles, index);
    }
    if (m_keyEditor && m_keyEditor->IsCreated()) {
        m_keyEditor->Send({kLanguageMessage, kLanguageTag, static_cast<intptr_t>(index)});
    }
    ForwardLanguage(index);
    for (const LabelText& label : kLanguageLabels) {
        if (QWidget* control = GetDlgItem(label.id)) {
            control->setProperty("text", LocalText(label.key, index));
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
    DescribeMainWindow(*this,
                       [this, index](std::u16string_view key) { return LocalText(key, index); });
}

}  // namespace tessel
