#pragma once
// How much of the keyboard's macro memory the macros take: the macro area with
// and without the names against the capacity the keyboard reports, so the user
// sees before applying whether names will be dropped or the macros refused.

#include <cstdint>
#include <span>
#include <string>

#include "model/MacroRecord.h"

namespace tessel {

class MacroWorkingCopies;

enum class MacroMemoryState {
    Unknown,       // no keyboard seen yet: its capacity is not known
    Fits,          // sent with the names
    NamesDropped,  // sent without the names
    TooLong,       // refused even without the names
};

struct MacroMemoryUse {
    uint32_t full = 0;    // bytes with the names
    uint32_t needed = 0;  // bytes without them
    uint32_t capacity = 0;
    MacroMemoryState state = MacroMemoryState::Unknown;

    // The bytes that will be sent: with the names while they fit.
    uint32_t Used() const { return state == MacroMemoryState::Fits ? full : needed; }
    // Used against the capacity, 0..100 and more when it does not fit.
    int Percent() const;
};

MacroMemoryUse MeasureMacroMemory(std::span<const MacroRecord> macros, uint32_t capacity);
// The working copies as they will be stored: the shown macro with its rows.
MacroMemoryUse MeasureMacroMemory(const MacroWorkingCopies& copies, uint32_t capacity);

// "used / capacity B", with the percentage when the capacity is known.
std::u16string MacroMemoryCaption(const MacroMemoryUse& use);

}  // namespace tessel
