// The key colours of the custom lighting effect shown as outlines, from the
// lighting model's colour mirror filled through the simulated keyboard.

#include <gtest/gtest.h>

#include "device/KeyboardSession.h"
#include "keyboard_test_window.h"
#include "mainwindow/KeyboardView.h"
#include "model/ConfigStore.h"
#include "model/LightingModel.h"
#include "storage/LightingFileStore.h"
#include "support/SimulatedKeyboard.h"
#include "support/TempFolder.h"
#include "text/LanguageTable.h"
#include "unit/model/ModelFakes.h"

namespace tessel {
namespace {

constexpr int kKeyQ = 1044;  // slot 18
constexpr int kKeyH = 1063;  // no LED of its own: slot 63
constexpr int kKeyJ = 1064;  // slot 63 as well
constexpr int kG1 = 1000;    // slot 39
constexpr int kG8 = 1142;    // no LED
constexpr int kG9 = 1143;    // no LED

class KeyColoursTest : public ::testing::Test {
protected:
    KeyColoursTest()
        : files_(skins_.Path(), data_.Path()),
          lighting_(session_, files_),
          view_(host_, window_.Lookup(), window_.Images(), store_, lookup_, table_) {}

    CPngButton& Button(int id) { return *window_.Button(id); }

    testing::TempFolder skins_;
    testing::TempFolder data_;
    test::SimulatedKeyboard keyboard_;
    // The colour mirror is what is shown; the frames' results are not awaited.
    KeyboardSession session_{keyboard_.Link(), [](std::function<void()>) {}};
    LightingFileStore files_;
    LightingModel lighting_;
    testing_support::KeyboardTestWindow window_;
    testing_support::FakeKeyboardHost host_;
    ConfigStore store_;
    test::FakeTextLookup lookup_;
    LanguageTable table_;
    KeyboardView view_;
};

TEST_F(KeyColoursTest, EachButtonIsOutlinedInItsLedSlotsColour) {
    lighting_.SetKeyColour({LightingButtonKind::Key, 16}, MakeColourRef(255, 0, 0), false);
    lighting_.SetKeyColour({LightingButtonKind::GKey, 0}, MakeColourRef(0, 0, 255), false);
    lighting_.SetKeyColour({LightingButtonKind::Key, 7}, MakeColourRef(1, 2, 3), false);
    lighting_.SetKeyColour({LightingButtonKind::Fn, 0}, MakeColourRef(9, 9, 9), false);

    view_.ShowKeyColours(lighting_);
    EXPECT_EQ(Button(kKeyQ).OutlineColour(), QColor(255, 0, 0));
    EXPECT_EQ(Button(kG1).OutlineColour(), QColor(0, 0, 255));
    EXPECT_EQ(Button(kFnButton.controlId).OutlineColour(), QColor(9, 9, 9));
    // Keys without an LED of their own show the shared slot.
    EXPECT_EQ(Button(kKeyJ).OutlineColour(), QColor(1, 2, 3));
    EXPECT_TRUE(Button(kKeyH).HasOutline());
    // G8 and G9 have no LED: nothing to show, they keep their pictures.
    EXPECT_FALSE(Button(kG8).HasOutline());
    EXPECT_FALSE(Button(kG9).HasOutline());
    EXPECT_EQ(window_.Drawn(kG8), window_.Picture(SkinImageSet::kNormal));

    // The colours of the current profile only.
    lighting_.SetCurrentProfile(1);
    view_.ShowKeyColours(lighting_);
    EXPECT_EQ(Button(kKeyQ).OutlineColour(), QColor(0, 0, 0));
}

}  // namespace
}  // namespace tessel
