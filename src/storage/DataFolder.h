#pragma once
// The per-user data folder "Tessel_09A" in the Documents folder, which holds the
// scene-mode file "$Profile0" and the user settings file "wskb.ini".

#include <filesystem>

namespace tessel {

inline constexpr char16_t kDataFolderName[] = u"Tessel_09A";
inline constexpr char16_t kUserSettingsFileName[] = u"wskb.ini";

// The current user's data folder (not created).
std::filesystem::path UserDataFolder();
// Creates the folder when missing; false when it does not exist afterwards.
bool CreateDataFolder(const std::filesystem::path& dataFolder);
// The scene-mode file of the data folder, which is created first. One file
// holds all four profiles, so its number is always 0.
std::filesystem::path SceneFilePath(const std::filesystem::path& dataFolder);
std::filesystem::path SceneFilePath();

}  // namespace tessel
