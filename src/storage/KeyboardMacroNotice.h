#pragma once
// After a scene load: remembers whether the keyboard's macro area is known,
// and tells the user once when it could not be decoded.

#include <string_view>

#include "model/KeyboardFacts.h"

namespace tessel {

class Prompter;
class TextLookup;

inline constexpr std::u16string_view kUnreadableMacrosText = u"IDS_MAIN_MACRO_AREA_UNREADABLE";

// An area that was not read at all is not reported (the keyboard was busy or
// gone), but an apply asks before replacing it all the same.
void NoteKeyboardMacros(MacroAreaKnowledge macros, KeyboardFacts& keyboard, Prompter& prompter,
                        const TextLookup& texts);

}  // namespace tessel
