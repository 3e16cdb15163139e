#pragma once
// Text lookup over a map; an unknown key gives "#Error" as the language files do.

#include <map>
#include <string>

#include "text/TextLookup.h"

namespace tessel::testing {

class MapTextLookup final : public TextLookup {
public:
    std::map<std::u16string, std::u16string, std::less<>> texts;

    std::u16string LocalText(std::u16string_view textKey) const override {
        const auto found = texts.find(textKey);
        return found == texts.end() ? u"#Error" : found->second;
    }
};

}  // namespace tessel::testing
