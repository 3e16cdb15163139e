#pragma once
// The application in front on an X11 desktop: the window manager names the
// active window in _NET_ACTIVE_WINDOW on the root window, and a change of that
// property arrives as one event on a connection of our own.

#include <memory>

#include "platform/FocusWatcher.h"

namespace tessel {

// Nothing when no X server can be reached.
std::unique_ptr<FocusWatcher> CreateX11FocusWatcher();

}  // namespace tessel
