#pragma once
// The two lists a key can be assigned from by index: multimedia functions
// (type 7) and function keys (type 8).

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace tessel {

class LanguageTable;
class TextLookup;

struct MultimediaEntry {
    uint16_t usage;    // HID Consumer usage sent to the keyboard
    uint16_t keyCode;  // the key whose name labels the entry
};

inline constexpr int kMultimediaCount = 18;
inline constexpr int kFunctionKeyCount = 11;

// clang-format off
inline constexpr std::array<MultimediaEntry, kMultimediaCount> kMultimediaList = {{
    // consumer usage, key code (name)
    {0x183, 0x16D},  // Media Player
    {0x0CD, 0x122},  // Play/Pause
    {0x0B7, 0x124},  // Stop Play
    {0x0B6, 0x110},  // Prev Track
    {0x0B5, 0x119},  // Next Track
    {0x0EA, 0x12E},  // V-
    {0x0E9, 0x130},  // V+
    {0x0E2, 0x120},  // Mute
    {0x223, 0x132},  // WWW Home
    {0x227, 0x167},  // WWW Refresh
    {0x226, 0x168},  // WWW Stop
    {0x224, 0x16A},  // WWW Back
    {0x225, 0x169},  // WWW Forward
    {0x22A, 0x166},  // WWW Favorite
    {0x221, 0x165},  // WWW Search
    {0x194, 0x16B},  // My PC
    {0x192, 0x121},  // Calc
    {0x18A, 0x16C},  // Mail
}};
// clang-format on

// The list index of a consumer usage, nothing when the list lacks it.
std::optional<int> MultimediaIndexOfUsage(uint16_t usage);

// Keys of the multimedia list keep their effect on the desktop: the key
// capture and the recorder let them pass.
bool IsMultimediaKeyCode(uint16_t code);

// Display names; an index outside the list gives an empty text.
std::u16string MultimediaName(int index, const TextLookup& texts, const LanguageTable& table);
std::u16string FunctionKeyName(int index, const TextLookup& texts, const LanguageTable& table);

}  // namespace tessel
