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
        }
    }
    return switches;
}

}  // namespace tessel
