#pragma once
// Which macro each number on the keyboard stands for. A key block plays a macro
// by its position in the macro area, so when positions move (a macro deleted or
// reordered, a scene with other macros loaded) or the macro editor resets macro
// assignments, the key blocks of the profiles that were not applied play the
// wrong macro until they are sent again.

#include <cstdint>
#include <optional>
#include <vector>

namespace tessel {

class ConfigStore;

struct MacroNumbering {
    // Identifiers in the order of the macro area the keyboard holds: as last
    // sent, or as read from it. Nothing while that is not known (a new run
    // before the keyboard was read, a macro area that could not be read).
    std::optional<std::vector<uint16_t>> applied;
    // Macro assignments were changed by the macro editor and no apply has
    // taken the change yet; an apply that fails gives it back.
    bool assignmentsReset = false;
};

// True when the key blocks of every profile must go out with the next apply:
// the keyboard's numbering is not known, a macro the keyboard knows moved or
// went away, or its assignments were reset. Under the edit store's lock.
bool MacroNumberingChanged(const ConfigStore& edit);

// The identifiers of a store's macros, in order. Under its lock.
std::vector<uint16_t> MacroIdentifiers(const ConfigStore& store);

// The keyboard now holds macros with these identifiers, in this order: they
// were sent by a whole, successful apply, or read from it. Under the edit
// store's lock.
void NoteMacroNumberingApplied(ConfigStore& edit, std::vector<uint16_t> held);

// What the keyboard holds is not known any more.
void ForgetMacroNumbering(ConfigStore& edit);

}  // namespace tessel
