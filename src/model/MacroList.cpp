#include "model/MacroList.h"

#include <algorithm>

#include "text/DecimalText.h"

namespace tessel {

int MacroPosition(std::span<const MacroRecord> list, uint32_t identifier) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].identifier == identifier) {
            return static_cast<int>(i);
        }
    }
    return 0;
}

int MacroPosition(const ConfigStore& store, uint32_t identifier) {
    auto lock = store.Lock();
    return MacroPosition(store.Macros(), identifier);
}

uint16_t NewMacroIdentifier(std::span<const MacroRecord> list) {
    for (uint16_t candidate = 1; candidate <= kMaxMacros; ++candidate) {
        bool used = false;
        for (const MacroRecord& macro : list) {
            used = used || macro.identifier == candidate;
        }
        if (!used) {
            return candidate;
        }
    }
    return 0;
}

std::u16string NumberedMacroName(std::u16string_view prefix, int number) {
    return std::u16string(prefix) + DecimalText(number);
}

bool AddNewMacro(std::vector<MacroRecord>& list, std::u16string_view name) {
    const uint16_t identifier = NewMacroIdentifier(list);
    if (list.size() >= kMaxMacros || identifier == 0) {
        return false;
    }
    MacroRecord& macro = list.emplace_back();
    macro.SetName(name);
    macro.identifier = identifier;
    macro.cycleCount = 1;
    macro.fresh = 1;
    return true;
}

bool AppendMacroAction(MacroRecord& macro, MacroAction action) {
    if (macro.actionCount >= kMaxMacroActions) {
        return false;
    }
    macro.actions[macro.actionCount++] = action;
    return true;
}

TypedDelay LimitTypedDelay(uint32_t typed) {
    const bool capped = typed > kMaxTypedDelay;
    const uint32_t limited = capped ? kMaxTypedDelay : typed;
    return {limited - limited % kDelayStep, capped};
}

char16_t FoldNameCase(char16_t c) {
    // Latin letters, also full width as Chinese and Korean input gives them.
    if ((c >= u'A' && c <= u'Z') || (c >= 0xFF21 && c <= 0xFF3A)) {
        return static_cast<char16_t>(c + 0x20);
    }
    // Latin-1: À..Þ except the multiplication sign.
    if (c >= 0x00C0 && c <= 0x00DE && c != 0x00D7) {
        return static_cast<char16_t>(c + 0x20);
    }
    // Latin Extended-A (Œ, Ÿ, Ĳ and the letters of the other European
    // languages): capital and small letters alternate.
    if ((c >= 0x0100 && c <= 0x012F) || (c >= 0x0132 && c <= 0x0137) ||
        (c >= 0x014A && c <= 0x0177)) {
        return static_cast<char16_t>(c | 1);
    }
    if ((c >= 0x0139 && c <= 0x0148) || (c >= 0x0179 && c <= 0x017E)) {
        return static_cast<char16_t>(c % 2 == 1 ? c + 1 : c);
    }
    if (c == 0x0178) {
        return 0x00FF;  // Ÿ
    }
    if (c == 0x017F) {
        return u's';  // long s
    }
    // Greek, with the accented capitals and the final sigma.
    if (c >= 0x0391 && c <= 0x03AB && c != 0x03A2) {
        return static_cast<char16_t>(c + 0x20);
    }
    if (c == 0x0386) {
        return 0x03AC;
    }
    if (c >= 0x0388 && c <= 0x038A) {
        return static_cast<char16_t>(c + 0x25);
    }
    if (c == 0x038C) {
        return 0x03CC;
    }
    if (c == 0x038E || c == 0x038F) {
        return static_cast<char16_t>(c + 0x3F);
    }
    if (c == 0x03C2) {
        return 0x03C3;
    }
    // Cyrillic.
    if (c >= 0x0400 && c <= 0x040F) {
        return static_cast<char16_t>(c + 0x50);
    }
    if (c >= 0x0410 && c <= 0x042F) {
        return static_cast<char16_t>(c + 0x20);
    }
    return c;
}

bool BeginsWithIgnoringCase(std::u16string_view text, std::u16string_view start) {
    return text.size() >= start.size() &&
           std::equal(start.begin(), start.end(), text.begin(),
                      [](char16_t a, char16_t b) { return FoldNameCase(a) == FoldNameCase(b); });
}

uint16_t StoredReleaseFlag(uint32_t typed) {
    return typed == kKeyUp ? kKeyUp : kKeyDown;
}

}  // namespace tessel
