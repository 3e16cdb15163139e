#pragma once
// "--app-profile list | set APP N | remove APP" from a terminal, carried out on
// the rules in the settings file, by the running instance (which then follows
// the new rules at once) or, without one, by the process itself.

#include <cstdint>
#include <filesystem>
#include <string>

#include "storage/KeyboardCommands.h"

namespace tessel {

// The tag of the keyboard-command request that carries one.
inline constexpr uint32_t kAppProfileTag = 0x50505041;  // 'APPP'

enum class AppProfileAction { List = 0, Set = 1, Remove = 2 };

struct AppProfileRequest {
    AppProfileAction action = AppProfileAction::List;
    std::string application;  // UTF-8
    int profile = 0;          // Set: 0..3
};

// The request's number (lParam) and text (payload) over the endpoint.
intptr_t AppProfileRequestNumber(const AppProfileRequest& request);
AppProfileRequest AppProfileRequestOf(intptr_t number, std::string_view application);

// List answers with one line per setting and rule.
CommandOutcome CarryOutAppProfileRequest(const AppProfileRequest& request,
                                         const std::filesystem::path& settingsFile);

}  // namespace tessel
