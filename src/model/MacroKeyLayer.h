#pragma once
// The nine macro keys on their two layers: which entries the active layer
// addresses, the captions it shows, and which keys carry an assignment.

#include <array>
#include <string_view>

#include "device/StatusWindow.h"
#include "model/ConfigStore.h"
#include "model/KeyButtons.h"

namespace tessel {

using MacroKeyMarks = std::array<bool, kGKeyButtonCount>;

// "A1".."A5" or "B1".."B5", then four empty captions.
std::u16string_view MacroKeyCaption(MacroLayer layer, int position);

// Keys whose entry in the active layer of `activeProfile` has a non-zero type,
// read under the store's lock. Nothing is marked for a profile outside 0..3.
MacroKeyMarks MarkedMacroKeys(const ConfigStore& editStore, int activeProfile, MacroLayer layer);

}  // namespace tessel
