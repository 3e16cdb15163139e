#include "model/ScanCodes.h"

#include "model/KeyCode.h"
#include "model/KeyTable.h"

namespace tessel {

namespace {

// evdev codes 1..83 and 86..88 are the set-1 make codes of the main block.
constexpr uint32_t kLastMainBlockEvdev = 88;
constexpr uint32_t kEvdevNumLock = 69;
constexpr uint32_t kEvdevZenkaku = 85;

struct EvdevKey {
    uint16_t evdev;
    uint16_t code;
};

// Everything outside the main block: the E0 keys, Pause and Num Lock (whose
// codes are swapped against their make codes), Print Screen, the Win and Menu
// keys, the language keys and the media and system keys.
constexpr EvdevKey kEvdevKeys[] = {
    {69, 0x145},   // Num Lock
    {89, 0x073},   // KEY_RO
    {92, 0x079},   // KEY_HENKAN
    {93, 0x070},   // KEY_KATAKANAHIRAGANA
    {94, 0x07B},   // KEY_MUHENKAN
    {96, 0x11C},   // keypad Enter
    {97, 0x11D},   // right Ctrl
    {98, 0x135},   // keypad /
    {99, 0x137},   // Print Screen (SysRq)
    {100, 0x138},  // right Alt
    {102, 0x147},  // Home
    {103, 0x148},  // Up
    {104, 0x149},  // Page Up
    {105, 0x14B},  // Left
    {106, 0x14D},  // Right
    {107, 0x14F},  // End
    {108, 0x150},  // Down
    {109, 0x151},  // Page Down
    {110, 0x152},  // Insert
    {111, 0x153},  // Delete
    {113, 0x120},  // Mute
    {114, 0x12E},  // Volume down
    {115, 0x130},  // Volume up
    {116, 0x15E},  // Power
    {119, 0x045},  // Pause
    {121, 0x07E},  // keypad comma
    {122, 0x072},  // Hangul
    {123, 0x071},  // Hanja
    {124, 0x07D},  // Yen
    {125, 0x15B},  // left Win
    {126, 0x15C},  // right Win
    {127, 0x15D},  // Menu
    {128, 0x168},  // WWW Stop
    {140, 0x121},  // Calculator
    {142, 0x15F},  // Sleep
    {143, 0x163},  // Wake
    {155, 0x16C},  // Mail
    {156, 0x166},  // WWW Favorites
    {157, 0x16B},  // My Computer
    {158, 0x16A},  // WWW Back
    {159, 0x169},  // WWW Forward
    {163, 0x119},  // Next track
    {164, 0x122},  // Play/Pause
    {165, 0x110},  // Previous track
    {166, 0x124},  // Stop
    {172, 0x132},  // WWW Home
    {173, 0x167},  // WWW Refresh
    {183, 0x064},  // F13
    {217, 0x165},  // WWW Search
    {226, 0x16D},  // Media player
};

}  // namespace

uint16_t KeyCodeOfEvdev(uint32_t evdevCode) {
    for (const EvdevKey& key : kEvdevKeys) {
        if (key.evdev == evdevCode) {
            return key.code;
        }
    }
    if (evdevCode == 0 || evdevCode == kEvdevNumLock || evdevCode == kEvdevZenkaku ||
        evdevCode > kLastMainBlockEvdev) {
        return kNoKey;
    }
    return static_cast<uint16_t>(evdevCode);
}

uint16_t KeyCodeOfNativeScanCode(uint32_t nativeScanCode) {
    if (nativeScanCode <= kNativeScanCodeOffset) {
        return kNoKey;
    }
    return KeyCodeOfEvdev(nativeScanCode - kNativeScanCodeOffset);
}

std::optional<HookKey> HookKeyOf(uint16_t keyCode) {
    if (keyCode == kNoKey || keyCode >= kFirstGKeyCode) {
        return std::nullopt;
    }
    const KeyRecord* record = KeyRecordOf(keyCode);
    if (record == nullptr || record->IsEmpty()) {
        return std::nullopt;
    }
    // The E0 keys carry their extended flag in bit 24, next to the make code.
    return HookKey{record->virtualKey, static_cast<uint32_t>(keyCode) << 16};
}

}  // namespace tessel
