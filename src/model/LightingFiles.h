#pragma once
// Where the lighting model keeps what outlives the program: the custom modes of
// each profile (its colour file) and the per-key lighting switch (the user
// settings file). The storage area implements it over the INI files.

#include <string>
#include <string_view>

#include "model/LightingColour.h"

namespace tessel {

inline constexpr int kCustomModeCount = 10;

// A mode number read from a file, or mode 0 for one outside the ten.
constexpr int ValidCustomMode(int mode) {
    return mode >= 0 && mode < kCustomModeCount ? mode : 0;
}

// The painting tools of the custom effect.
inline constexpr int kPlainColourTool = 0;
inline constexpr int kLinkedColourTool = 1;

struct ModeTools {
    int tool = kPlainColourTool;
    ColourRef linkedColour = 0;
    ColourRef plainColour = 0;
};

struct KeyColourEntry {
    ColourRef colour = 0;
    bool linked = false;
};

// Each write returns false when the file could not be written.
class LightingFiles {
public:
    virtual ~LightingFiles() = default;

    virtual int ReadPresentMode(int profile) const = 0;
    virtual bool WritePresentMode(int profile, int mode) = 0;
    virtual std::u16string ReadModeName(int profile, int mode) const = 0;
    virtual bool WriteModeName(int profile, int mode, std::u16string_view name) = 0;
    virtual ModeTools ReadModeTools(int profile, int mode) const = 0;
    virtual bool WriteModeTools(int profile, int mode, const ModeTools& tools) = 0;
    virtual KeyColourEntry ReadSlotColour(int profile, int mode, int slot) const = 0;
    virtual bool WriteSlotColour(int profile, int mode, int slot, const KeyColourEntry& entry) = 0;
    // Without a source file nothing is copied, which is no failed write.
    virtual bool CopyColourFile(int fromProfile, int toProfile) = 0;

    virtual bool ReadLightingSwitch() const = 0;
    virtual bool WriteLightingSwitch(bool on) = 0;
};

}  // namespace tessel
