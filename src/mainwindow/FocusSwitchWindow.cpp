// The main window's side of following the application in front: the switch
// goes the way of a profile button, in the keyboard's turn, and waits while
// it would lose work; the tray tooltip names the rule in force and the window
// says what waits.

#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QSystemTrayIcon>

#include "device/DeviceConnection.h"
#include "editors/AppProfileDialog.h"
#include "editors/CTessel_DlgProfile.h"
#include "editors/SceneSwitch.h"
#include "mainwindow/CTesselDlg.h"
#include "mainwindow/FocusSwitchDriver.h"
#include "platform/qt/FocusWatcherChoice.h"
#include "storage/UserSettingsFile.h"
#include "text/LocalText.h"
#include "text/SafeFormat.h"

namespace tessel {

namespace {

QString TextOr(const QString& text, const char16_t* fallback) {
    return text.isEmpty() || text == QString::fromStdU16String(std::u16string(kMissingText))
               ? QString::fromStdU16String(fallback)
               : text;
}

}  // namespace

void CTesselDlg::CreateFocusSwitch() {
    if (!m_session || !m_scenes || m_focusSwitch) {
        return;
    }
    m_focusSwitch = std::make_unique<FocusSwitchDriver>(
        static_cast<FocusSwitchHost&>(*this), UserSettingsFile(m_dataFolder),
        m_parts->focusWatchers ? m_parts->focusWatchers
                               : FocusSwitchDriver::WatcherFactory(&CreateFocusWatcher));
    // Qt names the Wayland app id of its windows so.
    QString own = QGuiApplication::desktopFileName();
    if (own.endsWith(QLatin1String(".desktop"))) {
        own.chop(8);
    }
    std::vector<std::u16string> ownNames{
        QFileInfo(QCoreApplication::applicationFilePath()).baseName().toStdU16String()};
    if (!own.isEmpty()) {
        ownNames.push_back(own.toStdU16String());
    }
    m_focusSwitch->SetOwnApplications(std::move(ownNames));
    // The editor's count is down before it says it finished.
    connect(
        m_keyEditor.get(), &QDialog::finished, this, [this] { FocusHoldMayHaveEnded(); },
        Qt::QueuedConnection);
    m_focusSwitch->Start();
}

void CTesselDlg::FocusHoldMayHaveEnded() {
    if (m_focusSwitch && !m_exiting) {
        // Not inside the apply or the question that ended the hold.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (m_focusSwitch && !m_exiting)
                    m_focusSwitch->HoldMayHaveEnded();
            },
            Qt::QueuedConnection);
    }
}

bool CTesselDlg::SwitchWouldLoseWork() const {
    return IsKeyEditorOpen() || m_applyEnabled || m_appliesInFlight > 0 ||
           (m_scenes && m_scenes->Manager().IsModified());
}

int CTesselDlg::KnownActiveProfile() const {
    return m_session ? m_session->CachedActiveProfile() : -1;
}

bool CTesselDlg::SwitchProfileForApplication(int profile, std::function<void(int)> done) {
    // Quietly: an absent keyboard, or one that does not answer, is tried
    // again at the next focus change.
    if (m_exiting || !m_device || m_device->Service().CommandChannelDeviceCount() <= 0) {
        return false;
    }
    bool asked = false;
    m_session->SubmitQuietlyWithin([&] { asked = SelectProfileThen(profile, std::move(done)); });
    return asked;
}

void CTesselDlg::FocusSwitchStateChanged() {
    if (!m_focusSwitch) {
        return;
    }
    if (QSystemTrayIcon* icon = m_tray.SystemIcon()) {
        QString tooltip = m_tray.TooltipText();
        if (!m_focusSwitch->ApplicationInForce().empty()) {
            const QString format = TextOr(LocalText(u"IDS_APPPROFILE_IN_FORCE"), u"%s: profile %d");
            tooltip += u'\n' + QString::fromStdU16String(SafeFormat(
                                   format.toStdU16String(), {m_focusSwitch->ApplicationInForce(),
                                                             m_focusSwitch->ProfileInForce() + 1}));
        }
        icon->setToolTip(tooltip);
    }
    const auto& waiting = m_focusSwitch->Waiting();
    if (!waiting) {
        if (m_focusWaitLine) {
            m_focusWaitLine->hide();
        }
        return;
    }
    if (!m_focusWaitLine) {
        m_focusWaitLine = new QLabel(this);
        m_focusWaitLine->setAccessibleName(QStringLiteral("focus switch waits"));
        m_focusWaitLine->setStyleSheet(QStringLiteral(
            "QLabel { color: #ffd060; background: rgba(0,0,0,160); padding: 2px; }"));
    }
    const QString format = TextOr(LocalText(u"IDS_APPPROFILE_WAITING"),
                                  u"Profile %d for %s waits until the edits are applied or the "
                                  u"editor is closed");
    m_focusWaitLine->setText(QString::fromStdU16String(
        SafeFormat(format.toStdU16String(), {waiting->profile + 1, waiting->application})));
    m_focusWaitLine->adjustSize();
    m_focusWaitLine->move(8, height() - m_focusWaitLine->height() - 8);
    m_focusWaitLine->show();
    m_focusWaitLine->raise();
}

QString CTesselDlg::AppProfilesMenuText() const {
    return TextOr(LocalText(u"IDS_APPPROFILE_MENU"), u"Application profiles...");
}

void CTesselDlg::OpenAppProfiles() {
    if (!m_focusSwitch || m_exiting) {
        return;
    }
    if (!m_appProfiles) {
        m_appProfiles = std::make_unique<AppProfileDialog>(
            AppProfileDialogServices{*m_focusSwitch, m_parts->languageFiles,
                                     [this] { return LanguageIndex(); },
                                     m_context.paths.programFolder},
            this);
    }
    m_appProfiles->Open();
}

}  // namespace tessel
