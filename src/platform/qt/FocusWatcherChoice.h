#pragma once
// The focus watcher of the desktop the program runs on; nothing where the
// desktop does not tell other programs which application is in front.

#include <memory>

#include "platform/FocusWatcher.h"

namespace tessel {

std::unique_ptr<FocusWatcher> CreateFocusWatcher();

}  // namespace tessel
