#include "storage/UserSettingsFile.h"

#include "platform/PrivateProfile.h"
#include "storage/DataFolder.h"

namespace tessel {
namespace {

constexpr std::u16string_view kSection = u"KEYCOLOR";
constexpr std::u16string_view kKey = u"DengCheck";

}  // namespace

std::filesystem::path UserSettingsFile(const std::filesystem::path& dataFolder) {
    return dataFolder / kUserSettingsFileName;
}

bool ReadLightingSwitch(const std::filesystem::path& settingsFile) {
    return GetPrivateProfileString(kSection, kKey, u"0", 8, settingsFile) == u"1";
}

bool WriteLightingSwitch(const std::filesystem::path& settingsFile, bool on) {
    CreateDataFolder(settingsFile.parent_path());
    return WritePrivateProfileString(kSection, kKey, on ? u"1" : u"0", settingsFile);
}

}  // namespace tessel
