#pragma once
// The per-profile colour files "Skins/UserDengColor_<p>.userd": INI files that
// keep each profile's custom lighting modes (present mode, mode names, painting
// tools and one colour per LED slot). A missing file or entry reads as the
// defaults below; colours are 0x00BBGGRR.

#include <filesystem>
#include <string>
#include <string_view>

#include "model/LightingFiles.h"

namespace tessel {

enum class ColourFileCopy { Copied, NoSource, NotWritten };

class ColourFiles {
public:
    explicit ColourFiles(std::filesystem::path skinsFolder);

    std::filesystem::path FileOf(int profile) const;

    // 0..9; anything else in the file reads as 0.
    int ReadPresentMode(int profile) const;
    bool WritePresentMode(int profile, int mode);
    std::u16string ReadModeName(int profile, int mode) const;
    bool WriteModeName(int profile, int mode, std::u16string_view name);
    ModeTools ReadModeTools(int profile, int mode) const;
    bool WriteModeTools(int profile, int mode, const ModeTools& tools);
    // Absent: red with the linked flag; a non-zero flag reads as 1.
    KeyColourEntry ReadSlotColour(int profile, int mode, int slot) const;
    bool WriteSlotColour(int profile, int mode, int slot, const KeyColourEntry& entry);
    // Byte for byte; the target stays untouched unless Copied.
    ColourFileCopy CopyColourFile(int fromProfile, int toProfile) const;

private:
    std::filesystem::path skinsFolder_;
};

}  // namespace tessel
