// The program as the user meets it from the tray: showing the window, the
// tray icon and its menu, the About box, help, the update dialog, the
// firmware check on Open and the language requests.

#include <QGuiApplication>
#include <QImageReader>
#include <QMenu>
#include <QThread>
#include <QTimer>

#include "app/AppIdentity.h"
#include "app/ApplicationIcon.h"
#include "device/DeviceConnection.h"
#include "device/StatusChannels.h"
#include "editors/AppProfileDialog.h"
#include "editors/CTessel_DlgProfile.h"
#include "editors/CTessel_DlgUpdate.h"
#include "editors/SceneSwitch.h"
#include "mainwindow/CAboutDlg.h"
#include "mainwindow/CTesselDlg.h"
#include "platform/Prompter.h"
#include "platform/ShellOpen.h"
#include "platform/qt/ModalBoxes.h"
#include "platform/qt/QtText.h"
#include "resident/FirmwareCheck.h"
#include "resident/HelpPage.h"
#include "resident/ResidentCore.h"
#include "resident/TrayMenuTexts.h"
#include "skin/qt/SkinPictures.h"
#include "storage/ImportExport.h"
#include "text/LanguageChoice.h"
#include "text/LanguageTable.h"
#include "text/LocalText.h"
#include "widgets/LazyFileIcon.h"

namespace tessel {

namespace {

constexpr char16_t kUpdaterProgram[] = u"UPDATE-Zerkon-A.exe";
constexpr char16_t kUpdaterParameters[] = u"In the upgrade";
constexpr char16_t kVersionQuestion[] =
    u"The current version is too low! Please update the program after upgrading.";
constexpr char16_t kVersionCaption[] = u"Version update";
constexpr unsigned long kVersionPauseMs = 10;

}  // namespace

int ResidentCore::LanguageIndex() const {
    return m_parts ? m_parts->language.LanguageIndex() : 0;
}

QString ResidentCore::LocalText(std::u16string_view key) const {
    return LocalText(key, LanguageIndex());
}

QString ResidentCore::LocalText(std::u16string_view key, int languageIndex) const {
    return QString::fromStdU16String(m_parts->languageFiles.LocalText(key, languageIndex));
}

QString ResidentCore::WindowTitle() const {
    return m_parts ? LocalText(u"IDS_MAIN_CAPTION") : FromUtf8(kApplicationName);
}

void ResidentCore::ShowWindow() {
    if (m_status && m_status->LastDeviceCount() == 0) {
        m_parts->prompter.ShowMessage(
            LocalText(m_parts->languageTable.TextKey(TextKeyEntry::MAIN_NO_DEVICE_PROMPT))
                .toStdU16String(),
            u"", PromptButtons::Ok, PromptIcon::Information);
        return;
    }
    if (m_exiting) {
        return;
    }
    Window().ShowNormally();
}

void ResidentCore::ShowAboutBox() {
    if (!m_about) {
        m_about = std::make_unique<CAboutDlg>();
        if (m_parts) {
            m_about->ApplyLanguage(m_parts->languageFiles, LanguageIndex());
        }
    }
    m_about->show();
    m_about->raise();
}

void ResidentCore::CloseAllEditors() {
    if (m_about) {
        m_about->hide();
    }
    if (m_scenes) {
        m_scenes->CloseSceneManager();
    }
    // Its modal loop must not outlive the program (exit, unplug).
    if (m_update) {
        m_update->CloseAsCancel();
    }
    if (m_window) {
        m_window->CloseEditors();
    }
}

void ResidentCore::OnTrayCommand(int command) {
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

void ResidentCore::OpenHelp() {
    if (m_parts && m_texts) {
        OpenHelpPage(m_context.paths.helpFolder, m_parts->prompter, *m_texts);
    } else {
        ShellOpen(kHelpPageName, u"", m_context.paths.helpFolder, ShowCommand::Normal);
    }
}

void ResidentCore::CreateTrayIcon() {
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

void ResidentCore::PrepareTrayMenu() {
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

QIcon ResidentCore::TrayIconPicture(int iconId) const {
    const QString file = QString::fromStdU16String(
        SkinFilePath(m_context.paths.programFolder,
                     u"Skins\\icon" + QString::number(iconId).toStdU16String() + u".png")
            .u16string());
    // Only the header is read here: the tray decodes the picture when it draws it.
    return QImageReader(file, "png").canRead() ? LazyFileIcon(file) : ApplicationIcon();
}

void ResidentCore::CheckFirmware() {
    if (!m_session) {
        return;
    }
    // Only the version matters; a failed read leaves it 0, which asks nothing.
    auto info = std::make_shared<std::array<uint8_t, kDeviceInfoSize>>();
    m_session->Submit([info](DeviceLink& link) { return link.ReadDeviceInfo(*info); },
                      [this, info](int) { AskForFirmwareUpdate(FirmwareVersionOf(*info)); },
                      KeyboardJobs::OnFailure::Quiet);
}

void ResidentCore::AskForFirmwareUpdate(uint16_t version) {
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

// The window commands other programs give: 32780 opens the firmware update
// dialog, 32784 refreshes the language.
intptr_t ResidentCore::OnCommandRequest(uintptr_t command) {
    if (command == kCommandUpdate) {
        // The dialog runs its own loop until closed: the sender, which waits
        // for this answer, must not wait for the user.
        QTimer::singleShot(0, this, [this] { OpenUpdateDialog(); });
        return 1;
    }
    if (command == kCommandLanguage) {
        RefreshLanguage();
        return 1;
    }
    return 0;
}

void ResidentCore::OpenUpdateDialog() {
    if (!m_parts || !m_session || m_exiting) {
        return;
    }
    if (!m_update) {
        // Over the main window, so a compositor places it there.
        m_update = std::make_unique<CTessel_DlgUpdate>(
            UpdateServices{*m_session, FileContext(), m_parts->languageFiles,
                           [this] { return LanguageIndex(); }, m_context.paths},
            &Window());
    }
    // An exit while it is open closes it first (close-all-editors); nothing
    // of the core may be touched after it returns.
    m_update->RunModal();
}

void ResidentCore::RefreshLanguage() {
    if (!m_parts || m_exiting) {
        return;
    }
    RunLanguageCommand(m_parts->languageTable,
                       SkinFilePath(m_context.paths.programFolder, u"Skins\\language.ini"));
    if (m_window) {
        m_window->RefreshLanguageTexts();
    }
    if (m_scenes) {
        m_scenes->BuildSceneMenu(false);
    }
    m_tray.SetTooltipText(
        LocalText(m_parts->languageTable.TextKey(TextKeyEntry::KEYBOARD_TRAY_DESC)));
}

// The language request: every dialog whose window exists relabels itself.
void ResidentCore::ApplyLanguage(int index) {
    if (!m_parts) {
        return;
    }
    if (m_about) {
        m_about->ApplyLanguage(m_parts->languageFiles, index);
    }
    const WindowRequest request{kLanguageMessage, kLanguageTag, index};
    if (m_update && m_update->IsCreated()) {
        m_update->Send(request);
    }
    if (m_scenes && m_scenes->HasManager() && m_scenes->Manager().IsCreated()) {
        m_scenes->Manager().Send(request);
    }
    if (m_window) {
        m_window->ApplyLanguage(index);
    }
}

}  // namespace tessel
