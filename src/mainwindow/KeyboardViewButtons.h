#pragma once
// How the keyboard picture reaches the main window's buttons, and the ids of
// the buttons it drives beyond the shared key and G-key tables.

#include <functional>

namespace tessel {

class CPngButton;

// The window's button with that control id; nullptr for an id it lacks.
using ButtonLookup = std::function<CPngButton*(int controlId)>;

namespace keyboard_ids {

inline constexpr int kEnter = 1070;
// Hidden and unlabelled; a click on it counts as one on Enter.
inline constexpr int kHiddenEnter = 1057;
inline constexpr int kModeSwitch = 1144;

// F1..F4 and their alternates D1..D6, chosen by the flip setting.
inline constexpr int kFirstFKey = 1010;
inline constexpr int kFlippedFKeyCount = 4;
inline constexpr int kF5 = 1014;
inline constexpr int kFirstDKey = 1016;
inline constexpr int kDKeyCount = 6;

inline constexpr int kFlipIndicator = 1129;
inline constexpr int kLeftFlipButton = 1130;
inline constexpr int kRightFlipButton = 1131;
inline constexpr int kLeftArrow = 1132;
inline constexpr int kRightArrow = 1133;

}  // namespace keyboard_ids

}  // namespace tessel
