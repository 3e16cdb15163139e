#pragma once
// Key codes (16 bits: set-1 make codes, 0x100 + make code for E0 keys and the
// program's own function codes, G keys from 0x200) and key indices (0..511, the
// position in every per-key array).

#include <cstdint>

namespace tessel {

inline constexpr uint16_t kNoKey = 0;
inline constexpr uint16_t kFirstExtendedCode = 0x100;
inline constexpr uint16_t kFirstGKeyCode = 0x200;
inline constexpr int kKeyTableSize = 256;
inline constexpr int kKeyIndexCount = 512;
inline constexpr int kGKeysPerBank = 9;
inline constexpr int kFirstGKeyIndexBankA = 256;
inline constexpr int kFirstGKeyIndexBankB = 265;

// Codes the program uses by name.
namespace keycode {
inline constexpr uint16_t kLeftCtrl = 0x01D;
inline constexpr uint16_t kLeftShift = 0x02A;
inline constexpr uint16_t kLeftAlt = 0x038;
inline constexpr uint16_t kLeftWin = 0x15B;
inline constexpr uint16_t kRightCtrl = 0x11D;
inline constexpr uint16_t kRightShift = 0x036;
inline constexpr uint16_t kRightAlt = 0x138;
inline constexpr uint16_t kRightWin = 0x15C;
inline constexpr uint16_t kMenu = 0x15D;
inline constexpr uint16_t kEnter = 0x01C;
inline constexpr uint16_t kSysReq = 0x054;
inline constexpr uint16_t kPrintScreen = 0x137;
inline constexpr uint16_t kKanaLeft = 0x071;
inline constexpr uint16_t kKanaRight = 0x072;
inline constexpr uint16_t kWheelUp = 0x161;
inline constexpr uint16_t kWheelDown = 0x162;
inline constexpr uint16_t kMouseLeft = 0x171;
inline constexpr uint16_t kMouseRight = 0x172;
inline constexpr uint16_t kMouseMiddle = 0x173;
}  // namespace keycode

// Modifier keys in the order of their bits in a modifier mask (0x01 .. 0x80).
inline constexpr uint16_t kModifierCodes[8] = {
    keycode::kLeftCtrl,  keycode::kLeftShift,  keycode::kLeftAlt,  keycode::kLeftWin,
    keycode::kRightCtrl, keycode::kRightShift, keycode::kRightAlt, keycode::kRightWin,
};

// The modifier bit of a code, 0 when the code is no modifier.
constexpr uint8_t ModifierBitOf(uint16_t code) {
    for (int bit = 0; bit < 8; ++bit) {
        if (kModifierCodes[bit] == code) {
            return static_cast<uint8_t>(1u << bit);
        }
    }
    return 0;
}

// The code of the lowest set bit of a modifier mask, 0 when no bit is set.
constexpr uint16_t ModifierCodeOfMask(uint8_t mask) {
    for (int bit = 0; bit < 8; ++bit) {
        if (mask & (1u << bit)) {
            return kModifierCodes[bit];
        }
    }
    return kNoKey;
}

// Codes 0x100..0x1FF land on 128..255 (code - 0x80, modulo 256), G keys on 256
// and up.
constexpr uint16_t KeyIndexOf(uint16_t code) {
    if (code < kFirstExtendedCode) {
        return code;
    }
    if (code < kFirstGKeyCode) {
        return static_cast<uint16_t>((code - 0x80) & 0xFF);
    }
    return static_cast<uint16_t>(code - 0x100);
}

// Inverse of KeyIndexOf on 0..255; indices from 256 are G keys.
constexpr uint16_t KeyCodeOfIndex(uint16_t index) {
    if (index < 128) {
        return index;
    }
    if (index < kKeyTableSize) {
        return static_cast<uint16_t>(index + 128);
    }
    return static_cast<uint16_t>(index + 0x100);
}

// Key index of G key j (0..8) in the given bank.
constexpr int GKeyIndex(int j, bool bankB) {
    return (bankB ? kFirstGKeyIndexBankB : kFirstGKeyIndexBankA) + j;
}

}  // namespace tessel
