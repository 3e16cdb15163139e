#pragma once
// On-board profiles as users number them ("1" to "4") and as the keyboard
// does (0 to 3).

#include <optional>
#include <string_view>

namespace tessel {

// The profile a user's number names; nothing for anything but a whole number
// from 1 to 4.
std::optional<int> ProfileOfUserNumber(std::string_view text);

}  // namespace tessel
