#pragma once
// Ids and messages of the main window that more than one of its parts uses.

#include <cstdint>

#include "platform/MainWindowRequests.h"

namespace tessel {

struct DialogTemplate;

inline constexpr int kMainDialogId = 102;
inline constexpr int kApplicationIconId = 128;

// Controls of the window itself.
inline constexpr int kIdApply = 1006;
inline constexpr int kIdHelp = 1122;
inline constexpr int kIdMinimise = 1123;
inline constexpr int kIdClose = 1124;

// Commands on whole profiles and the buttons around the keyboard.
inline constexpr int kIdSceneButton = 1005;
inline constexpr int kIdMacroButton = 1007;
inline constexpr int kIdSceneMenuButton = 1009;  // hidden; pops up the scene menu
inline constexpr int kIdTestButton = 1008;       // hidden; sends the keyboard's test command
inline constexpr int kIdLink = 1121;
inline constexpr int kIdVersionLabel = 1134;
inline constexpr int kIdDefaults = 1138;
inline constexpr int kIdCommandMenu = 1139;
inline constexpr int kProfileButtonIds[] = {1135, 1136, 1137, 1199};
inline constexpr int kReportRateButtonIds[] = {1147, 1168, 1169, 1170};

// The command menu's items.
inline constexpr int kCommandImport = 32776;
inline constexpr int kCommandExport = 32777;
// The window of the application rules (command menu and tray menu).
inline constexpr int kCommandAppProfiles = 32790;

// Tray icon and its menu (the menu's resource id is the icon id).
inline constexpr int kTrayIconId = 140;
inline constexpr uint32_t kTrayCallbackMessage = 0x06BD;
inline constexpr int kCommandOpen = 32771;
inline constexpr int kCommandAbout = 32773;
inline constexpr int kCommandExit = 32774;
// The system menu's "&About..." item.
inline constexpr int kCommandSystemAbout = 16;

inline constexpr int kProfileFollowTimerId = 1051;

// Template 102: the controls the window's own life cycle drives.
const DialogTemplate& MainDialogTemplate();

}  // namespace tessel
