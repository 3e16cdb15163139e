#pragma once
// Which macro each number on the keyboard stands for. A key block plays a macro
// by its position in the macro area, so when positions move (a macro deleted or
// reordered, a scene with other macros loaded) or the macro editor resets macro
// assignments, the key blocks of the profiles that were not applied play the
// wrong macro until they are sent again.

#include <cstdint>
#include <vector>

namespace tessel {

class ConfigStore;

struct MacroNumbering {
    // Identifiers in the order of the macro area the keyboard last received.
    std::vector<uint16_t> applied;
    // Macro assignments were changed by the macro editor since the last apply.
    bool assignmentsReset = false;
};

// True when the key blocks of every profile must go out with the next apply:
// a macro the keyboard knows moved or went away, or its assignments were reset.
// Under the edit store's lock.
bool MacroNumberingChanged(const ConfigStore& edit);

// The edit store's macros are now what the keyboard has. Under its lock.
void NoteMacroNumberingApplied(ConfigStore& edit);

}  // namespace tessel
