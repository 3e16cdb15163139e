#include "platform/qt/FocusWatcherChoice.h"

#include <QGuiApplication>
#include <cstdlib>

#include "platform/qt/FocusWatcherKWin.h"
#include "platform/qt/FocusWatcherWlroots.h"
#include "platform/qt/FocusWatcherX11.h"

namespace tessel {

std::unique_ptr<FocusWatcher> CreateFocusWatcher() {
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        if (auto wlroots = CreateWlrootsFocusWatcher()) {
            return wlroots;
        }
        // KDE Plasma offers no toplevel list, but runs scripts; GNOME neither.
        return qEnvironmentVariable("XDG_CURRENT_DESKTOP").contains(QLatin1String("KDE"))
                   ? CreateKWinFocusWatcher()
                   : nullptr;
    }
    // Also without Qt on xcb (the offscreen platform): the X server, when
    // there is one, still knows the window in front.
    const char* display = std::getenv("DISPLAY");
    return display && *display ? CreateX11FocusWatcher() : nullptr;
}

}  // namespace tessel
