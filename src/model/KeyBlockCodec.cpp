#include "model/KeyBlockCodec.h"

#include "model/AssignmentLists.h"
#include "model/KeyCode.h"
#include "model/MacroList.h"

namespace tessel {

namespace {

constexpr KeyAction kNothing = {};

uint16_t TypeOf(AssignmentType type) {
    return static_cast<uint16_t>(type);
}

// Refines a slot that differs from its default; the entry starts as disabled.
void DecodeAction(KeyAction a, KeyAssignment& entry) {
    entry.type = TypeOf(AssignmentType::Disabled);
    auto setKey = [&entry](uint16_t code) {
        entry.type = TypeOf(AssignmentType::Key);
        entry.value = code;
    };
    switch (a.kind) {
        case actionkind::kMacro:
            if (a.byte1 == actionsub::kPlayMacro) {
                entry.type = TypeOf(AssignmentType::PlayMacro);
                entry.value = a.byte2 + 1u;
            } else if (a.byte1 == actionsub::kStopMacro) {
                entry.type = TypeOf(AssignmentType::StopMacro);
            } else if (a.byte1 == actionsub::kFunctionKey) {
                entry.type = TypeOf(AssignmentType::FunctionKey);
                entry.value = a.byte2;
            }
            break;
        case actionkind::kConsumer:
            if (auto index =
                    MultimediaIndexOfUsage(static_cast<uint16_t>(a.byte1 | a.byte2 << 8))) {
                entry.type = TypeOf(AssignmentType::Multimedia);
                entry.value = static_cast<uint32_t>(*index);
            }
            break;
        case actionkind::kMouse:
            // A mouse action the program does not know still counts as one.
            setKey(SlotKeyCode(a));
            break;
        case actionkind::kKeyboard:
            if (a.byte1 == actionsub::kKey || a.byte1 == actionsub::kModifiers) {
                if (const uint16_t code = SlotKeyCode(a)) {
                    setKey(code);
                }
            }
            break;
        default:
            break;
    }
}

}  // namespace

KeyAction EncodeAssignment(const KeyAssignment& entry, KeyAction defaultAction,
                           std::span<const MacroRecord> macros) {
    switch (static_cast<AssignmentType>(entry.type)) {
        case AssignmentType::Default:
        case AssignmentType::LaunchProgram:
            return defaultAction;
        case AssignmentType::Disabled:
        case AssignmentType::TextBlock:
            return kNothing;
        case AssignmentType::Key:
            return KeyEncoding(static_cast<uint16_t>(entry.value));
        case AssignmentType::PlayMacro:
            return {actionkind::kMacro, actionsub::kPlayMacro,
                    static_cast<uint8_t>(MacroPosition(macros, entry.value))};
        case AssignmentType::StopMacro:
            return {actionkind::kMacro, actionsub::kStopMacro, 0};
        case AssignmentType::Multimedia: {
            if (entry.value >= kMultimediaCount) {
                return defaultAction;
            }
            const uint16_t usage = kMultimediaList[entry.value].usage;
            return {actionkind::kConsumer, static_cast<uint8_t>(usage),
                    static_cast<uint8_t>(usage >> 8)};
        }
        case AssignmentType::FunctionKey:
            // The keyboard gives the index its meaning; files written elsewhere
            // carry indices this program has no name for and must round-trip.
            return {actionkind::kMacro, actionsub::kFunctionKey,
                    static_cast<uint8_t>(entry.value & 0xFF)};
    }
    // A type no editor writes (a damaged file) leaves the key as it is.
    return defaultAction;
}

KeyBlock BuildKeyBlock(const ProfileImage& image, std::span<const MacroRecord> macros, int profile,
                       const KeyBlock& defaults) {
    KeyBlock block = defaults;
    for (int slot = 0; slot < kKeySlotCount; ++slot) {
        const KeyAction defaultAction = SlotAction(defaults, slot);
        const uint16_t code = SlotKeyCode(defaultAction);
        if (code == kNoKey) {
            continue;
        }
        if (const KeyAssignment* entry = EntryFor(image, profile, KeyIndexOf(code))) {
            SetSlotAction(block, slot, EncodeAssignment(*entry, defaultAction, macros));
        }
    }
    return block;
}

KeyBlock BuildKeyBlock(const ConfigStore& store, int profile, const KeyBlock& defaults) {
    auto lock = store.Lock();
    if (!store.Image()) {
        return defaults;
    }
    return BuildKeyBlock(*store.Image(), store.Macros(), profile, defaults);
}

bool DecodeKeyBlock(const KeyBlock& block, int profile, const KeyBlock& defaults,
                    ProfileImage& image) {
    if (EntryIndex(profile, 0) < 0) {
        return false;
    }
    ResetProfileEntries(image, profile);
    for (int slot = 0; slot < kKeySlotCount; ++slot) {
        const KeyAction action = SlotAction(block, slot);
        const KeyAction defaultAction = SlotAction(defaults, slot);
        if (action == defaultAction) {
            continue;
        }
        const uint16_t code = SlotKeyCode(defaultAction);
        if (KeyAssignment* entry = code ? EntryFor(image, profile, KeyIndexOf(code)) : nullptr) {
            DecodeAction(action, *entry);
        }
    }
    return true;
}

}  // namespace tessel
