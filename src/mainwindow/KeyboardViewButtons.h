#pragma once
// How the keyboard picture reaches the main window's buttons, and the ids of
// the key-shaped buttons beyond the shared key and G-key tables.

#include <functional>

namespace tessel {

class CPngButton;

// The window's button with that control id; nullptr for an id it lacks.
using ButtonLookup = std::function<CPngButton*(int controlId)>;

inline constexpr int kEnterKeyId = 1070;
// Hidden and unlabelled; a click on it counts as one on Enter.
inline constexpr int kHiddenEnterId = 1057;
inline constexpr int kModeSwitchId = 1144;

// F1..F4 and their alternates D1..D6, chosen by the flip setting.
inline constexpr int kFirstFKeyId = 1010;
inline constexpr int kFlippedFKeyCount = 4;
inline constexpr int kF5KeyId = 1014;
inline constexpr int kFirstDKeyId = 1016;
inline constexpr int kDKeyCount = 6;

}  // namespace tessel
