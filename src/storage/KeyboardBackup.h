#pragma once
// A configuration file built from the keyboard's own memory: its four key blocks
// and its macro area. Such a file has no texts, and its macros are numbered 1..n
// in keyboard order.

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "device/DeviceLink.h"
#include "model/KeyboardFacts.h"

namespace tessel {

// The file's bytes, or nothing when the active profile is unknown or a read
// fails. A macro area without its magic, or one that does not decode, counts as
// holding no macros. `macroNamePrefix` names macros stored without a name.
std::optional<std::vector<uint8_t>> ReadKeyboardConfiguration(DeviceLink& link,
                                                              const KeyboardFacts& keyboard,
                                                              std::u16string_view macroNamePrefix);

// 1 written, 0 not (nothing is written when a read fails). The keyboard is
// only read, so no transfer bracket is sent.
int BackupFromKeyboard(DeviceLink& link, const KeyboardFacts& keyboard,
                       std::u16string_view macroNamePrefix, const std::filesystem::path& path);

}  // namespace tessel
