#pragma once

#include <QIcon>

namespace tessel {

// The program's icon for the window and the tray.
QIcon ApplicationIcon();

}  // namespace tessel
