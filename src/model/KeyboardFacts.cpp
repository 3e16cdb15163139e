#include "model/KeyboardFacts.h"

namespace tessel {

KeyboardFacts::KeyboardFacts() : defaultKeyBlock_(BuiltInDefaultKeyBlock()) {}

void KeyboardFacts::SetDefaultKeyBlock(const KeyBlock& block) {
    std::lock_guard lock(mutex_);
    defaultKeyBlock_ = block;
}

void KeyboardFacts::SetDeviceInfo(std::span<const uint8_t, kDeviceInfoSize> info) {
    std::lock_guard lock(mutex_);
    macroCapacity_ = info[kMacroCapacityByte] * kMacroCapacityUnit;
}

KeyBlock KeyboardFacts::DefaultKeyBlock() const {
    std::lock_guard lock(mutex_);
    return defaultKeyBlock_;
}

uint32_t KeyboardFacts::MacroCapacity() const {
    std::lock_guard lock(mutex_);
    return macroCapacity_;
}

void KeyboardFacts::SetMacroArea(MacroAreaKnowledge knowledge) {
    std::lock_guard lock(mutex_);
    macroArea_ = knowledge;
}

MacroAreaKnowledge KeyboardFacts::MacroArea() const {
    std::lock_guard lock(mutex_);
    return macroArea_;
}

}  // namespace tessel
