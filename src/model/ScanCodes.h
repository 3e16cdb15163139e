#pragma once
// Key events of the desktop (Linux evdev key codes, the native scan code of an
// X11 or Wayland key event minus 8) as the keyboard's own key codes (set-1 make
// codes, 0x100 + make code for the E0 keys), and as the (virtual key, key data)
// pair a Windows keyboard hook would have delivered for them, so the editors
// decide with KeyCodeFromHook as they always did.

#include <cstdint>
#include <optional>

namespace tessel {

// Native scan codes of X11 and Wayland key events are evdev codes + 8.
inline constexpr uint32_t kNativeScanCodeOffset = 8;

// The key code of an evdev key code; 0 for a key the keyboard does not know.
uint16_t KeyCodeOfEvdev(uint32_t evdevCode);

// The key code of a native scan code; 0 for none (a synthetic event carries 0).
uint16_t KeyCodeOfNativeScanCode(uint32_t nativeScanCode);

// What a keyboard hook reports of a key: its virtual key and the key data
// whose bits 16..23 hold the scan code and bit 24 the extended (E0) flag.
struct HookKey {
    uint32_t virtualKey;
    uint32_t keyData;
};

// The hook pair of a key code of the key table; nothing for 0, G keys and
// codes without a record.
std::optional<HookKey> HookKeyOf(uint16_t keyCode);

// The hook pair of an event that carries no scan code: the virtual key alone.
inline HookKey HookKeyOfVirtualKey(uint32_t virtualKey) {
    return {virtualKey, 0};
}

}  // namespace tessel
