#pragma once
// What the program learns from the keyboard on every attach and needs when it
// applies: the keyboard's default key block, its macro capacity and whether its
// macro area could be read. Written by the presence worker and the scene load,
// read by the apply; safe from any thread.

#include <cstdint>
#include <mutex>
#include <span>

#include "device/DeviceLink.h"
#include "model/KeyAction.h"

namespace tessel {

inline constexpr std::size_t kMacroCapacityByte = 11;
inline constexpr uint32_t kMacroCapacityUnit = 128;

// What the program knows of the keyboard's macro area.
enum class MacroAreaKnowledge {
    Known,       // read, written, or stood in for by the scene file's macros
    Unreadable,  // read but not decodable
    NotRead,     // the keyboard could not be read
};

class KeyboardFacts {
public:
    // Until the keyboard's own is read, the built-in default block applies and
    // the capacity is 0 (every apply is refused).
    KeyboardFacts();

    void SetDefaultKeyBlock(const KeyBlock& block);
    // Capacity = byte 11 of the device information block x 128 bytes.
    void SetDeviceInfo(std::span<const uint8_t, kDeviceInfoSize> info);

    KeyBlock DefaultKeyBlock() const;
    uint32_t MacroCapacity() const;

    // While the program does not know what the keyboard's macro area holds,
    // an apply must ask before it replaces macros that may still play.
    void SetMacroArea(MacroAreaKnowledge knowledge);
    MacroAreaKnowledge MacroArea() const;
    bool MacroAreaUnknown() const { return MacroArea() != MacroAreaKnowledge::Known; }

private:
    mutable std::mutex mutex_;
    KeyBlock defaultKeyBlock_;
    uint32_t macroCapacity_ = 0;
    MacroAreaKnowledge macroArea_ = MacroAreaKnowledge::Known;
};

}  // namespace tessel
