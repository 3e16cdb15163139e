#include "model/KeyEditorEntry.h"

#include <algorithm>

#include "model/AssignmentLists.h"
#include "model/KeyCode.h"
#include "model/ProfileImage.h"

namespace tessel {

namespace {

bool IsShownByEditor(uint16_t type) {
    switch (static_cast<AssignmentType>(type)) {
        case AssignmentType::Default:
        case AssignmentType::Key:
        case AssignmentType::PlayMacro:
        case AssignmentType::Multimedia:
        case AssignmentType::FunctionKey:
            return true;
        default:
            return false;
    }
}

uint16_t TypeOf(AssignmentType type) {
    return static_cast<uint16_t>(type);
}

EntryEdit KeyEdit(int keyIndex, const KeyEditorChoice& choice, EntryEdit edit) {
    if (choice.source == KeySource::Mouse) {
        edit.value = kMouseChoiceCodes[std::clamp(choice.mouseChoice, 0, kMouseChoiceCount - 1)];
        return edit;
    }
    edit.value = choice.capturedCode;
    // A key assigned to itself keeps its default function.
    if (choice.capturedCode == kNoKey || KeyIndexOf(choice.capturedCode) == keyIndex) {
        edit.type = TypeOf(AssignmentType::Default);
    }
    return edit;
}

}  // namespace

std::optional<int> MouseChoiceOf(uint16_t code) {
    for (int i = 0; i < kMouseChoiceCount; ++i) {
        if (kMouseChoiceCodes[i] == code) {
            return i;
        }
    }
    return std::nullopt;
}

uint16_t CapturedCodeOfEntry(uint16_t type, uint32_t value) {
    if (type != TypeOf(AssignmentType::Key) || value > 0xFFFF) {
        return kNoKey;
    }
    return static_cast<uint16_t>(value);
}

std::optional<EntryEdit> BuildKeyEntry(int keyIndex, uint16_t storedType,
                                       const KeyEditorChoice& choice) {
    const auto category = static_cast<uint16_t>(choice.category);
    if (!IsShownByEditor(storedType) && category == storedType) {
        return std::nullopt;
    }
    EntryEdit edit{category, GKeyIdentifier(keyIndex), 0};
    switch (static_cast<AssignmentType>(category)) {
        case AssignmentType::Key:
            return KeyEdit(keyIndex, choice, edit);
        case AssignmentType::PlayMacro:
            if (!choice.macroIdentifier) {
                edit.type = TypeOf(AssignmentType::Default);
                return edit;
            }
            edit.value = *choice.macroIdentifier;
            // The cycle count takes the place of a G key's identifier.
            edit.auxiliary = static_cast<uint16_t>(
                std::clamp(choice.cycleCount, kMinCycleCount, kMaxCycleCount));
            return edit;
        case AssignmentType::Multimedia:
            edit.value =
                static_cast<uint32_t>(std::clamp(choice.multimediaIndex, 0, kMultimediaCount - 1));
            return edit;
        case AssignmentType::FunctionKey:
            edit.value =
                static_cast<uint32_t>(std::clamp(choice.functionIndex, 0, kFunctionKeyCount - 1));
            return edit;
        default:
            // Category 0 (Clear, or nothing chosen) gives the key its default.
            edit.type = TypeOf(AssignmentType::Default);
            return edit;
    }
}

int CycleCountOf(std::u16string_view text) {
    long number = 0;
    bool digits = false;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') {
            break;
        }
        digits = true;
        number = std::min<long>(number * 10 + (c - u'0'), kMaxCycleCount + 1);
    }
    if (!digits) {
        return kMinCycleCount;
    }
    return static_cast<int>(std::clamp<long>(number, kMinCycleCount, kMaxCycleCount));
}

}  // namespace tessel
