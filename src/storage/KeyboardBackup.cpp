#include "storage/KeyboardBackup.h"

#include <array>

#include "model/KeyBlockCodec.h"
#include "platform/LittleEndian.h"
#include "model/MacroArea.h"
#include "storage/AtomicFile.h"
#include "storage/ConfigFile.h"

namespace tessel {
namespace {

constexpr std::size_t kMacroAreaSizeAt = 2;

// The macros the keyboard holds; nothing when a read fails.
std::optional<std::vector<MacroRecord>> ReadMacros(DeviceLink& link,
                                                   std::u16string_view macroNamePrefix) {
    std::array<uint8_t, kMacroAreaHeaderSize> header{};
    if (link.ReadMacroArea(header) != 1) {
        return std::nullopt;
    }
    if (GetU16(header, 0) != kMacroAreaMagic) {
        return std::vector<MacroRecord>{};
    }
    std::vector<uint8_t> area(GetU16(header, kMacroAreaSizeAt));
    if (link.ReadMacroArea(area) != 1) {
        return std::nullopt;
    }
    return DecodeMacroArea(area, macroNamePrefix).value_or(std::vector<MacroRecord>{});
}

}  // namespace

std::optional<std::vector<uint8_t>> ReadKeyboardConfiguration(DeviceLink& link,
                                                              const KeyboardFacts& keyboard,
                                                              std::u16string_view macroNamePrefix) {
    const int active = link.GetActiveProfile();
    if (active < 0 || active >= kProfileCount) {
        return std::nullopt;
    }
    std::array<KeyBlock, kKeyBlockCount> blocks{};
    for (int block = 0; block < kKeyBlockCount; ++block) {
        if (link.ReadKeyBlock(blocks[static_cast<std::size_t>(block)], block) != 1) {
            return std::nullopt;
        }
    }
    const auto macros = ReadMacros(link, macroNamePrefix);
    if (!macros) {
        return std::nullopt;
    }
    const std::unique_ptr<ProfileImage> image = DefaultImage();
    const KeyBlock defaults = keyboard.DefaultKeyBlock();
    for (int profile = 0; profile < kProfileCount; ++profile) {
        DecodeKeyBlock(blocks[static_cast<std::size_t>(profile)], profile, defaults, *image);
    }
    return EncodeConfigFile(*image, *macros, TextTable{});
}

int BackupFromKeyboard(DeviceLink& link, const KeyboardFacts& keyboard,
                       std::u16string_view macroNamePrefix, const std::filesystem::path& path) {
    const auto bytes = ReadKeyboardConfiguration(link, keyboard, macroNamePrefix);
    if (!bytes) {
        return 0;
    }
    return WriteFileAtomically(path, *bytes) ? 1 : 0;
}

}  // namespace tessel
