#pragma once
// How a key-shaped button of the main window shows its assignment: marked or
// not, and the tooltip that says what the key does. Every value taken from the
// entry is checked before it indexes a list.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "model/MacroRecord.h"
#include "model/ProfileImage.h"

namespace tessel {

class LanguageTable;
class TextLookup;

// Tooltips are composed in a 260-character buffer, terminator included.
inline constexpr std::size_t kMaxTooltipChars = 259;

struct AssignmentLabel {
    bool marked = false;
    std::u16string tooltip;

    friend bool operator==(const AssignmentLabel&, const AssignmentLabel&) = default;
};

// The texts a label is made of, looked up once per refresh.
struct AssignmentTooltipTexts {
    const TextLookup& texts;
    const LanguageTable& table;
};

// The base text of a key button: its key's localised name.
std::u16string KeyButtonLabel(uint16_t keyCode, const AssignmentTooltipTexts& texts);
// The base text of a G-key button: "G" followed by the G number 1..9.
std::u16string GKeyButtonLabel(int bankPosition);

// Unassigned (type 0): not marked, the label alone. Any other type: marked, the
// label followed by the set prompt and, for types 2, 4, 7 and 8, what the key
// does and ")". `macros` is the edit store's macro list. The text is cut to
// kMaxTooltipChars.
AssignmentLabel AssignmentTooltip(std::u16string_view label, const KeyAssignment& entry,
                                  std::span<const MacroRecord> macros,
                                  const AssignmentTooltipTexts& texts);

}  // namespace tessel
