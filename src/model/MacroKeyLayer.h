#pragma once
// The captions the nine macro keys show on each of their two layers.

#include <string_view>

#include "device/StatusWindow.h"
#include "model/KeyButtons.h"

namespace tessel {

// "A1".."A5" or "B1".."B5", then four empty captions.
std::u16string_view MacroKeyCaption(MacroLayer layer, int position);

}  // namespace tessel
