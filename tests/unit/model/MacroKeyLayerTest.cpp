#include <gtest/gtest.h>

#include "model/MacroKeyLayer.h"
#include "model/ProfileImage.h"

namespace tessel {
namespace {

TEST(MacroKeyLayerTest, CaptionsNameTheFirstFiveKeysOfEachLayer) {
    EXPECT_EQ(MacroKeyCaption(MacroLayer::A, 0), u"A1");
    EXPECT_EQ(MacroKeyCaption(MacroLayer::B, 4), u"B5");
    EXPECT_EQ(MacroKeyCaption(MacroLayer::B, 5), u"");
    EXPECT_EQ(MacroKeyCaption(MacroLayer::A, 8), u"");
    EXPECT_EQ(MacroKeyCaption(MacroLayer::A, 9), u"");
}

TEST(MacroKeyLayerTest, MarksFollowTheActiveLayerAndProfile) {
    ConfigStore store;
    store.SetImage(DefaultImage());
    EntryFor(*store.Image(), 2, 256 + 0)->type = 4;  // G1, layer A
    EntryFor(*store.Image(), 2, 265 + 8)->type = 1;  // G9, layer B
    EntryFor(*store.Image(), 1, 256 + 3)->type = 1;  // another profile

    const MacroKeyMarks layerA = MarkedMacroKeys(store, 2, MacroLayer::A);
    const MacroKeyMarks layerB = MarkedMacroKeys(store, 2, MacroLayer::B);
    EXPECT_EQ(layerA,
              (MacroKeyMarks{true, false, false, false, false, false, false, false, false}));
    EXPECT_EQ(layerB,
              (MacroKeyMarks{false, false, false, false, false, false, false, false, true}));
}

TEST(MacroKeyLayerTest, UnknownProfileOrMissingImageMarksNothing) {
    ConfigStore store;
    EXPECT_EQ(MarkedMacroKeys(store, 0, MacroLayer::A), MacroKeyMarks{});
    store.SetImage(DefaultImage());
    EntryFor(*store.Image(), 0, 256)->type = 1;
    EXPECT_EQ(MarkedMacroKeys(store, -1, MacroLayer::A), MacroKeyMarks{});
    EXPECT_EQ(MarkedMacroKeys(store, 4, MacroLayer::A), MacroKeyMarks{});
}

}  // namespace
}  // namespace tessel
