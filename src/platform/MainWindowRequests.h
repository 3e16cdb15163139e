#pragma once
// The private requests the main window answers, from other instances, from the
// keyboard's worker threads and from itself: message numbers and their
// four-character tags (wParam; lParam 0 unless stated).

#include <cstdint>

namespace tessel {

// Show the window (OPEN); REV is sent on attach and ignored.
inline constexpr uint32_t kOpenMessage = 0x5350;
inline constexpr uint32_t kOpenTag = 0x4F50454E;  // 'OPEN'
inline constexpr uint32_t kRevTag = 0x00524556;   // 'REV'
// Run the exit sequence.
inline constexpr uint32_t kKillMessage = 0x4D4B;
inline constexpr uint32_t kKillTag = 0x4C4C494B;  // 'KILL'
// Finish start-up; posted by the window to itself.
inline constexpr uint32_t kInitMessage = 0x4D4E;
inline constexpr uint32_t kInitTag = 0x494E4954;  // 'INIT'
// Relabel for the language index in lParam.
inline constexpr uint32_t kLanguageMessage = 0x5041;
inline constexpr uint32_t kLanguageTag = 0x4C414E47;  // 'LANG'
// Reload the view after a keyboard was attached.
inline constexpr uint32_t kProfileReloadMessage = 0x5452;
inline constexpr uint32_t kProfTag = 0x50524F46;  // 'PROF'
// Close every open editor.
inline constexpr uint32_t kCloseEditorsMessage = 0x4753;
// A keyboard command typed at a terminal, carried out by the running instance:
// the tag says which, lParam carries the profile (0..3), the payload the
// file's absolute path. Answered with 1 or 0 and one line of text.
inline constexpr uint32_t kKeyboardCommandMessage = 0x4B43;
inline constexpr uint32_t kBackupTag = 0x504B4342;   // 'BCKP'
inline constexpr uint32_t kRestoreTag = 0x52545352;  // 'RSTR'
inline constexpr uint32_t kProfileTag = 0x454C4650;  // 'PFLE'
// Mark the macro keys of the active layer.
inline constexpr uint32_t kLayerKeysMessage = 0x5045;
inline constexpr uint32_t kLedTag = 0x004C4544;  // 'LED'
// A window command (wParam: command id), as a menu item would give it.
inline constexpr uint32_t kCommandMessage = 0x0111;
// The commands other programs give the window: open the firmware update
// dialog; reload the language table and relabel.
inline constexpr uintptr_t kCommandUpdate = 32780;
inline constexpr uintptr_t kCommandLanguage = 32784;

}  // namespace tessel
