#pragma once
// The configuration file: the scene-mode file and every ".fwc" file. A profile
// image (32832 bytes), the macro list (count x 16512 bytes) and the text area of
// the type-3 and type-6 entries, as the image header's sizes say.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "model/ConfigStore.h"
#include "model/MacroRecord.h"
#include "model/ProfileImage.h"
#include "model/TextTable.h"
#include "platform/AtomicFile.h"

namespace tessel {

class LanguageTable;
class Prompter;

inline constexpr uint64_t kMaxConfigFileSize = 0xFFFFFFFFull;  // below 4 GiB

// Results of ValidateConfigFile.
inline constexpr int kConfigFileValid = 1;
inline constexpr int kConfigFileInvalid = 0;
inline constexpr int kConfigFileCannotOpen = -2;

struct Configuration {
    std::unique_ptr<ProfileImage> image;
    std::vector<MacroRecord> macros;
    TextTable texts;
};

// Magic, header size, version, word 6, size field, entry count, macro count,
// flag, size arithmetic and check byte.
bool IsValidConfigHeader(std::span<const uint8_t, kImageHeaderSize> header);

// Nothing when the header fails its checks or the bytes are fewer than the
// header's size field says. Texts whose offset lies outside the text area or
// that have no terminator inside it are left out.
std::optional<Configuration> DecodeConfigFile(std::span<const uint8_t> bytes);
// The header is refilled for the macros and texts (flag 0); each text's offset
// in the area becomes its entry's value.
std::vector<uint8_t> EncodeConfigFile(const ProfileImage& image,
                                      std::span<const MacroRecord> macros, const TextTable& texts);

// 1 valid; 0 missing, too short, 4 GiB or longer, shorter than its header says
// or a bad header (the user is shown the format message with the path); -2 when
// the file cannot be opened.
int ValidateConfigFile(const std::filesystem::path& path, Prompter& prompter,
                       const LanguageTable& languageTable);

// The file's configuration; nothing when it is missing, unreadable or fails
// the checks of DecodeConfigFile. Nothing is shown to the user.
std::optional<Configuration> ReadConfigFile(const std::filesystem::path& path);

// Replaces the store's image, macros and texts by the file's; 1 on success. On
// failure (0) the store is left as it was.
int LoadConfigFile(const std::filesystem::path& path, ConfigStore& store);

// Writes the store atomically; fails, saying why, when the store has no image
// or the file cannot be written (the old file is then intact).
FileWriteResult WriteConfigFile(const std::filesystem::path& path, ConfigStore& store);

}  // namespace tessel
