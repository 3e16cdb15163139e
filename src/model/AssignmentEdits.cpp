#include "model/AssignmentEdits.h"

#include "model/KeyButtons.h"

namespace tessel {

namespace {

void ZeroEntry(ConfigStore& edit, int profile, int keyIndex) {
    const int slot = EntryIndex(profile, keyIndex);
    if (slot < 0) {
        return;
    }
    edit.Image()->entries[slot] = KeyAssignment{};
    edit.Texts().Clear(slot);
}

}  // namespace

uint16_t EntryAuxiliary(int keyIndex, uint16_t type, uint8_t cycleCount) {
    if (const uint16_t identifier = GKeyIdentifier(keyIndex)) {
        return identifier;
    }
    return type == static_cast<uint16_t>(AssignmentType::PlayMacro) ? cycleCount : 0;
}

bool EditKeyAssignment(ConfigStore& edit, int activeProfile, int keyIndex, uint16_t type,
                       uint16_t auxiliary, uint32_t value) {
    auto lock = edit.Lock();
    const int slot = EntryIndex(activeProfile, keyIndex);
    if (!edit.Image() || slot < 0) {
        return false;
    }
    edit.Texts().Clear(slot);
    KeyAssignment& entry = edit.Image()->entries[slot];
    entry.type = type;
    entry.auxiliary = auxiliary;
    entry.value = value;
    return true;
}

bool ClearProfileKeys(ConfigStore& edit, int activeProfile, bool bankB) {
    auto lock = edit.Lock();
    if (!edit.Image() || EntryIndex(activeProfile, 0) < 0) {
        return false;
    }
    for (const GKeyButton& button : kGKeyButtons) {
        ZeroEntry(edit, activeProfile, button.KeyIndex(bankB));
    }
    for (const KeyButton& button : kKeyButtons) {
        ZeroEntry(edit, activeProfile, button.KeyIndex());
    }
    // The colour-selection flags are kept by button position, not by key: the
    // G-key positions share the first 18 of them.
    for (int position = 0; position < kKeyButtonCount; ++position) {
        EntryFor(*edit.Image(), activeProfile, position)->colourSelection = 0;
    }
    return true;
}

bool IsMacroInUse(const ConfigStore& edit, uint16_t identifier) {
    auto lock = edit.Lock();
    const ProfileImage* image = edit.Image();
    if (!image) {
        return false;
    }
    for (const KeyAssignment& entry : image->entries) {
        if (entry.type == static_cast<uint16_t>(AssignmentType::PlayMacro) &&
            entry.value == identifier) {
            return true;
        }
    }
    return false;
}

}  // namespace tessel
