#pragma once
// Key actions: the 3 bytes that say what one key slot of a key block does on the
// keyboard, and the keyboard's default key block.

#include <array>
#include <cstddef>
#include <cstdint>

namespace tessel {

struct KeyAction {
    uint8_t kind = 0;
    uint8_t byte1 = 0;
    uint8_t byte2 = 0;

    friend bool operator==(const KeyAction&, const KeyAction&) = default;
};

namespace actionkind {
inline constexpr uint8_t kNothing = 0;
inline constexpr uint8_t kMouse = 1;
inline constexpr uint8_t kKeyboard = 2;
inline constexpr uint8_t kConsumer = 3;
inline constexpr uint8_t kGenericDesktop = 4;
inline constexpr uint8_t kMacro = 5;
inline constexpr uint8_t kGKey = 6;
}  // namespace actionkind

// Second byte of the kinds that have sub-functions.
namespace actionsub {
inline constexpr uint8_t kMouseButton = 1;
inline constexpr uint8_t kMouseWheel = 5;
inline constexpr uint8_t kModifiers = 1;
inline constexpr uint8_t kKey = 2;
inline constexpr uint8_t kPlayMacro = 1;
inline constexpr uint8_t kStopMacro = 2;
inline constexpr uint8_t kFunctionKey = 5;
inline constexpr uint8_t kGKeyNumber = 0xA2;
}  // namespace actionsub

inline constexpr uint8_t kMouseLeftBit = 1;
inline constexpr uint8_t kMouseRightBit = 2;
inline constexpr uint8_t kMouseMiddleBit = 4;
inline constexpr uint8_t kWheelUp = 0x01;
inline constexpr uint8_t kWheelDown = 0xFF;

inline constexpr int kKeySlotCount = 64;
inline constexpr std::size_t kKeyActionSize = 3;
using KeyBlock = std::array<uint8_t, kKeySlotCount * kKeyActionSize>;
static_assert(sizeof(KeyBlock) == 192);

KeyAction SlotAction(const KeyBlock& block, int slot);
void SetSlotAction(KeyBlock& block, int slot, KeyAction action);

// The key code a default action stands for; 0 when none.
uint16_t SlotKeyCode(KeyAction action);

// What the keyboard is sent for a key code assigned to a key.
KeyAction KeyEncoding(uint16_t code);

// The program's own copy of the keyboard's default key block, used until the
// keyboard's is read on attach.
const KeyBlock& BuiltInDefaultKeyBlock();

}  // namespace tessel
