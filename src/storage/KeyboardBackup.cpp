#include "storage/KeyboardBackup.h"

#include "model/KeyBlockCodec.h"
#include "model/MacroArea.h"
#include "model/TextTable.h"
#include "platform/AtomicFile.h"
#include "platform/LittleEndian.h"
#include "storage/ConfigFile.h"

namespace tessel {
namespace {

constexpr std::size_t kMacroAreaSizeAt = 2;
constexpr std::size_t kNameLengthAt = 3;  // in a macro entry

// Reads the area into `contents`; false when a read fails.
bool ReadMacros(DeviceLink& link, std::u16string_view macroNamePrefix, KeyboardContents& contents) {
    std::array<uint8_t, kMacroAreaHeaderSize> header{};
    if (link.ReadMacroArea(header) != 1) {
        return false;
    }
    if (GetU16(header, 0) != kMacroAreaMagic) {
        return true;
    }
    std::vector<uint8_t> area(GetU16(header, kMacroAreaSizeAt));
    if (link.ReadMacroArea(area) != 1) {
        return false;
    }
    auto macros = DecodeMacroArea(area, macroNamePrefix);
    if (!macros) {
        contents.macroAreaUnreadable = true;
        return true;
    }
    // The area decoded, so every entry offset lies inside it.
    for (std::size_t i = 0; i < macros->size(); ++i) {
        const std::size_t entryAt = GetU16(area, kMacroAreaHeaderSize + 2 * i);
        contents.macroNamed.push_back(area[entryAt + kNameLengthAt] != 0);
    }
    contents.macros = std::move(*macros);
    return true;
}

}  // namespace

std::optional<KeyboardContents> ReadKeyboardContents(DeviceLink& link,
                                                     const KeyboardFacts& keyboard,
                                                     std::u16string_view macroNamePrefix) {
    const int active = link.GetActiveProfile();
    if (active < 0 || active >= kProfileCount) {
        return std::nullopt;
    }
    KeyboardContents contents;
    for (int block = 0; block < kKeyBlockCount; ++block) {
        if (link.ReadKeyBlock(contents.blocks[static_cast<std::size_t>(block)], block) != 1) {
            return std::nullopt;
        }
    }
    if (!ReadMacros(link, macroNamePrefix, contents)) {
        return std::nullopt;
    }
    contents.image = DefaultImage();
    const KeyBlock defaults = keyboard.DefaultKeyBlock();
    for (int profile = 0; profile < kProfileCount; ++profile) {
        DecodeKeyBlock(contents.blocks[static_cast<std::size_t>(profile)], profile, defaults,
                       *contents.image);
    }
    return contents;
}

std::optional<std::vector<uint8_t>> ReadKeyboardConfiguration(DeviceLink& link,
                                                              const KeyboardFacts& keyboard,
                                                              std::u16string_view macroNamePrefix) {
    const auto contents = ReadKeyboardContents(link, keyboard, macroNamePrefix);
    if (!contents) {
        return std::nullopt;
    }
    return EncodeConfigFile(*contents->image, contents->macros, TextTable{});
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
