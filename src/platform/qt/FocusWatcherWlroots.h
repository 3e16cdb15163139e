#pragma once
// The application in front on a wlroots compositor (sway and its kind): the
// foreign-toplevel manager lists every toplevel with its app id and tells
// which one is activated, over a Wayland connection of our own.

#include <memory>

#include "platform/FocusWatcher.h"

namespace tessel {

// Nothing when no compositor can be reached or it offers no toplevel list.
std::unique_ptr<FocusWatcher> CreateWlrootsFocusWatcher();

}  // namespace tessel
