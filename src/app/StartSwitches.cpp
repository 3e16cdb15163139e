#include "app/StartSwitches.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "platform/MainWindowRequests.h"

namespace tessel {

namespace {

constexpr std::array kSwitches{
    StartSwitchInfo{StartSwitch::Start, "/Start", std::nullopt,
                    "stay in the tray until the window is opened (used by the autostart entry)"},
    StartSwitchInfo{StartSwitch::Kill, "/Kill", WindowRequest{kKillMessage, kKillTag, 0},
                    "ask the running instance to exit; without one the program starts normally"},
    StartSwitchInfo{StartSwitch::Update, "/Update",
                    WindowRequest{kCommandMessage, kCommandUpdate, 0},
                    "open the running instance's firmware update dialog; without one the "
                    "program starts with it open"},
    StartSwitchInfo{StartSwitch::Language, "/Language",
                    WindowRequest{kCommandMessage, kCommandLanguage, 0},
                    "have the running instance set the selector of Skins/language.ini to 0, "
                    "reload its language table and relabel its windows"},
};

bool EqualNoCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(
        a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

}  // namespace

std::span<const StartSwitchInfo> StartSwitchTable() {
    return kSwitches;
}

const StartSwitchInfo& InfoOf(StartSwitch id) {
    return *std::ranges::find(kSwitches, id, &StartSwitchInfo::id);
}

std::vector<StartSwitch> ScanStartSwitches(std::span<const std::string> arguments) {
    std::vector<StartSwitch> switches;
    for (const std::string& argument : arguments) {
        for (const StartSwitchInfo& info : kSwitches) {
            if (EqualNoCase(argument, info.name)) {
                switches.push_back(info.id);
            }
        }
    }
    return switches;
}

bool HasStartSwitch(std::span<const std::string> arguments, StartSwitch id) {
    return std::ranges::count(ScanStartSwitches(arguments), id) > 0;
}

}  // namespace tessel
