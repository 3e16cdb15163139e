#include "model/KeyAction.h"

#include "model/KeyCode.h"
#include "model/KeyTable.h"

namespace tessel {

namespace {

// A slot of the built-in default block: a named key ({2, 2, its device code})
// or, with code 0, the action as it stands.
struct DefaultSlot {
    int slot;
    uint16_t code;
    KeyAction action;
};

constexpr KeyAction kReserved = {actionkind::kMacro, 0, 0};

// clang-format off
constexpr DefaultSlot kBuiltInDefaults[] = {
    {0, 0, kReserved}, {1, 0, kReserved}, {2, 0, kReserved},
    {3, 0, kReserved}, {4, 0, kReserved}, {5, 0, kReserved},
    {8, 0x001, {}},   // Esc
    {9, 0x029, {}},   // `
    {10, 0x00F, {}},  // Tab
    {11, 0x03A, {}},  // Caps Lock
    {12, 0, {actionkind::kKeyboard, actionsub::kModifiers, 0x02}},
    {13, 0, {actionkind::kKeyboard, actionsub::kModifiers, 0x01}},
    {16, 0x03B, {}},  // F1
    {17, 0x002, {}},  // 1
    {18, 0x010, {}},  // Q
    {19, 0x01E, {}},  // A
    {20, 0x02C, {}},  // Z
    {21, 0, {actionkind::kKeyboard, actionsub::kModifiers, 0x08}},
    {24, 0x03C, {}},  // F2
    {25, 0x003, {}},  // 2
    {26, 0x011, {}},  // W
    {27, 0x01F, {}},  // S
    {28, 0x02D, {}},  // X
    {29, 0, {actionkind::kKeyboard, actionsub::kModifiers, 0x04}},
    {32, 0x03D, {}},  // F3
    {33, 0x004, {}},  // 3
    {34, 0x012, {}},  // E
    {35, 0x020, {}},  // D
    {36, 0x02E, {}},  // C
    {37, 0x039, {}},  // Space
    {38, 0x137, {}},  // Print Screen
    {40, 0x03E, {}},  // F4
    {41, 0x005, {}},  // 4
    {42, 0x013, {}},  // R
    {43, 0x021, {}},  // F
    {44, 0x02F, {}},  // V
    {45, 0, {actionkind::kKeyboard, actionsub::kModifiers, 0x40}},
    {46, 0x046, {}},  // Scroll Lock
    {48, 0x03F, {}},  // F5
    {49, 0x006, {}},  // 5
    {50, 0x014, {}},  // T
    {51, 0x022, {}},  // G
    {52, 0x030, {}},  // B
    {53, 0, {actionkind::kMacro, actionsub::kStopMacro, 2}},
    {54, 0x00D, {}},  // =
    {56, 0x040, {}},  // F6
    {57, 0x007, {}},  // 6
    {58, 0x015, {}},  // Y
    {59, 0x023, {}},  // H
    {60, 0x031, {}},  // N
    {61, 0x15D, {}},  // App
    {62, 0x045, {}},  // Pause
    // G1..G9 of bank A, in slots no key uses.
    {6, 0, {actionkind::kGKey, actionsub::kGKeyNumber, 1}},
    {7, 0, {actionkind::kGKey, actionsub::kGKeyNumber, 2}},
    {14, 0, {actionkind::kGKey, actionsub::kGKeyNumber, 3}},
    {15, 0, {actionkind::kGKey, actionsub::kGKeyNumber, 4}},
    {22, 0, {actionkind::kGKey, actionsub::kGKeyNumber, 5}},
    {23, 0, {actionkind::kGKey, actionsub::kGKeyNumber, 6}},
    {30, 0, {actionkind::kGKey, actionsub::kGKeyNumber, 7}},
    {31, 0, {actionkind::kGKey, actionsub::kGKeyNumber, 8}},
    {39, 0, {actionkind::kGKey, actionsub::kGKeyNumber, 9}},
};
// clang-format on

KeyAction PlainKey(uint8_t deviceCode) {
    return {actionkind::kKeyboard, actionsub::kKey, deviceCode};
}

}  // namespace

KeyAction SlotAction(const KeyBlock& block, int slot) {
    const std::size_t at = static_cast<std::size_t>(slot) * kKeyActionSize;
    return {block[at], block[at + 1], block[at + 2]};
}

void SetSlotAction(KeyBlock& block, int slot, KeyAction action) {
    const std::size_t at = static_cast<std::size_t>(slot) * kKeyActionSize;
    block[at] = action.kind;
    block[at + 1] = action.byte1;
    block[at + 2] = action.byte2;
}

uint16_t SlotKeyCode(KeyAction a) {
    switch (a.kind) {
        case actionkind::kMouse:
            if (a.byte1 == actionsub::kMouseButton) {
                switch (a.byte2) {
                    case kMouseLeftBit:
                        return keycode::kMouseLeft;
                    case kMouseRightBit:
                        return keycode::kMouseRight;
                    case kMouseMiddleBit:
                        return keycode::kMouseMiddle;
                    default:
                        return kNoKey;
                }
            }
            if (a.byte1 == actionsub::kMouseWheel) {
                if (a.byte2 == kWheelUp) {
                    return keycode::kWheelUp;
                }
                if (a.byte2 == kWheelDown) {
                    return keycode::kWheelDown;
                }
            }
            return kNoKey;
        case actionkind::kKeyboard:
            if (a.byte1 == actionsub::kKey) {
                return KeyCodeOfUsage({usagepage::kKeyboard, a.byte2});
            }
            return ModifierCodeOfMask(a.byte2);
        case actionkind::kConsumer:
            return KeyCodeOfUsage(
                {usagepage::kConsumer, static_cast<uint16_t>(a.byte1 | (a.byte2 << 8))});
        case actionkind::kGenericDesktop:
            return KeyCodeOfUsage(
                {usagepage::kGenericDesktop, static_cast<uint16_t>(a.byte1 | (a.byte2 << 8))});
        case actionkind::kGKey:
            if (a.byte1 == actionsub::kGKeyNumber) {
                return static_cast<uint16_t>(kFirstGKeyCode - 1 + a.byte2);
            }
            return kNoKey;
        default:
            return kNoKey;
    }
}

KeyAction KeyEncoding(uint16_t code) {
    if (const uint8_t bit = ModifierBitOf(code)) {
        return {actionkind::kKeyboard, actionsub::kModifiers, bit};
    }
    switch (code) {
        case keycode::kMouseLeft:
            return {actionkind::kMouse, actionsub::kMouseButton, kMouseLeftBit};
        case keycode::kMouseRight:
            return {actionkind::kMouse, actionsub::kMouseButton, kMouseRightBit};
        case keycode::kMouseMiddle:
            return {actionkind::kMouse, actionsub::kMouseButton, kMouseMiddleBit};
        case keycode::kWheelUp:
            return {actionkind::kMouse, actionsub::kMouseWheel, kWheelUp};
        case keycode::kWheelDown:
            return {actionkind::kMouse, actionsub::kMouseWheel, kWheelDown};
        default:
            break;
    }
    const UsageRef usage = UsageOf(code);
    return PlainKey(usage.page == usagepage::kKeyboard ? static_cast<uint8_t>(usage.usage) : 0);
}

const KeyBlock& BuiltInDefaultKeyBlock() {
    static const KeyBlock block = [] {
        KeyBlock built{};
        for (const DefaultSlot& slot : kBuiltInDefaults) {
            KeyAction action = slot.action;
            if (slot.code != kNoKey) {
                action = PlainKey(KeyRecordOf(slot.code)->deviceCode);
            }
            SetSlotAction(built, slot.slot, action);
        }
        return built;
    }();
    return block;
}

}  // namespace tessel
