#include "model/AssignmentLists.h"

#include "model/KeyNames.h"
#include "text/LanguageTable.h"

namespace tessel {

std::optional<int> MultimediaIndexOfUsage(uint16_t usage) {
    for (int i = 0; i < kMultimediaCount; ++i) {
        if (kMultimediaList[i].usage == usage) {
            return i;
        }
    }
    return std::nullopt;
}

bool IsMultimediaKeyCode(uint16_t code) {
    for (const MultimediaEntry& entry : kMultimediaList) {
        if (entry.keyCode == code) {
            return true;
        }
    }
    return false;
}

std::u16string MultimediaName(int index, const TextLookup& texts, const LanguageTable& table) {
    if (index < 0 || index >= kMultimediaCount) {
        return {};
    }
    return KeyNameOf(kMultimediaList[index].keyCode, texts, table);
}

std::u16string FunctionKeyName(int index, const TextLookup& texts, const LanguageTable& table) {
    if (index < 0 || index >= kFunctionKeyCount) {
        return {};
    }
    return table.LocalisedText(kFunctionKeyDescEntries[index], texts);
}

}  // namespace tessel
