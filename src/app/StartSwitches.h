#pragma once
// The command-line switches "/Kill" and "/Start", in any case and order.

#include <span>
#include <string>
#include <vector>

namespace tessel {

enum class StartSwitch {
    Kill,   // ask the running instance to exit, then end
    Start,  // stay in the tray until the user opens the window
};

// The switches among the arguments after the program name, in their order;
// anything else is ignored.
std::vector<StartSwitch> ScanStartSwitches(std::span<const std::string> arguments);

}  // namespace tessel
