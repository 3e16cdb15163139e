#pragma once
// Assignments a key block cannot carry: the keyboard keeps an action only in
// the slots its default key block names, so a key without such a slot keeps
// its own function whatever the program assigns to it.

#include <vector>

#include "model/KeyAction.h"

namespace tessel {

struct ProfileImage;

// Key indices of the profile's assigned entries that no slot of `defaults`
// names, in index order. None when `defaults` names no key at all (a key
// block that was never read).
std::vector<int> UnplacedAssignments(const ProfileImage& image, int profile,
                                     const KeyBlock& defaults);

}  // namespace tessel
