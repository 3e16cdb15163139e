#pragma once
// Sending the key assignments and macros to the keyboard: the macro area is sized
// against the keyboard's capacity, the key blocks are built from the apply store,
// and everything goes out bracketed by BeginTransfer and EndTransfer.

#include "model/ConfigStore.h"

namespace tessel {

class DeviceLink;
class KeyboardFacts;
class LanguageTable;
class Prompter;
class TextLookup;

struct ApplyServices {
    DeviceLink& link;
    // Not const: a written macro area makes the keyboard's macros known again.
    KeyboardFacts& keyboard;
    Prompter& prompter;
    const LanguageTable& languageTable;
    const TextLookup& texts;
};

// Every profile (all) or only the keyboard's active one. True when the last key
// block was written. Nothing is built or sent when the macros do not fit even
// without names (the user is told), when the active profile is unknown, or
// when the keyboard's macro area could not be read and the user does not
// confirm replacing it.
bool ApplyAssignments(ConfigStore& applyStore, bool all, const ApplyServices& services);

// Snapshots the edit store into the apply store (image, macros, packed texts)
// and applies it. Takes the edit store's lock, then the apply store's. Every
// profile goes out, whatever `all` says, when the keyboard's macro numbers no
// longer mean the macros they did at the last apply.
bool ApplyFromEditStore(ConfigStore& editStore, ConfigStore& applyStore, bool all,
                        const ApplyServices& services);

}  // namespace tessel
