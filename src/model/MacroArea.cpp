#include "model/MacroArea.h"

#include <algorithm>

#include "model/KeyAction.h"
#include "model/KeyCode.h"
#include "model/KeyTable.h"
#include "platform/LittleEndian.h"
#include "model/MacroList.h"

namespace tessel {

namespace {

constexpr uint16_t kKeyDownBit = 0x8000;
constexpr int kKindShift = 12;

constexpr std::size_t kSizeAt = 2;
constexpr std::size_t kCountAt = 4;
constexpr std::size_t kNamesFlagAt = 6;

// Bytes 2-3 of a mouse action, by the mouse usage of the key table.
std::array<uint8_t, 2> MouseBytes(uint16_t usage) {
    switch (usage) {
        case 0xF1:
            return {actionsub::kMouseButton, kMouseLeftBit};
        case 0xF2:
            return {actionsub::kMouseButton, kMouseRightBit};
        case 0xF3:
            return {actionsub::kMouseButton, kMouseMiddleBit};
        case 0xF4:
            return {actionsub::kMouseWheel, kWheelUp};
        case 0xF5:
            return {actionsub::kMouseWheel, kWheelDown};
        default:
            return {0, 0};
    }
}

std::size_t NameLength(const MacroRecord& macro) {
    return macro.Name().size();
}

std::size_t EntrySize(const MacroRecord& macro, bool withNames) {
    return kMacroEntryHeaderSize + kPackedActionSize * macro.Actions().size() +
           (withNames ? 2 * NameLength(macro) : 0);
}

}  // namespace

PackedAction PackMacroAction(const MacroAction& action) {
    const uint32_t units = std::min<uint32_t>(action.delay / 10, kMaxPackedDelayUnits);
    const UsageRef usage = UsageOf(action.keyCode);
    uint8_t kind = actionkind::kNothing;
    std::array<uint8_t, 2> tail = {0, 0};
    switch (usage.page) {
        case usagepage::kKeyboard:
            kind = actionkind::kKeyboard;
            if (const uint8_t bit = ModifierBitOf(action.keyCode)) {
                tail = {actionsub::kModifiers, bit};
            } else {
                tail = {actionsub::kKey, static_cast<uint8_t>(usage.usage)};
            }
            break;
        case usagepage::kMouse:
            kind = actionkind::kMouse;
            tail = MouseBytes(usage.usage);
            break;
        case usagepage::kGenericDesktop:
        case usagepage::kConsumer:
            kind = usage.page == usagepage::kConsumer ? actionkind::kConsumer
                                                      : actionkind::kGenericDesktop;
            tail = {static_cast<uint8_t>(usage.usage), static_cast<uint8_t>(usage.usage >> 8)};
            break;
        default:
            break;
    }
    uint16_t head = static_cast<uint16_t>(units | (kind << kKindShift));
    if (action.release != kKeyUp) {
        head |= kKeyDownBit;
    }
    return {static_cast<uint8_t>(head), static_cast<uint8_t>(head >> 8), tail[0], tail[1]};
}

MacroAction UnpackMacroAction(const PackedAction& packed) {
    const uint16_t head = static_cast<uint16_t>(packed[0] | (packed[1] << 8));
    MacroAction action;
    action.delay = (head & kMaxPackedDelayUnits) * 10u;
    const uint8_t kind = static_cast<uint8_t>((head >> kKindShift) & 0x7);
    action.keyCode = SlotKeyCode({kind, packed[2], packed[3]});
    action.release = (head & kKeyDownBit) ? kKeyDown : kKeyUp;
    return action;
}

MacroAreaSize MacroAreaSizes(std::span<const MacroRecord> macros) {
    MacroAreaSize size;
    size.full = size.needed = static_cast<uint32_t>(kMacroAreaHeaderSize + 2 * macros.size());
    for (const MacroRecord& macro : macros) {
        size.needed += static_cast<uint32_t>(EntrySize(macro, false));
        size.full += static_cast<uint32_t>(EntrySize(macro, true));
    }
    return size;
}

MacroAreaSize MacroAreaSizes(const ConfigStore& store) {
    auto lock = store.Lock();
    return MacroAreaSizes(store.Macros());
}

std::vector<uint8_t> BuildMacroArea(std::span<const MacroRecord> macros, uint32_t size,
                                    bool withNames) {
    const MacroAreaSize sizes = MacroAreaSizes(macros);
    const uint32_t required = withNames ? sizes.full : sizes.needed;
    if (macros.size() > kMaxMacros || size < required || size > kMaxMacroAreaSize) {
        return {};
    }
    std::vector<uint8_t> image(size, 0);
    PutU16(image, 0, kMacroAreaMagic);
    PutU16(image, kSizeAt, static_cast<uint16_t>(size));
    PutU16(image, kCountAt, static_cast<uint16_t>(macros.size()));
    PutU16(image, kNamesFlagAt, withNames ? 1 : 0);
    std::size_t at = kMacroAreaHeaderSize + 2 * macros.size();
    for (std::size_t i = 0; i < macros.size(); ++i) {
        const MacroRecord& macro = macros[i];
        PutU16(image, kMacroAreaHeaderSize + 2 * i, static_cast<uint16_t>(at));
        const auto actions = macro.Actions();
        const std::u16string name = withNames ? macro.Name() : std::u16string();
        PutU16(image, at, static_cast<uint16_t>(actions.size()));
        image[at + 2] = macro.cycleCount;
        image[at + 3] = static_cast<uint8_t>(name.size());
        at += kMacroEntryHeaderSize;
        for (const MacroAction& action : actions) {
            const PackedAction packed = PackMacroAction(action);
            std::copy(packed.begin(), packed.end(), image.begin() + at);
            at += kPackedActionSize;
        }
        for (char16_t c : name) {
            PutU16(image, at, c);
            at += 2;
        }
    }
    return image;
}

std::optional<std::vector<MacroRecord>> DecodeMacroArea(std::span<const uint8_t> image,
                                                        std::u16string_view namePrefix) {
    if (image.size() < kMacroAreaHeaderSize || GetU16(image, 0) != kMacroAreaMagic) {
        return std::nullopt;
    }
    const uint16_t count = GetU16(image, kCountAt);
    if (count > kMaxMacros || kMacroAreaHeaderSize + 2u * count > image.size()) {
        return std::nullopt;
    }
    std::vector<MacroRecord> macros(count);
    for (uint16_t i = 0; i < count; ++i) {
        const std::size_t at = GetU16(image, kMacroAreaHeaderSize + 2u * i);
        if (at + kMacroEntryHeaderSize > image.size()) {
            return std::nullopt;
        }
        const uint16_t actionCount = GetU16(image, at);
        const std::size_t nameLength = image[at + 3];
        const std::size_t actionsAt = at + kMacroEntryHeaderSize;
        const std::size_t nameAt = actionsAt + kPackedActionSize * actionCount;
        if (actionCount > kMaxMacroActions || nameAt + 2 * nameLength > image.size()) {
            return std::nullopt;
        }
        MacroRecord& macro = macros[i];
        macro.cycleCount = image[at + 2];
        macro.identifier = static_cast<uint16_t>(i + 1);
        macro.actionCount = actionCount;
        for (uint16_t a = 0; a < actionCount; ++a) {
            const std::size_t from = actionsAt + kPackedActionSize * a;
            macro.actions[a] =
                UnpackMacroAction({image[from], image[from + 1], image[from + 2], image[from + 3]});
        }
        // The name ends at its first zero; a macro without one gets a numbered name.
        std::u16string name;
        for (std::size_t c = 0; c < nameLength; ++c) {
            const char16_t character = GetU16(image, nameAt + 2 * c);
            if (character == u'\0') {
                break;
            }
            name.push_back(character);
        }
        macro.SetName(name.empty() ? NumberedMacroName(namePrefix, i + 1) : name);
    }
    return macros;
}

}  // namespace tessel
