#pragma once
// The macro list and the editing rules that belong to the model: identifiers,
// positions, limits on macros, actions and delays.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/ConfigStore.h"
#include "model/MacroRecord.h"

namespace tessel {

inline constexpr uint32_t kMaxTypedDelay = 40000;
inline constexpr uint32_t kDelayStep = 10;

// The position of the macro with that identifier; 0 when absent.
int MacroPosition(std::span<const MacroRecord> list, uint32_t identifier);
// The same over a store's macro list (the edit store), under its lock.
int MacroPosition(const ConfigStore& store, uint32_t identifier);

// The smallest of 1..100 that no macro of the list uses; 0 when all are taken.
uint16_t NewMacroIdentifier(std::span<const MacroRecord> list);

// "%s%d": the new-macro prefix followed by a running number.
std::u16string NumberedMacroName(std::u16string_view prefix, int number);

// Appends a new macro (next identifier, cycle count 1, fresh, no actions).
// False when the list already holds 100 macros.
bool AddNewMacro(std::vector<MacroRecord>& list, std::u16string_view name);

// Appends an action; a 2001st action is dropped (false).
bool AppendMacroAction(MacroRecord& macro, MacroAction action);

struct TypedDelay {
    uint32_t delay;  // 0..40000, a multiple of 10
    bool capped;     // the typed value was above 40000
};
TypedDelay LimitTypedDelay(uint32_t typed);

// Case folding for comparing macro names: the letters with case of the scripts
// the program's languages write in (Latin with Latin-1 and Latin Extended-A,
// full-width Latin, Greek, Cyrillic); every other character stands for itself.
char16_t FoldNameCase(char16_t c);
// Whether `text` begins with `start`, case ignored as above.
bool BeginsWithIgnoringCase(std::u16string_view text, std::u16string_view start);

// The editor keeps 1 (key up) and stores every other value as 0 (key down).
uint16_t StoredReleaseFlag(uint32_t typed);

}  // namespace tessel
