#include <gtest/gtest.h>

#include "model/MacroKeyLayer.h"

namespace tessel {
namespace {

TEST(MacroKeyLayerTest, CaptionsNameTheFirstFiveKeysOfEachLayer) {
    EXPECT_EQ(MacroKeyCaption(MacroLayer::A, 0), u"A1");
    EXPECT_EQ(MacroKeyCaption(MacroLayer::B, 4), u"B5");
    EXPECT_EQ(MacroKeyCaption(MacroLayer::B, 5), u"");
    EXPECT_EQ(MacroKeyCaption(MacroLayer::A, 8), u"");
    EXPECT_EQ(MacroKeyCaption(MacroLayer::A, 9), u"");
}

}  // namespace
}  // namespace tessel
