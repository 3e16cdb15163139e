#pragma once
// The macro area image: all macros of a list packed for the keyboard, with or
// without their names, and its decoding when a backup is read back.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "model/ConfigStore.h"
#include "model/MacroRecord.h"

namespace tessel {

inline constexpr uint16_t kMacroAreaMagic = 0x55AA;
inline constexpr std::size_t kMacroAreaHeaderSize = 16;
inline constexpr std::size_t kMacroEntryHeaderSize = 4;
inline constexpr std::size_t kPackedActionSize = 4;
inline constexpr uint32_t kMaxMacroAreaSize = 0xFFFF;  // the size field holds 16 bits
inline constexpr uint16_t kMaxPackedDelayUnits = 0x0FFF;

using PackedAction = std::array<uint8_t, kPackedActionSize>;

// 10 ms units in bits 0-11 (a longer delay is limited to 4095 units, never
// wrapped), the kind in bits 12-14, bit 15 set while the key goes down.
PackedAction PackMacroAction(const MacroAction& action);
MacroAction UnpackMacroAction(const PackedAction& packed);

struct MacroAreaSize {
    uint32_t full = 0;    // with the names
    uint32_t needed = 0;  // without them
};
MacroAreaSize MacroAreaSizes(std::span<const MacroRecord> macros);
// The same over a store's macro list (the apply store), under its lock.
MacroAreaSize MacroAreaSizes(const ConfigStore& store);

// The image of `size` bytes (the header's size field) with or without names.
// Empty when the macros do not fit `size`, or `size` does not fit the image's
// 16-bit fields, or the list holds more than 100 macros.
std::vector<uint8_t> BuildMacroArea(std::span<const MacroRecord> macros, uint32_t size,
                                    bool withNames);

// The macros of an image read from the keyboard; identifiers are positions + 1
// and a macro without a stored name is called `namePrefix` + (position + 1).
// Nothing when the image is malformed (magic, counts or offsets outside it).
std::optional<std::vector<MacroRecord>> DecodeMacroArea(std::span<const uint8_t> image,
                                                        std::u16string_view namePrefix);

}  // namespace tessel
