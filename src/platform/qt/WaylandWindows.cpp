#include "platform/qt/WaylandWindows.h"

#include "platform/ActivationToken.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QWidget>
#include <QWindow>

#include <utility>

namespace tessel {

namespace {

// Qt's xdg-shell integration presents the token of this variable with the
// next activation request, then clears it.
void ActivateWithToken(QWindow& window, const std::string& token) {
    qputenv(kActivationTokenVariable, QByteArray::fromStdString(token));
    window.requestActivate();
    qunsetenv(kActivationTokenVariable);
}

}  // namespace

bool IsWaylandPlatform() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void PrepareSkinnedWindow(QWidget& window) {
    if (IsWaylandPlatform()) {
        window.setAttribute(Qt::WA_TranslucentBackground);
    }
}

void ClipToShape(QPainter& painter, const QWidget& window) {
    if (IsWaylandPlatform() && !window.mask().isEmpty()) {
        painter.setClipRegion(window.mask());
    }
}

void FixSkinnedWindowSize(QWidget& window, QSize size) {
    window.setFixedSize(size);
}

void WindowActivation::Offer(std::string token) {
    const std::lock_guard lock(m_mutex);
    m_offered = IsActivationToken(token) ? std::move(token) : std::string();
}

std::string WindowActivation::Take() {
    const std::lock_guard lock(m_mutex);
    return std::exchange(m_offered, std::string());
}

void WindowActivation::BringForward(QWidget& window) {
    const std::string token = Take();
    QWindow* handle = window.windowHandle();
    if (!IsWaylandPlatform() || !handle || !window.isVisible()) {
        return;
    }
    if (token.empty()) {
        QApplication::alert(&window);
        return;
    }
    if (handle->isExposed()) {
        ActivateWithToken(*handle, token);
        return;
    }
    // A window just shown is not on screen yet: the compositor ignores an
    // activation for a surface it has not mapped.
    m_waitingToken = token;
    WatchWindow(handle);
}

void WindowActivation::WatchWindow(QWindow* window) {
    if (m_waiting) {
        m_waiting->removeEventFilter(this);
    }
    m_waiting = window;
    window->installEventFilter(this);
}

bool WindowActivation::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_waiting && event->type() == QEvent::Expose && m_waiting->isExposed()) {
        QWindow* window = m_waiting;
        window->removeEventFilter(this);
        m_waiting = nullptr;
        ActivateWithToken(*window, std::exchange(m_waitingToken, std::string()));
    }
    return false;
}

}  // namespace tessel
