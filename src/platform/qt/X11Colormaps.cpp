#include "platform/qt/X11Colormaps.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QPlatformSurfaceEvent>
#include <QWindow>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace tessel {

namespace {

void UseDefaultColormap(xcb_connection_t* connection, xcb_window_t window) {
    const std::unique_ptr<xcb_get_window_attributes_reply_t, decltype(&std::free)> attributes(
        xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window),
                                        nullptr),
        &std::free);
    if (!attributes) {
        return;
    }
    // Visual ids are unique on a server, so a root visual names its screen.
    for (auto screen = xcb_setup_roots_iterator(xcb_get_setup(connection)); screen.rem;
         xcb_screen_next(&screen)) {
        if (screen.data->root_visual == attributes->visual &&
            screen.data->default_colormap != attributes->colormap) {
            const std::uint32_t colormap = screen.data->default_colormap;
            xcb_change_window_attributes(connection, window, XCB_CW_COLORMAP, &colormap);
            xcb_flush(connection);
        }
    }
}

}  // namespace

X11Colormaps::X11Colormaps(QObject* parent) : QObject(parent) {
    // The offscreen platform answers as X11 too, without a connection.
    const auto* x11 = qGuiApp && QGuiApplication::platformName() == QLatin1String("xcb")
                          ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>()
                          : nullptr;
    m_connection = x11 ? x11->connection() : nullptr;
    if (m_connection) {
        qGuiApp->installEventFilter(this);
    }
}

X11Colormaps::~X11Colormaps() {
    if (m_connection && qGuiApp) {
        qGuiApp->removeEventFilter(this);
    }
}

bool X11Colormaps::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::PlatformSurface && watched->isWindowType() &&
        static_cast<QPlatformSurfaceEvent*>(event)->surfaceEventType() ==
            QPlatformSurfaceEvent::SurfaceCreated) {
        UseDefaultColormap(m_connection,
                           static_cast<xcb_window_t>(static_cast<QWindow*>(watched)->winId()));
    }
    return false;
}

}  // namespace tessel
