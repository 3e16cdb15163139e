#pragma once
// The lighting model's persistent state over the real files: the colour file of
// each profile and the user settings file.

#include <filesystem>

#include "model/LightingFiles.h"
#include "storage/ColourFiles.h"

namespace tessel {

class LightingFileStore final : public LightingFiles {
public:
    LightingFileStore(std::filesystem::path skinsFolder, std::filesystem::path dataFolder);

    int ReadPresentMode(int profile) const override;
    bool WritePresentMode(int profile, int mode) override;
    std::u16string ReadModeName(int profile, int mode) const override;
    bool WriteModeName(int profile, int mode, std::u16string_view name) override;
    ModeTools ReadModeTools(int profile, int mode) const override;
    bool WriteModeTools(int profile, int mode, const ModeTools& tools) override;
    KeyColourEntry ReadSlotColour(int profile, int mode, int slot) const override;
    bool WriteSlotColour(int profile, int mode, int slot, const KeyColourEntry& entry) override;
    bool CopyColourFile(int fromProfile, int toProfile) override;
    bool ReadLightingSwitch() const override;
    bool WriteLightingSwitch(bool on) override;

    const ColourFiles& Colours() const { return colours_; }

private:
    ColourFiles colours_;
    std::filesystem::path settingsFile_;
};

}  // namespace tessel
