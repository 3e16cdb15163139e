#pragma once
// Control ids of the key-assignment editor (template 134).

namespace tessel::composite_ids {

inline constexpr int kDialogId = 134;

// Page buttons, Clear, picture area and the dialog's own buttons.
inline constexpr int kKeyPageButton = 1028;
inline constexpr int kMacroPageButton = 1029;
inline constexpr int kMediaPageButton = 1030;
inline constexpr int kFunctionPageButton = 1031;
inline constexpr int kClear = 1032;
inline constexpr int kPictureArea = 1033;
inline constexpr int kTitle = 1131;
inline constexpr int kOnScreenKeyboard = 1132;
inline constexpr int kApply = 1015;
inline constexpr int kUnused = 1008;

// Key page.
inline constexpr int kKeyField = 1127;
inline constexpr int kKeyboardSource = 1185;
inline constexpr int kMouseSource = 1186;
inline constexpr int kMouseList = 1187;
inline constexpr int kKeyboardSourceLabel = 1134;
inline constexpr int kMouseSourceLabel = 1135;
inline constexpr int kKeyPrompt = 1201;

// Multimedia and function pages.
inline constexpr int kMediaList = 1128;
inline constexpr int kMediaLabel = 1202;
inline constexpr int kFunctionList = 1129;
inline constexpr int kFunctionLabel = 1203;

inline constexpr int kHeading = 1199;

// Macro page.
inline constexpr int kMacroBox = 1126;
inline constexpr int kMacroNameLabel = 1200;
inline constexpr int kAddMacro = 1017;
inline constexpr int kDeleteMacro = 1018;
inline constexpr int kActionList = 1019;
inline constexpr int kRecord = 1020;
inline constexpr int kDeleteAction = 1021;
inline constexpr int kClearActions = 1022;
inline constexpr int kMoveTop = 1023;
inline constexpr int kMoveUp = 1024;
inline constexpr int kMoveDown = 1025;
inline constexpr int kMoveBottom = 1026;
inline constexpr int kRecordDelay = 1027;
inline constexpr int kRecordDelayLabel = 1133;
inline constexpr int kCycles = 1125;
inline constexpr int kCyclesLabel = 1130;

// The main window's ninth G key: the editor opens restricted to macros.
inline constexpr int kMacroOnlyButton = 1143;

}  // namespace tessel::composite_ids
