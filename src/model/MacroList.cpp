#include "model/MacroList.h"

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
    std::u16string digits;
    unsigned value = number < 0 ? 0u - static_cast<unsigned>(number) : number;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value > 0);
    if (number < 0) {
        digits.insert(digits.begin(), u'-');
    }
    return std::u16string(prefix) + digits;
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

uint16_t StoredReleaseFlag(uint32_t typed) {
    return typed == kKeyUp ? kKeyUp : kKeyDown;
}

}  // namespace tessel
