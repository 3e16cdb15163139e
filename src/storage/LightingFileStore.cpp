#include "storage/LightingFileStore.h"

#include "storage/UserSettingsFile.h"

namespace tessel {

LightingFileStore::LightingFileStore(std::filesystem::path skinsFolder,
                                     std::filesystem::path dataFolder)
    : colours_(std::move(skinsFolder)), settingsFile_(UserSettingsFile(dataFolder)) {}

int LightingFileStore::ReadPresentMode(int profile) const {
    return colours_.ReadPresentMode(profile);
}

bool LightingFileStore::WritePresentMode(int profile, int mode) {
    return colours_.WritePresentMode(profile, mode);
}

std::u16string LightingFileStore::ReadModeName(int profile, int mode) const {
    return colours_.ReadModeName(profile, mode);
}

bool LightingFileStore::WriteModeName(int profile, int mode, std::u16string_view name) {
    return colours_.WriteModeName(profile, mode, name);
}

ModeTools LightingFileStore::ReadModeTools(int profile, int mode) const {
    return colours_.ReadModeTools(profile, mode);
}

bool LightingFileStore::WriteModeTools(int profile, int mode, const ModeTools& tools) {
    return colours_.WriteModeTools(profile, mode, tools);
}

KeyColourEntry LightingFileStore::ReadSlotColour(int profile, int mode, int slot) const {
    return colours_.ReadSlotColour(profile, mode, slot);
}

bool LightingFileStore::WriteSlotColour(int profile, int mode, int slot,
                                        const KeyColourEntry& entry) {
    return colours_.WriteSlotColour(profile, mode, slot, entry);
}

bool LightingFileStore::CopyColourFile(int fromProfile, int toProfile) {
    return colours_.CopyColourFile(fromProfile, toProfile) != ColourFileCopy::NotWritten;
}

bool LightingFileStore::ReadLightingSwitch() const {
    return tessel::ReadLightingSwitch(settingsFile_);
}

bool LightingFileStore::WriteLightingSwitch(bool on) {
    return tessel::WriteLightingSwitch(settingsFile_, on);
}

}  // namespace tessel
