#pragma once
// Changes the editors make to the edit store's key assignments. Each takes the
// store's lock itself and addresses the keyboard's active profile, which the
// caller passes in (an unknown or out-of-range profile changes nothing).

#include <cstdint>

#include "model/ConfigStore.h"

namespace tessel {

// The auxiliary field an edit writes: the G-key identifier for a G key, the
// cycle count for a macro, else 0.
uint16_t EntryAuxiliary(int keyIndex, uint16_t type, uint8_t cycleCount);

// Writes type, auxiliary and value of entry (profile, key index), freeing its
// text; the colour-selection flag and the last field keep their values.
bool EditKeyAssignment(ConfigStore& edit, int activeProfile, int keyIndex, uint16_t type,
                       uint16_t auxiliary, uint32_t value);

// Zeroes the profile's entries of the nine G keys of the current bank and of the
// 104 key buttons, and clears the colour-selection flags of every button
// position. The caller redraws the buttons and enables Apply.
bool ClearProfileKeys(ConfigStore& edit, int activeProfile, bool bankB);

// True when any entry of the image plays the macro with that identifier.
bool IsMacroInUse(const ConfigStore& edit, uint16_t identifier);

}  // namespace tessel
