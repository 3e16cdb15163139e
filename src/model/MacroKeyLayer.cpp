#include "model/MacroKeyLayer.h"

#include <array>

namespace tessel {

namespace {
constexpr std::array<std::u16string_view, kGKeyButtonCount> kLayerACaptions = {
    u"A1", u"A2", u"A3", u"A4", u"A5", u"", u"", u"", u""};
constexpr std::array<std::u16string_view, kGKeyButtonCount> kLayerBCaptions = {
    u"B1", u"B2", u"B3", u"B4", u"B5", u"", u"", u"", u""};
}  // namespace

std::u16string_view MacroKeyCaption(MacroLayer layer, int position) {
    if (position < 0 || position >= kGKeyButtonCount)
        return {};
    return layer == MacroLayer::B ? kLayerBCaptions[position] : kLayerACaptions[position];
}

}  // namespace tessel
