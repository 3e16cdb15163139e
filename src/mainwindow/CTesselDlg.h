#pragma once
// The program's only top-level window. It starts hidden in the tray, answers
// the requests of other instances (OPEN shows it, KILL ends the program) and
// ends the program only through its exit sequence.

#include <QDialog>
#include <atomic>
#include <memory>

#include "app/AppContext.h"
#include "platform/RequestEndpoint.h"
#include "platform/qt/RequestDispatcher.h"

class QAction;
class QMenu;
class QMessageBox;
class QSystemTrayIcon;

namespace tessel {

class TerminationSignals;

class CTesselDlg : public QDialog {
public:
    // Posted to itself at the end of initialisation.
    static constexpr uint32_t kInitMessage = 0x4D4E;
    static constexpr uint32_t kInitTag = 0x494E4954;  // 'INIT'
    // Commands of the tray menu.
    static constexpr int kCommandOpen = 32771;
    static constexpr int kCommandAbout = 32773;
    static constexpr int kCommandExit = 32774;

    // Enforces the single instance: a second start hands over to the running
    // instance and ends here.
    explicit CTesselDlg(AppContext& context, QWidget* parent = nullptr);
    ~CTesselDlg() override;

    // Initialises, then runs until the exit sequence ends the dialog.
    int DoModal();
    bool OnInitDialog();

    void ShowWindow();
    void HideWindow();
    void ShowAboutBox();
    // Hide, close the editors, close the mutex, remove the tray icon, free the
    // stores, end the dialog. Runs once; later calls do nothing.
    void ExitSequence();
    void OnTrayCommand(int command);

    // Requests to this window, from any thread.
    RequestDispatcher& Requests() { return *m_requests; }
    bool IsInitialised() const { return m_initialised; }
    // Set by "/Start" and by the presence worker; while clear, the first
    // presence report with a keyboard shows the window once.
    bool FirstShowFlag() const { return m_firstShow; }
    void SetFirstShowFlag() { m_firstShow = true; }
    QSystemTrayIcon* TrayIcon() const { return m_trayIcon; }
    QMenu* TrayMenu() const { return m_trayMenu.get(); }

protected:
    void closeEvent(QCloseEvent* event) override;
    // Enter and Esc do nothing in the main window.
    void accept() override {}
    void reject() override {}

private:
    void OnInit();
    intptr_t OnOpenRequest(uintptr_t wParam);
    intptr_t OnKillRequest(uintptr_t wParam);
    void SetMainMarker();
    void CreateTrayIcon();
    void SetTrayMenuTexts();
    void RemoveTrayIcon();

    AppContext& m_context;
    RequestDispatcher* m_requests;
    std::unique_ptr<RequestEndpoint> m_endpoint;
    QSystemTrayIcon* m_trayIcon = nullptr;
    std::unique_ptr<QMenu> m_trayMenu;
    QAction* m_trayOpen = nullptr;
    QAction* m_trayAbout = nullptr;
    QAction* m_trayExit = nullptr;
    std::unique_ptr<QMessageBox> m_aboutBox;
    TerminationSignals* m_signals = nullptr;
    std::atomic<bool> m_initialised{false};
    std::atomic<bool> m_firstShow{false};
    bool m_exiting = false;
};

}  // namespace tessel
