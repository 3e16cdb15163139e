#pragma once
// The entry the key-assignment editor writes for its choice: type, auxiliary
// and value, from the page the user ended on and what that page shows.

#include <cstdint>
#include <optional>
#include <string_view>

#include "model/KeyCode.h"

namespace tessel {

inline constexpr int kMouseChoiceCount = 5;
inline constexpr int kMinCycleCount = 1;
inline constexpr int kMaxCycleCount = 255;

// Left, right, middle button, wheel up, wheel down: the mouse list's order.
inline constexpr uint16_t kMouseChoiceCodes[kMouseChoiceCount] = {
    keycode::kMouseLeft, keycode::kMouseRight, keycode::kMouseMiddle, keycode::kWheelUp,
    keycode::kWheelDown};

// The mouse list position of a key code; nothing for a code not in it.
std::optional<int> MouseChoiceOf(uint16_t code);

// The key the key page starts with: the value of a key entry (type 2); no key
// for any other type, whose value means something else (a macro, a list
// position, a text) or nothing.
uint16_t CapturedCodeOfEntry(uint16_t type, uint32_t value);

enum class KeySource { Keyboard, Mouse };

struct KeyEditorChoice {
    int category = 0;  // 0 default, 2 key or mouse, 4 macro, 7 multimedia, 8 function key
    KeySource source = KeySource::Keyboard;
    uint16_t capturedCode = 0;
    int mouseChoice = 0;
    // The identifier of the selected macro; nothing when the list is empty or
    // nothing is selected.
    std::optional<uint16_t> macroIdentifier;
    int cycleCount = kMinCycleCount;
    int multimediaIndex = 0;
    int functionIndex = 0;
};

struct EntryEdit {
    uint16_t type = 0;
    uint16_t auxiliary = 0;
    uint32_t value = 0;
    friend bool operator==(const EntryEdit&, const EntryEdit&) = default;
};

// The edit for the entry of `keyIndex` whose stored type is `storedType`.
// Nothing when the entry must stay as it is: a type the editor cannot show
// (disabled, launch program, stop macro, text block) that the user did not
// replace by another category.
std::optional<EntryEdit> BuildKeyEntry(int keyIndex, uint16_t storedType,
                                       const KeyEditorChoice& choice);

// The cycle count field's text as a count: a decimal number clamped to
// 1..255; an empty or non-numeric text counts as 1.
int CycleCountOf(std::u16string_view text);

}  // namespace tessel
