#pragma once
// Translation between the profile image's entries and the keyboard's key
// blocks: every slot whose default action stands for a key takes what the key's
// entry says; the other slots keep their default.

#include <span>

#include "model/ConfigStore.h"
#include "model/KeyAction.h"
#include "model/MacroRecord.h"
#include "model/ProfileImage.h"

namespace tessel {

// What the keyboard is sent for an entry in a slot with that default action.
// `macros` resolves a macro identifier to its position.
KeyAction EncodeAssignment(const KeyAssignment& entry, KeyAction defaultAction,
                           std::span<const MacroRecord> macros);

// The key block of a profile (0..3) from the defaults and the image's entries.
KeyBlock BuildKeyBlock(const ProfileImage& image, std::span<const MacroRecord> macros, int profile,
                       const KeyBlock& defaults);
// The same over a store (the apply store), under its lock. Without an image
// the block is the default block.
KeyBlock BuildKeyBlock(const ConfigStore& store, int profile, const KeyBlock& defaults);

// Replaces the profile's entries by what a key block read from the keyboard
// says. False (and nothing changed) for a profile outside 0..3.
bool DecodeKeyBlock(const KeyBlock& block, int profile, const KeyBlock& defaults,
                    ProfileImage& image);

}  // namespace tessel
