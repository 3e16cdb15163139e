#pragma once
// What the rest of the core needs of the language files: the text of a text key
// in the current language.

#include <string>
#include <string_view>

namespace tessel {

class TextLookup {
public:
    virtual ~TextLookup() = default;
    virtual std::u16string LocalText(std::u16string_view textKey) const = 0;
};

}  // namespace tessel
