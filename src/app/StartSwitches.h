#pragma once
// The command-line switches of the program ("/Kill", "/Start", "/Update",
// "/Language"), in any case
// and order. A switch either changes how this process starts or is handed to
// the running instance as a request, after which this process ends.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/WindowRequest.h"

namespace tessel {

enum class StartSwitch {
    Kill,      // ask the running instance to exit, then end
    Start,     // stay in the tray until the user opens the window
    Update,    // open the running instance's firmware update dialog (or start and open it)
    Language,  // have the running instance reload its language table and relabel
};

struct StartSwitchInfo {
    StartSwitch id;
    std::string_view name;
    // Delivered to the running instance; without one, nothing is handed over.
    std::optional<WindowRequest> handOver;
    // One line for --help.
    std::string_view help;
};

// Every switch, in the order --help lists them.
std::span<const StartSwitchInfo> StartSwitchTable();
const StartSwitchInfo& InfoOf(StartSwitch id);

// The switches among the arguments after the program name, in their order;
// anything else is ignored.
std::vector<StartSwitch> ScanStartSwitches(std::span<const std::string> arguments);
bool HasStartSwitch(std::span<const std::string> arguments, StartSwitch id);

}  // namespace tessel
