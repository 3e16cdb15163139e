#pragma once
// Localised display names of keys.

#include <cstdint>
#include <span>
#include <string>

namespace tessel {

class LanguageTable;
class TextLookup;

// The key's name from the language file; a key without a name (or a code beyond
// the key table) gets the unknown-key text, formatted safely with the code.
std::u16string KeyNameOf(uint16_t code, const TextLookup& texts, const LanguageTable& table);

// The same into a caller's buffer of `buffer.size()` characters, cut to fit and
// always terminated. Returns the number of characters written before the
// terminator.
std::size_t KeyNameOf(uint16_t code, std::span<char16_t> buffer, const TextLookup& texts,
                      const LanguageTable& table);

// The name of the first record with that list id; empty if none or unnamed.
std::u16string KeyNameOfListId(uint16_t listId, const TextLookup& texts);

}  // namespace tessel
