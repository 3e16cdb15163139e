#include "model/AssignmentTooltip.h"

#include <algorithm>

#include "model/AssignmentLists.h"
#include "model/KeyNames.h"
#include "text/LanguageTable.h"
#include "text/SafeFormat.h"

namespace tessel {

namespace {

constexpr uint32_t kLargestKeyCode = 0xFFFF;

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

// Cut to the tooltip buffer without leaving half of a surrogate pair behind.
void CutToTooltip(std::u16string& text) {
    if (text.size() <= kMaxTooltipChars) {
        return;
    }
    std::size_t length = kMaxTooltipChars;
    if (IsHighSurrogate(text[length - 1])) {
        --length;
    }
    text.resize(length);
}

// A value that is no 16-bit key code still gets the unknown-key text, with the
// whole value rather than a wrapped one.
std::u16string AssignedKeyName(uint32_t value, const AssignmentTooltipTexts& texts) {
    if (value <= kLargestKeyCode) {
        return KeyNameOf(static_cast<uint16_t>(value), texts.texts, texts.table);
    }
    const std::u16string format = texts.table.LocalisedText(TextKeyEntry::UNKNOWN_KEY, texts.texts);
    return SafeFormat(format, {static_cast<unsigned long>(value)});
}

std::u16string MacroNameOf(uint32_t identifier, std::span<const MacroRecord> macros) {
    const auto found = std::find_if(macros.begin(), macros.end(), [&](const MacroRecord& macro) {
        return macro.identifier == identifier;
    });
    return found == macros.end() ? std::u16string() : found->Name();
}

// Indices beyond the lists give no name: the prompt is followed by ")".
int ListIndex(uint32_t value, int listSize) {
    return value < static_cast<uint32_t>(listSize) ? static_cast<int>(value) : -1;
}

}  // namespace

std::u16string KeyButtonLabel(uint16_t keyCode, const AssignmentTooltipTexts& texts) {
    return KeyNameOf(keyCode, texts.texts, texts.table);
}

std::u16string GKeyButtonLabel(int bankPosition) {
    return SafeFormat(u"G%d", {bankPosition + 1});
}

AssignmentLabel AssignmentTooltip(std::u16string_view label, const KeyAssignment& entry,
                                  std::span<const MacroRecord> macros,
                                  const AssignmentTooltipTexts& texts) {
    AssignmentLabel result;
    result.tooltip.assign(label);
    if (entry.type == static_cast<uint16_t>(AssignmentType::Default)) {
        CutToTooltip(result.tooltip);
        return result;
    }
    result.marked = true;
    const auto prompt = [&](TextKeyEntry which) {
        return texts.table.LocalisedText(which, texts.texts);
    };
    std::u16string& text = result.tooltip;
    text += prompt(TextKeyEntry::KEY_PROMPT_SET);
    switch (static_cast<AssignmentType>(entry.type)) {
        case AssignmentType::Key:
            text += prompt(TextKeyEntry::KEY_PROMPT_SINGLE);
            text += AssignedKeyName(entry.value, texts);
            text += u')';
            break;
        case AssignmentType::PlayMacro:
            text += prompt(TextKeyEntry::KEY_PROMPT_MACRO);
            text += MacroNameOf(entry.value, macros);
            text += u')';
            break;
        case AssignmentType::Multimedia:
            text += prompt(TextKeyEntry::KEY_PROMPT_MEDIA);
            text +=
                MultimediaName(ListIndex(entry.value, kMultimediaCount), texts.texts, texts.table);
            text += u')';
            break;
        case AssignmentType::FunctionKey:
            text += prompt(TextKeyEntry::KEY_PROMPT_FUNCTION);
            text += FunctionKeyName(ListIndex(entry.value, kFunctionKeyCount), texts.texts,
                                    texts.table);
            text += u')';
            break;
        default:
            break;
    }
    CutToTooltip(text);
    return result;
}

}  // namespace tessel
