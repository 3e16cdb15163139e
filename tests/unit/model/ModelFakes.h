#pragma once
// A small fake of the text lookup for model tests.

#include <map>
#include <string>
#include <vector>

#include "text/TextLookup.h"

namespace tessel::test {

// Known keys give their text; an unknown key gives "#Error" as the language
// files do.
class FakeTextLookup : public TextLookup {
public:
    std::map<std::u16string, std::u16string, std::less<>> texts;

    std::u16string LocalText(std::u16string_view textKey) const override {
        auto found = texts.find(textKey);
        return found == texts.end() ? u"#Error" : found->second;
    }
};

}  // namespace tessel::test
