#pragma once
// The application rules in the user settings file, in a section of their own:
//
//   [AppProfiles]
//   Switching=1                  1 on, 0 off
//   OtherApplications=stay       or the profile number 1..4
//   Rule1=2,Firefox              profile number, comma, application name
//
// An entry that cannot be read is skipped and described, never fatal; the
// next write leaves it out.

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "appfocus/AppProfileRules.h"

namespace tessel {

inline constexpr std::u16string_view kAppProfilesSection = u"AppProfiles";

struct AppProfileSettingsRead {
    AppProfileRules rules;
    // One line per skipped entry, for the user.
    std::vector<std::string> problems;
};

// `lines` are the section's lines as GetPrivateProfileSection gives them.
AppProfileSettingsRead ParseAppProfileSection(const std::vector<std::u16string>& lines);
std::vector<std::pair<std::u16string, std::u16string>> AppProfileSectionEntries(
    const AppProfileRules& rules);

AppProfileSettingsRead ReadAppProfileRules(const std::filesystem::path& settingsFile);
// Atomic; false when the file cannot be written.
bool WriteAppProfileRules(const std::filesystem::path& settingsFile, const AppProfileRules& rules);

}  // namespace tessel
