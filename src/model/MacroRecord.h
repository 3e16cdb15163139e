#pragma once
// A macro as the configuration keeps it: a fixed 16512-byte record with a name
// and up to 2000 timed key actions.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tessel {

inline constexpr std::size_t kMacroNameChars = 250;  // terminator included
inline constexpr int kMaxMacroActions = 2000;
inline constexpr int kMaxMacros = 100;
inline constexpr std::size_t kMacroActionSize = 8;
inline constexpr std::size_t kMacroActionsOffset = 512;
inline constexpr std::size_t kMacroRecordSize =
    kMacroActionsOffset + kMaxMacroActions * kMacroActionSize;
static_assert(kMacroRecordSize == 16512);

struct MacroAction {
    uint32_t delay = 0;  // milliseconds until the next action
    uint16_t keyCode = 0;
    uint16_t release = 0;  // 0 the key goes down, 1 it goes up

    friend bool operator==(const MacroAction&, const MacroAction&) = default;
};

inline constexpr uint16_t kKeyDown = 0;
inline constexpr uint16_t kKeyUp = 1;

struct MacroRecord {
    std::array<char16_t, kMacroNameChars> name{};
    uint8_t cycleCount = 1;
    uint8_t reserved501 = 0;
    uint16_t fresh = 0;        // created since the macro editor opened
    uint16_t reserved504 = 0;  // kept as it is in files, never sent
    uint16_t identifier = 0;   // 1..100, unique in the list
    uint16_t actionCount = 0;  // 0..2000
    uint16_t reserved510 = 0;
    std::array<MacroAction, kMaxMacroActions> actions{};

    // The name up to its terminator (at most 250 characters).
    std::u16string Name() const;
    // Stores the name cut to 249 characters and terminated.
    void SetName(std::u16string_view text);
    // The actions that count, never more than 2000.
    std::span<const MacroAction> Actions() const;

    friend bool operator==(const MacroRecord&, const MacroRecord&) = default;
};

void EncodeMacroRecord(const MacroRecord& record, std::span<uint8_t, kMacroRecordSize> out);
// An action count beyond 2000 is limited to 2000.
void DecodeMacroRecord(std::span<const uint8_t, kMacroRecordSize> in, MacroRecord& record);

}  // namespace tessel
