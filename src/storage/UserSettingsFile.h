#pragma once
// The user settings file "wskb.ini" of the data folder: the per-key lighting
// switch, "DengCheck" in section "KEYCOLOR" ("1" on, "0" or absent off).

#include <filesystem>

namespace tessel {

std::filesystem::path UserSettingsFile(const std::filesystem::path& dataFolder);
bool ReadLightingSwitch(const std::filesystem::path& settingsFile);
bool WriteLightingSwitch(const std::filesystem::path& settingsFile, bool on);

}  // namespace tessel
