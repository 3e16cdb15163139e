#include "app/StartSwitches.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace tessel {

namespace {

bool EqualNoCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(
        a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

}  // namespace

std::vector<StartSwitch> ScanStartSwitches(std::span<const std::string> arguments) {
    std::vector<StartSwitch> switches;
    for (const std::string& argument : arguments) {
        if (EqualNoCase(argument, "/Kill")) {
            switches.push_back(StartSwitch::Kill);
        } else if (EqualNoCase(argument, "/Start")) {
            switches.push_back(StartSwitch::Start);
        } else if (EqualNoCase(argument, "/Update")) {
            switches.push_back(StartSwitch::Update);
        } else if (EqualNoCase(argument, "/Language")) {
            switches.push_back(StartSwitch::Language);
        }
    }
    return switches;
}

const char* StartSwitchUsage() {
    return "  /Start     stay in the tray, even when a keyboard is attached\n"
           "  /Kill      end the running instance\n"
           "  /Update    open the firmware update dialog of the running instance\n"
           "             (without one, start and open it)\n"
           "  /Language  have the running instance reload its language table and relabel\n"
           "             its windows (sets the selector of Skins/language.ini to 0)\n";
}

}  // namespace tessel
