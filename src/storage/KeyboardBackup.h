#pragma once
// A configuration file built from the keyboard's own memory: its four key blocks
// and its macro area. Such a file has no texts, and its macros are numbered 1..n
// in keyboard order.

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "device/DeviceLink.h"
#include "model/KeyAction.h"
#include "model/KeyboardFacts.h"
#include "model/MacroRecord.h"
#include "model/ProfileImage.h"

namespace tessel {

// What the keyboard holds, read and decoded.
struct KeyboardContents {
    std::array<KeyBlock, kKeyBlockCount> blocks{};
    // The key blocks decoded against the keyboard's default block.
    std::unique_ptr<ProfileImage> image;
    std::vector<MacroRecord> macros;
    // Per macro: the area carried its name (a macro without one is called by
    // the name prefix and its number).
    std::vector<bool> macroNamed;
    // The area starts like a macro area but does not decode; `macros` is then
    // empty although the keyboard may still play macros.
    bool macroAreaUnreadable = false;
};

// Nothing when the active profile is unknown or a read fails. A macro area
// without its magic holds no macros. `macroNamePrefix` names macros stored
// without a name.
std::optional<KeyboardContents> ReadKeyboardContents(DeviceLink& link,
                                                     const KeyboardFacts& keyboard,
                                                     std::u16string_view macroNamePrefix);

// The file's bytes, or nothing when the keyboard cannot be read. A macro area
// that does not decode counts as holding no macros.
std::optional<std::vector<uint8_t>> ReadKeyboardConfiguration(DeviceLink& link,
                                                              const KeyboardFacts& keyboard,
                                                              std::u16string_view macroNamePrefix);

// 1 written, 0 not (nothing is written when a read fails). The keyboard is
// only read, so no transfer bracket is sent.
int BackupFromKeyboard(DeviceLink& link, const KeyboardFacts& keyboard,
                       std::u16string_view macroNamePrefix, const std::filesystem::path& path);

}  // namespace tessel
