// The core's side of following the application in front: the switch
// goes the way of a profile button, in the keyboard's turn, and waits while
// it would lose work; the tray tooltip names the rule in force and the window,
// when built, says what waits.

#include <QFileInfo>
#include <QGuiApplication>
#include <QSystemTrayIcon>

#include "device/DeviceConnection.h"
#include "editors/AppProfileDialog.h"
#include "editors/CTessel_DlgProfile.h"
#include "editors/SceneSwitch.h"
#include "mainwindow/CTesselDlg.h"
#include "platform/qt/FocusWatcherChoice.h"
#include "resident/FocusSwitchDriver.h"
#include "resident/ResidentCore.h"
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

void ResidentCore::CreateFocusSwitch() {
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
    m_focusSwitch->Start();
}

void ResidentCore::FocusHoldMayHaveEnded() {
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

bool ResidentCore::SwitchWouldLoseWork() const {
    return IsKeyEditorOpen() || m_applyEnabled || m_appliesInFlight > 0 ||
           (m_scenes && m_scenes->IsManagerModified());
}

int ResidentCore::KnownActiveProfile() const {
    return m_session ? m_session->CachedActiveProfile() : -1;
}

bool ResidentCore::SwitchProfileForApplication(int profile, std::function<void(int)> done) {
    // Quietly: an absent keyboard, or one that does not answer, is tried
    // again at the next focus change.
    if (m_exiting || !m_device || m_device->Service().CommandChannelDeviceCount() <= 0) {
        return false;
    }
    bool asked = false;
    m_session->SubmitQuietlyWithin([&] { asked = SelectProfileThen(profile, std::move(done)); });
    return asked;
}

void ResidentCore::FocusSwitchStateChanged() {
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
    if (!m_window) {
        return;
    }
    const auto& waiting = m_focusSwitch->Waiting();
    if (!waiting) {
        m_window->ShowFocusWait({});
        return;
    }
    const QString format = TextOr(LocalText(u"IDS_APPPROFILE_WAITING"),
                                  u"Profile %d for %s waits until the edits are applied or the "
                                  u"editor is closed");
    m_window->ShowFocusWait(QString::fromStdU16String(
        SafeFormat(format.toStdU16String(), {waiting->profile + 1, waiting->application})));
}

QString ResidentCore::AppProfilesMenuText() const {
    return TextOr(LocalText(u"IDS_APPPROFILE_MENU"), u"Application profiles...");
}

void ResidentCore::OpenAppProfiles() {
    if (!m_focusSwitch || m_exiting) {
        return;
    }
    if (!m_appProfiles) {
        m_appProfiles = std::make_unique<AppProfileDialog>(
            AppProfileDialogServices{*m_focusSwitch, m_parts->languageFiles,
                                     [this] { return LanguageIndex(); },
                                     m_context.paths.programFolder},
            &Window());
    }
    m_appProfiles->Open();
}

}  // namespace tessel
