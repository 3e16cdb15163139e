// What the main window's buttons and menus ask: the four profile buttons, the
// report rate, Apply, restore defaults, the command menu with import and
// export, the links and the window's own commands; and how the window shows
// the core's answers to them.

#include <QAction>
#include <QCursor>
#include <QLabel>
#include <QMenu>

#include "editors/SceneSwitch.h"
#include "mainwindow/CTesselDlg.h"
#include "mainwindow/FlipKeys.h"
#include "mainwindow/LightingPanelControls.h"
#include "platform/ShellOpen.h"
#include "resident/ResidentCore.h"
#include "skin/qt/CPngButton.h"
#include "skin/qt/SkinAccessibility.h"

namespace tessel {

namespace {

constexpr int kDefaultReportRate = 0;
constexpr char16_t kActiveKey[] = u"IDS_A11Y_PROFILE_ACTIVE";

struct WebLink {
    int id;
    std::u16string_view target;
};
constexpr WebLink kWebLinks[] = {
    {kIdWebLink, u"https://www.zerkon.example/"},
    {kIdFacebookLink, u"https://www.facebook.com/zerkon.example"},
    {kIdTwitterLink, u"https://twitter.com/zerkon_example"},
};

}  // namespace

void CTesselDlg::BindWindowCommands() {
    BindCommand(kIdHelp, [this] { m_core.OpenHelp(); });
    BindCommand(kIdClose, [this] { m_core.ExitSequence(); });
    BindCommand(kIdMinimise, [this] { showMinimized(); });
    BindCommand(kCommandSystemAbout, [this] { m_core.ShowAboutBox(); });
    BindCommand(static_cast<int>(kCommandUpdate), [this] { m_core.OpenUpdateDialog(); });
    BindCommand(static_cast<int>(kCommandLanguage), [this] { m_core.RefreshLanguage(); });
}

void CTesselDlg::BindProfileCommands() {
    for (int profile = 0; profile < static_cast<int>(std::size(kProfileButtonIds)); ++profile) {
        BindCommand(kProfileButtonIds[profile], [this, profile] { m_core.SelectProfile(profile); });
    }
    for (int rate = 0; rate < static_cast<int>(std::size(kReportRateButtonIds)); ++rate) {
        BindCommand(kReportRateButtonIds[rate], [this, rate] {
            if (m_core.Lighting()) {
                ShowReportRate(rate);
                m_core.SetReportRate(rate);
            }
        });
    }
    BindCommand(kIdApply, [this] { m_core.ApplyChanges(); });
    BindCommand(kIdDefaults, [this] { m_core.RestoreDefaults(); });
    BindCommand(kIdCommandMenu, [this] { ShowCommandMenu(); });
    BindCommand(kIdTestButton, [this] { m_core.TestKeyboard(); });
    BindCommand(kCommandImport, [this] { m_core.ImportFile(); });
    BindCommand(kCommandExport, [this] { m_core.ExportFile(); });
    BindCommand(kCommandAppProfiles, [this] { m_core.OpenAppProfiles(); });
    BindCommand(kIdLink,
                [this] { ShellOpen(m_link.toStdU16String(), u"", {}, ShowCommand::Normal); });
    for (const WebLink& link : kWebLinks) {
        BindCommand(link.id,
                    [target = link.target] { ShellOpen(target, u"", {}, ShowCommand::Normal); });
    }
}

void CTesselDlg::CheckButtonOfGroup(std::span<const int> ids, int index) {
    for (int i = 0; i < static_cast<int>(ids.size()); ++i) {
        if (auto* button = Item<CPngButton>(ids[i])) {
            button->SetChecked(i == index);
        }
    }
}

// Readers hear which profile is active now, by its button's caption.
void CTesselDlg::ShowActiveProfile(int profile, bool announce) {
    CheckButtonOfGroup(kProfileButtonIds, profile);
    if (!announce) {
        return;
    }
    if (m_keyboardView) {
        m_keyboardView->SetColourKeysMode(false);
    }
    if (const auto* button = Item<CPngButton>(kProfileButtonIds[profile])) {
        tessel::Announce(*this, LocalText(kActiveKey) + QLatin1Char(' ') + button->text());
    }
}

void CTesselDlg::Announce(const QString& text) {
    tessel::Announce(*this, text);
}

void CTesselDlg::ShowTransferRunning(bool running) {
    if (!m_panel) {
        return;
    }
    if (running) {
        m_panel->StartProgress();
    } else {
        m_panel->StopProgress();
    }
}

void CTesselDlg::ShowLoadedLighting() {
    if (m_panel) {
        m_panel->ShowCustomModeList();
        m_panel->FillLightingPanel();
    }
}

void CTesselDlg::ShowLinkedFlags() {
    if (m_panel) {
        m_panel->RecomputeLinkedFlags();
    }
}

void CTesselDlg::TurnLightingSwitchOff() {
    if (m_panel) {
        m_panel->TurnLightingSwitchOff();
    }
}

void CTesselDlg::ShowRestoredDefaults(bool lightingSwitchOn) {
    if (m_keyboardView) {
        m_keyboardView->ShowColourKeyLooks();
    }
    if (lightingSwitchOn) {
        ShowLoadedLighting();
    }
    // Only the buttons: the keyboard keeps its report rate.
    CheckButtonOfGroup(kReportRateButtonIds, kDefaultReportRate);
}

void CTesselDlg::ShowFocusWait(const QString& text) {
    if (text.isEmpty()) {
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
    m_focusWaitLine->setText(text);
    m_focusWaitLine->adjustSize();
    m_focusWaitLine->move(8, height() - m_focusWaitLine->height() - 8);
    m_focusWaitLine->show();
    m_focusWaitLine->raise();
}

void CTesselDlg::ShowCommandMenu() {
    if (!m_parts) {
        return;
    }
    if (!m_commandMenu) {
        m_commandMenu = std::make_unique<QMenu>(this);
        for (int command : {kCommandImport, kCommandExport, kCommandAppProfiles}) {
            QAction* action = m_commandMenu->addAction(QString());
            action->setData(command);
            connect(action, &QAction::triggered, this, [this, command] { SendCommand(command); });
        }
    }
    const QList<QAction*> actions = m_commandMenu->actions();
    actions[0]->setText(LocalText(u"IDS_BUTTON_MENU_IMPORT"));
    actions[1]->setText(LocalText(u"IDS_BUTTON_MENU_EXPORT"));
    actions[2]->setText(m_core.AppProfilesMenuText());
    m_commandMenu->popup(QCursor::pos());
}

}  // namespace tessel
