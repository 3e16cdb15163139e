#pragma once
// Windows virtual-key codes to key codes, for the key capture of the editors
// and the macro recorder.

#include <array>
#include <cstdint>

namespace tessel {

inline constexpr int kVirtualKeyCount = 256;

struct VirtualKeyEntry {
    bool valid = false;
    uint8_t scanByte = 0;  // key code = scan byte below 0x80, else scan byte + 0x80
};

const std::array<VirtualKeyEntry, kVirtualKeyCount>& VirtualKeyTable();

// The key code of a virtual key; 0 when the table holds no key for it.
uint16_t KeyCodeOfVirtualKey(uint32_t virtualKey);

// The key code of a keyboard-hook event: keyData bits 16..24 carry the scan code
// with the extended bit.
uint16_t KeyCodeFromHook(uint32_t virtualKey, uint32_t keyData);

// Keys that deliver no usable key-down to a hook; the recorder inserts a press.
bool IsPresslessKey(uint16_t code);

}  // namespace tessel
