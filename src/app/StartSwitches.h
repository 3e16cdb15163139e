#pragma once
// The command-line switches "/Kill", "/Start", "/Update" and "/Language", in
// any case and order.

#include <span>
#include <string>
#include <vector>

namespace tessel {

enum class StartSwitch {
    Kill,   // ask the running instance to exit, then end
    Start,     // stay in the tray until the user opens the window
    Update,    // open the running instance's firmware update dialog (or start and open it)
    Language,  // have the running instance reload its language table and relabel
};

// The switches among the arguments after the program name, in their order;
// anything else is ignored.
std::vector<StartSwitch> ScanStartSwitches(std::span<const std::string> arguments);

// One line per switch, for --help.
const char* StartSwitchUsage();

}  // namespace tessel
