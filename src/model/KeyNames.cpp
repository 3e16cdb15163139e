#include "model/KeyNames.h"

#include <algorithm>

#include "model/KeyTable.h"
#include "text/LanguageTable.h"
#include "text/SafeFormat.h"

namespace tessel {

std::u16string KeyNameOf(uint16_t code, const TextLookup& texts, const LanguageTable& table) {
    const KeyRecord* record = KeyRecordOf(code);
    if (record && record->textKey[0] != u'\0') {
        std::u16string name = texts.LocalText(record->textKey);
        if (!name.empty()) {
            return name;
        }
    }
    const std::u16string format = table.LocalisedText(TextKeyEntry::UNKNOWN_KEY, texts);
    return SafeFormat(format, {static_cast<unsigned>(code)});
}

std::size_t KeyNameOf(uint16_t code, std::span<char16_t> buffer, const TextLookup& texts,
                      const LanguageTable& table) {
    if (buffer.empty()) {
        return 0;
    }
    const std::u16string name = KeyNameOf(code, texts, table);
    const std::size_t length = std::min(name.size(), buffer.size() - 1);
    std::copy_n(name.begin(), length, buffer.begin());
    buffer[length] = u'\0';
    return length;
}

std::u16string KeyNameOfListId(uint16_t listId, const TextLookup& texts) {
    for (const KeyRecord& record : KeyTable()) {
        if (record.listId == listId) {
            return record.textKey[0] != u'\0' ? texts.LocalText(record.textKey) : u"";
        }
    }
    return {};
}

}  // namespace tessel
