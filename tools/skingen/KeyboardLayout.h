#pragma once

#include <array>

// The 104 keys of the main window's keyboard picture, in key units: a full-size
// board whose bottom row makes room for the Fn key between right Alt and right Win.
namespace skingen {

struct KeySpec {
    int keyIndex;        // names the skin entry "KEY_%03X"
    const char* legend;  // UTF-8; '\n' separates the shifted legend from the plain one
    double column;  // from the left edge of the main block; navigation starts at 15.5, keypad at 19
    int row;        // 0 function row, 1 to 5 the main rows
    double width = 1;
    double height = 1;
};

inline constexpr int kKeyCount = 104;
extern const std::array<KeySpec, kKeyCount> kKeys;

// The Fn key's place; its entry is "KEY_FN".
inline constexpr KeySpec kFnKey{0, "Fn", 11, 5};

}  // namespace skingen
