#pragma once
// Sending the key assignments and macros to the keyboard: the macro area is sized
// against the keyboard's capacity, the key blocks are built from the apply store,
// and everything goes out bracketed by BeginTransfer and EndTransfer.

#include <optional>
#include <vector>

#include "model/ConfigStore.h"
#include "model/KeyBlockCodec.h"

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

// What one apply sends, built from the apply store: it needs neither store
// while it goes out, so the transfer may run on a thread of its own.
struct PreparedApply {
    std::vector<int> profiles;
    std::vector<uint8_t> macroArea;
    std::vector<KeyBlock> blocks;
    bool withNames = true;
    // The macros' identifiers in the order the macro area numbers them.
    std::vector<uint16_t> macroIdentifiers;
};

// Builds the macro area and the key blocks of every profile (all, or when the
// keyboard's active profile is not known) or only the active one, under the
// apply store's lock. Nothing when the macros do not fit even without names
// (the user is told), or when the keyboard's macro area could not be read and
// the user does not confirm replacing it.
std::optional<PreparedApply> PrepareApply(ConfigStore& applyStore, bool all,
                                          const ApplyServices& services);
// The transfer alone, bracketed by BeginTransfer and EndTransfer; it touches
// nothing but the link. The first failed frame's result, which ends it, or
// kDeviceDone when every frame was carried out.
int SendApply(DeviceLink& link, const PreparedApply& apply);
// After the transfer: a written transfer makes the keyboard's macro area known
// again; tells the user when the macro names had to be left out.
void FinishApply(const PreparedApply& apply, bool written, const ApplyServices& services);

// Copies the edit store into the apply store (image, macros, packed texts).
// Takes the edit store's lock, then the apply store's. False, with the apply
// store empty, when there is nothing to copy or no memory for it.
bool SnapshotEditStore(ConfigStore& editStore, ConfigStore& applyStore);

// Every profile (all) or only the keyboard's active one: the transfer's
// result (kDeviceDone when every frame was carried out). Nothing, and nothing
// sent, when the macros do not fit even without names (the user is told) or
// when the keyboard's macro area could not be read and the user does not
// confirm replacing it.
std::optional<int> ApplyAssignments(ConfigStore& applyStore, bool all,
                                    const ApplyServices& services);

// Snapshots the edit store into the apply store (image, macros, packed texts)
// and applies it. Takes the edit store's lock, then the apply store's. Every
// profile goes out, whatever `all` says, when the keyboard's macro numbers no
// longer mean the macros they did at the last apply, or are not known.
std::optional<int> ApplyFromEditStore(ConfigStore& editStore, ConfigStore& applyStore, bool all,
                                      const ApplyServices& services);

}  // namespace tessel
