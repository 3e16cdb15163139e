#pragma once
// The scene refresh at every attach: the keyboard stays the truth for what it
// plays, but what only the host keeps (texts of program and text-block
// entries, colour-selection flags, macro names the keyboard had no room for,
// exact recorded delays) is taken from the previous scene-mode file wherever
// that file still says what the keyboard holds.

#include "model/KeyAction.h"
#include "storage/ConfigFile.h"
#include "storage/KeyboardBackup.h"

namespace tessel {

struct MergedScene {
    Configuration configuration;
    // The keyboard's macro area did not decode and no earlier macros could
    // stand in for it: what the keyboard plays is unknown.
    bool macrosUnknown = false;
};

// `previous` may be nullptr (no earlier file). An entry whose previous form
// encodes to exactly the keyboard's key actions is kept whole, with its text;
// an entry the keyboard cannot hold (no key slot) is kept too; every other
// entry comes from the keyboard and keeps only the previous colour-selection
// flag and last field. A macro whose previous form packs to exactly the
// keyboard's keeps that form, and its name unless the keyboard carries one.
// When the keyboard's macro area does not decode, the previous macros stand.
MergedScene MergeWithPreviousScene(KeyboardContents keyboard, const Configuration* previous,
                                   const KeyBlock& defaults);

}  // namespace tessel
