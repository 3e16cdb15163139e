// How the core ends, the clock it watches and what the keyboard's worker
// threads ask of it: each request is carried to the core's thread.

#include <QThread>
#include <QTimer>

#include "device/KeyboardSession.h"
#include "device/StatusChannels.h"
#include "mainwindow/CTesselDlg.h"
#include "platform/ClockChanges.h"
#include "platform/qt/ClockChangeNotifier.h"
#include "platform/qt/ModalBoxes.h"
#include "resident/ResidentCore.h"

namespace tessel {

namespace {

// How often an exit looks again whether the boxes it closed have returned.
constexpr int kBoxCloseRetryMs = 10;

}  // namespace

// A change of the system clock runs Apply, as the time-change message does
// for the main window: edits that wait for Apply reach the keyboard.
void ResidentCore::WatchClockChanges() {
    m_clockChanges = m_parts->clockChanges;
    if (m_clockChanges == nullptr) {
        m_systemClockChanges = std::make_unique<ClockChangeNotifier>();
        m_clockChanges = m_systemClockChanges.get();
    }
    m_clockChanges->Watch([this] {
        if (!m_exiting) {
            ApplyChanges();
        }
    });
}

void ResidentCore::StopWatchingClockChanges() {
    if (m_clockChanges != nullptr) {
        m_clockChanges->Watch({});
        m_clockChanges = nullptr;
    }
}

// The boxes answer their Cancel (or No) way; their callers, further down this
// thread's stack, must return before the exit sequence may wait for workers.
void ResidentCore::ExitWhenBoxesClosed() {
    // No start may find this instance while its boxes close: it would hand
    // over a request that nobody carries out.
    m_exitAsked = true;
    if (m_endpoint) {
        m_endpoint->Withdraw();
    }
    ModalBoxes::CloseAll();
    if (ModalBoxes::AnyOpen()) {
        QTimer::singleShot(kBoxCloseRetryMs, this, [this] { ExitWhenBoxesClosed(); });
        return;
    }
    ExitSequence();
}

void ResidentCore::ExitSequence() {
    if (m_exiting) {
        return;
    }
    m_exiting = true;
    LeaveSingleInstance(m_endpoint.get(), m_context.instance);
    if (m_focusSwitch) {
        m_focusSwitch->Stop();
    }
    StopWatchingClockChanges();
    // A job that has begun ends its bracket first, bounded by the transport's
    // time-outs; jobs still waiting are dropped.
    if (m_session) {
        m_session->Stop();
    }
    m_appliesInFlight = 0;
    // From here on no worker reaches the core; wait for those still running.
    m_requests.Close();
    StopStatusChannels();
    HideWindow();
    CloseAllEditors();
    m_events.Close();
    m_tray.RemoveIcon();
    m_trayIconId = 0;
    EnableApply(false);
    {
        auto editLock = m_context.editStore.Lock();
        m_context.editStore.Clear();
    }
    {
        auto applyLock = m_context.applyStore.Lock();
        m_context.applyStore.Clear();
    }
    if (m_window) {
        m_window->EndDialog(0);
    }
    if (m_loop) {
        m_loop->exit();
    }
}

intptr_t ResidentCore::SendRequest(const WindowRequest& request) {
    return m_requests.Send(request);
}

void ResidentCore::PostRequest(const WindowRequest& request) {
    m_requests.Post(request);
}

void ResidentCore::HideWindow() {
    if (QThread::currentThread() != thread()) {
        m_requests.Send(WindowRequest{kHideRequest, 0, 0});
        return;
    }
    if (m_window) {
        m_window->hide();
    }
}

bool ResidentCore::IsWindowVisible() const {
    return m_window && m_window->isVisible();
}

void ResidentCore::ShowTrayIcon(int iconId) {
    m_requests.Send(WindowRequest{kTrayIconRequest, static_cast<uintptr_t>(iconId), 0});
}

void ResidentCore::StartProfileFollowTimer() {
    m_requests.Post(WindowRequest{kProfileTimerRequest, 0, 0});
}

void ResidentCore::ShowDefaultKeyBlockPrompt() {
    m_requests.Send(WindowRequest{kKeyBlockPromptRequest, 0, 0});
}

void ResidentCore::ShowMacroLayer(MacroLayer layer) {
    // Posted: this comes from the library's thread, which must never wait for the core.
    m_requests.Post(WindowRequest{kMacroLayerRequest, layer == MacroLayer::A ? 0u : 1u, 0});
}

}  // namespace tessel
