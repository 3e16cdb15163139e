#pragma once
// What the program's windows need where the platform is Wayland: there a
// window cannot shape itself (a mask only limits where it takes input), and
// it takes the focus only with an activation token from the compositor.

#include <QObject>
#include <QPointer>
#include <QSize>

#include <mutex>
#include <string>

class QPainter;
class QWidget;
class QWindow;

namespace tessel {

bool IsWaylandPlatform();

// Before the window is created: on Wayland its background is transparent, so
// nothing shows outside the part its mask leaves.
void PrepareSkinnedWindow(QWidget& window);
// On Wayland the mask only limits where the window takes input: painting is
// clipped to it here, so what it cuts stays transparent.
void ClipToShape(QPainter& painter, const QWidget& window);
// Exactly `size`, with equal minimum and maximum, so tiling compositors float
// the window instead of stretching it.
void FixSkinnedWindowSize(QWidget& window, QSize size);

// Brings a window forward for a start of the program elsewhere, with the
// activation token that start handed over.
class WindowActivation final : public QObject {
public:
    // From any thread, before the request that shows the window runs.
    void Offer(std::string token);
    // On the window's thread, after it was shown: with a token the compositor
    // is asked to activate the window once it is on screen; without one the
    // window asks for attention. The token is used once. Nothing to do on
    // other platforms, where raising the window is enough.
    void BringForward(QWidget& window);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::string Take();
    void WatchWindow(QWindow* window);

    std::mutex m_mutex;
    std::string m_offered;
    QPointer<QWindow> m_waiting;
    std::string m_waitingToken;
};

}  // namespace tessel
