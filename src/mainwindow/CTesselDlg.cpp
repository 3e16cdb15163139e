#include "mainwindow/CTesselDlg.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QMenu>
#include <QMessageBox>
#include <QSystemTrayIcon>

#include "app/AppIdentity.h"
#include "app/ApplicationIcon.h"
#include "platform/qt/TerminationSignals.h"

namespace tessel {

namespace {

QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CTesselDlg::CTesselDlg(AppContext& context, QWidget* parent)
    : QDialog(parent), m_context(context), m_requests(new RequestDispatcher(this)) {
    setWindowIcon(ApplicationIcon());
    m_firstShow = false;
    const InstanceClaim claim = ClaimSingleInstance(m_context.arguments, m_context.instance);
    if (claim.handedOver) {
        m_context.instance.EndProcess(0);
        return;
    }
    if (claim.firstShow) {
        m_firstShow = true;
    }

    MessageMap& map = m_requests->Map();
    map.On(kInitMessage, [this](uintptr_t wParam, intptr_t) -> intptr_t {
        if (wParam == kInitTag) {
            OnInit();
        }
        return 0;
    });
    map.On(kOpenMessage, [this](uintptr_t wParam, intptr_t) { return OnOpenRequest(wParam); });
    map.On(kKillMessage, [this](uintptr_t wParam, intptr_t) { return OnKillRequest(wParam); });
}

CTesselDlg::~CTesselDlg() {
    // Release senders waiting on this window before the endpoint's thread,
    // which may be one of them, is joined.
    m_requests->Close();
    m_endpoint.reset();
    RemoveTrayIcon();
}

int CTesselDlg::DoModal() {
    OnInitDialog();
    if (m_exiting) {
        return result();
    }
    QEventLoop loop;
    connect(this, &QDialog::finished, &loop, &QEventLoop::exit);
    return loop.exec();
}

bool CTesselDlg::OnInitDialog() {
    m_initialised = false;
    setWindowTitle(FromView(kApplicationName));
    // The device link is bound here, before the window is marked: a program
    // that cannot reach its keyboard library ends before anyone can find it.
    SetMainMarker();
    m_signals = new TerminationSignals([this] { ExitSequence(); }, this);
    m_requests->Post(WindowRequest{kInitMessage, kInitTag, 0});
    return true;
}

void CTesselDlg::OnInit() {
    CreateTrayIcon();
    m_initialised = true;
    HideWindow();
}

intptr_t CTesselDlg::OnOpenRequest(uintptr_t wParam) {
    if (wParam != kOpenTag) {
        return 0;
    }
    ShowWindow();
    return 1;
}

intptr_t CTesselDlg::OnKillRequest(uintptr_t wParam) {
    if (wParam != kKillTag) {
        return 0;
    }
    ExitSequence();
    return 1;
}

void CTesselDlg::SetMainMarker() {
    RequestDispatcher* requests = m_requests;
    m_endpoint = RequestEndpoint::Open(
        kInstanceName, kMainMarker,
        [requests](const WindowRequest& request) { return requests->Send(request); });
}

void CTesselDlg::ShowWindow() {
    showNormal();
    raise();
    activateWindow();
}

void CTesselDlg::HideWindow() {
    hide();
}

void CTesselDlg::ShowAboutBox() {
    if (!m_aboutBox) {
        // Modeless and without owner, so it never blocks the tray.
        m_aboutBox =
            std::make_unique<QMessageBox>(QMessageBox::Information, FromView(kApplicationName),
                                          FromView(kApplicationName), QMessageBox::Ok);
        m_aboutBox->setIconPixmap(ApplicationIcon().pixmap(48, 48));
        m_aboutBox->setModal(false);
    }
    m_aboutBox->show();
    m_aboutBox->raise();
}

void CTesselDlg::ExitSequence() {
    if (m_exiting) {
        return;
    }
    m_exiting = true;
    m_requests->Close();
    HideWindow();
    if (m_aboutBox) {
        m_aboutBox->hide();
    }
    m_context.instance.CloseMutex();
    RemoveTrayIcon();
    {
        auto editLock = m_context.editStore.Lock();
        m_context.editStore.Clear();
    }
    {
        auto applyLock = m_context.applyStore.Lock();
        m_context.applyStore.Clear();
    }
    done(0);
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
        default:
            break;
    }
}

void CTesselDlg::CreateTrayIcon() {
    m_trayMenu = std::make_unique<QMenu>();
    m_trayOpen = m_trayMenu->addAction(QString());
    m_trayAbout = m_trayMenu->addAction(QString());
    m_trayExit = m_trayMenu->addAction(QString());
    m_trayMenu->setDefaultAction(m_trayOpen);
    SetTrayMenuTexts();
    connect(m_trayMenu.get(), &QMenu::aboutToShow, this, [this] { SetTrayMenuTexts(); });
    connect(m_trayOpen, &QAction::triggered, this, [this] { OnTrayCommand(kCommandOpen); });
    connect(m_trayAbout, &QAction::triggered, this, [this] { OnTrayCommand(kCommandAbout); });
    connect(m_trayExit, &QAction::triggered, this, [this] { OnTrayCommand(kCommandExit); });

    m_trayIcon = new QSystemTrayIcon(ApplicationIcon(), this);
    m_trayIcon->setToolTip(FromView(kApplicationName));
    m_trayIcon->setContextMenu(m_trayMenu.get());
    connect(m_trayIcon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::DoubleClick) {
                    OnTrayCommand(kCommandOpen);
                }
            });
    m_trayIcon->show();
}

void CTesselDlg::SetTrayMenuTexts() {
    m_trayOpen->setText(QStringLiteral("Open(&O)"));
    m_trayAbout->setText(QStringLiteral("About(&A)"));
    m_trayExit->setText(QStringLiteral("Exit(&X)"));
}

void CTesselDlg::RemoveTrayIcon() {
    if (m_trayIcon != nullptr) {
        m_trayIcon->hide();
        delete m_trayIcon;
        m_trayIcon = nullptr;
    }
}

void CTesselDlg::closeEvent(QCloseEvent* event) {
    // Closing the window from the window manager hides it, as Cancel does.
    event->ignore();
    HideWindow();
}

}  // namespace tessel
