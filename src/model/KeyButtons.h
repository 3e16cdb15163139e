#pragma once
// The main window's 104 key buttons and 9 G-key buttons: the one table that the
// lighting model, the key map and the editors iterate. A button's position is its
// identity wherever something is stored per button (colour-selection flag, LED
// slot, editor).

#include <array>
#include <cstdint>
#include <string>

#include "model/KeyCode.h"

namespace tessel {

inline constexpr int kKeyButtonCount = 104;
inline constexpr int kGKeyButtonCount = 9;
inline constexpr int kLedSlotCount = 64;
// Stands for "no LED slot" (G8, G9): colour changes for such buttons are dropped.
inline constexpr uint8_t kNoLedSlot = 125;
// Keys without an LED of their own all share the last slot.
inline constexpr uint8_t kSharedLedSlot = 63;

struct KeyButton {
    int position;
    int controlId;
    uint16_t code;
    uint8_t ledSlot;

    constexpr uint16_t KeyIndex() const { return KeyIndexOf(code); }
};

struct GKeyButton {
    int position;  // bank position 0..8 (G1..G9)
    int controlId;
    uint8_t ledSlot;

    constexpr int GNumber() const { return position + 1; }
    constexpr int KeyIndex(bool bankB) const { return GKeyIndex(position, bankB); }
    constexpr bool HasLedSlot() const { return ledSlot < kLedSlotCount; }
};

struct FnButton {
    int controlId;
    uint8_t ledSlot;
};

inline constexpr FnButton kFnButton = {1174, 42};

// clang-format off
inline constexpr std::array<KeyButton, kKeyButtonCount> kKeyButtons = {{
    // position, control id, key code, LED slot
    {0, 1058, 0x01E, 26},   // A
    {1, 1075, 0x030, 38},   // B
    {2, 1073, 0x02E, 36},   // C
    {3, 1060, 0x020, 28},   // D
    {4, 1046, 0x012, 20},   // E
    {5, 1061, 0x021, 29},   // F
    {6, 1062, 0x022, 30},   // G
    {7, 1063, 0x023, 63},   // H
    {8, 1051, 0x017, 63},   // I
    {9, 1064, 0x024, 63},   // J
    {10, 1065, 0x025, 63},  // K
    {11, 1066, 0x026, 63},  // L
    {12, 1077, 0x032, 7},   // M
    {13, 1076, 0x031, 44},  // N
    {14, 1052, 0x018, 63},  // O
    {15, 1053, 0x019, 45},  // P
    {16, 1044, 0x010, 18},  // Q
    {17, 1047, 0x013, 21},  // R
    {18, 1059, 0x01F, 27},  // S
    {19, 1048, 0x014, 63},  // T
    {20, 1050, 0x016, 63},  // U
    {21, 1074, 0x02F, 37},  // V
    {22, 1045, 0x011, 19},  // W
    {23, 1072, 0x02D, 35},  // X
    {24, 1049, 0x015, 63},  // Y
    {25, 1071, 0x02C, 34},  // Z
    {26, 1030, 0x002, 10},  // 1
    {27, 1031, 0x003, 11},  // 2
    {28, 1032, 0x004, 12},  // 3
    {29, 1033, 0x005, 13},  // 4
    {30, 1034, 0x006, 14},  // 5
    {31, 1035, 0x007, 15},  // 6
    {32, 1036, 0x008, 63},  // 7
    {33, 1037, 0x009, 63},  // 8
    {34, 1038, 0x00A, 63},  // 9
    {35, 1039, 0x00B, 63},  // 0
    {36, 1070, 0x01C, 63},  // Enter
    {37, 1022, 0x001, 1},   // Esc
    {38, 1043, 0x00E, 34},  // Backspace
    {39, 1056, 0x00F, 17},  // Tab
    {40, 1090, 0x039, 46},  // Space
    {41, 1040, 0x00C, 63},  // -
    {42, 1041, 0x00D, 63},  // =
    {43, 1054, 0x01A, 63},  // [
    {44, 1055, 0x01B, 63},  // ]
    {45, 1042, 0x02B, 63},  // backslash
    {46, 1067, 0x027, 63},  // ;
    {47, 1068, 0x028, 63},  // '
    {48, 1029, 0x029, 63},  // `
    {49, 1078, 0x033, 63},  // comma
    {50, 1079, 0x034, 63},  // .
    {51, 1080, 0x035, 63},  // /
    {52, 1010, 0x03B, 3},   // F1
    {53, 1011, 0x03C, 4},   // F2
    {54, 1012, 0x03D, 5},   // F3
    {55, 1013, 0x03E, 6},   // F4
    {56, 1014, 0x03F, 63},  // F5
    {57, 1015, 0x040, 63},  // F6
    {58, 1023, 0x041, 63},  // F7
    {59, 1024, 0x042, 63},  // F8
    {60, 1025, 0x043, 63},  // F9
    {61, 1026, 0x044, 63},  // F10
    {62, 1027, 0x057, 63},  // F11
    {63, 1028, 0x058, 63},  // F12
    {64, 1091, 0x137, 63},  // Print Screen
    {65, 1093, 0x045, 63},  // Pause
    {66, 1094, 0x152, 63},  // Insert
    {67, 1097, 0x153, 63},  // Delete
    {68, 1095, 0x147, 63},  // Home
    {69, 1098, 0x14F, 63},  // End
    {70, 1096, 0x149, 63},  // Page Up
    {71, 1099, 0x151, 63},  // Page Down
    {72, 1103, 0x148, 63},  // Up
    {73, 1101, 0x150, 63},  // Down
    {74, 1100, 0x14B, 63},  // Left
    {75, 1102, 0x14D, 63},  // Right
    {76, 1092, 0x046, 63},  // Scroll Lock
    {77, 1069, 0x03A, 25},  // Caps Lock
    {78, 1088, 0x15D, 63},  // App
    {79, 1083, 0x01D, 41},  // Ctrl
    {80, 1089, 0x11D, 63},  // Right Ctrl
    {81, 1082, 0x02A, 33},  // Shift
    {82, 1081, 0x036, 63},  // Right Shift
    {83, 1085, 0x038, 43},  // Alt
    {84, 1086, 0x138, 63},  // Right Alt
    {85, 1084, 0x15B, 63},  // Win
    {86, 1087, 0x15C, 63},  // Right Win
    {87, 1115, 0x04F, 63},  // Num 1
    {88, 1116, 0x050, 63},  // Num 2
    {89, 1117, 0x051, 63},  // Num 3
    {90, 1112, 0x04B, 63},  // Num 4
    {91, 1113, 0x04C, 63},  // Num 5
    {92, 1114, 0x04D, 63},  // Num 6
    {93, 1108, 0x047, 63},  // Num 7
    {94, 1109, 0x048, 63},  // Num 8
    {95, 1110, 0x049, 63},  // Num 9
    {96, 1120, 0x052, 63},  // Num 0
    {97, 1104, 0x145, 63},  // Num Lock
    {98, 1118, 0x11C, 63},  // Num Enter
    {99, 1119, 0x053, 63},  // Num .
    {100, 1105, 0x135, 63}, // Num /
    {101, 1106, 0x037, 63}, // Num *
    {102, 1107, 0x04A, 63}, // Num -
    {103, 1111, 0x04E, 63}, // Num +
}};

inline constexpr std::array<GKeyButton, kGKeyButtonCount> kGKeyButtons = {{
    // bank position, control id, LED slot
    {0, 1000, 39},          // G1
    {1, 1001, 8},           // G2
    {2, 1002, 16},          // G3
    {3, 1003, 24},          // G4
    {4, 1004, 32},          // G5
    {5, 1140, 9},           // G6
    {6, 1141, 22},          // G7
    {7, 1142, kNoLedSlot},  // G8
    {8, 1143, kNoLedSlot},  // G9
}};
// clang-format on

// Skin entry of a key button: "KEY_%03X" with the key index (not the code).
std::u16string SkinEntryName(const KeyButton& button);
// Skin entry of a G-key button: "FUNC_G%d" with the G number 1..9.
std::u16string SkinEntryName(const GKeyButton& button);

// The key button bound to a control id, or nullptr.
const KeyButton* KeyButtonOfControl(int controlId);
// The G-key button bound to a control id, or nullptr.
const GKeyButton* GKeyButtonOfControl(int controlId);

}  // namespace tessel
