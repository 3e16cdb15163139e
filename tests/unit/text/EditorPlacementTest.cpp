// Where an editor opened from a main-window button is placed on the screen.

#include <gtest/gtest.h>

#include "skin/EditorPlacement.h"

namespace tessel {
namespace {

TEST(EditorPlacement, TheFirstSideThatFitsWins) {
    const ScreenRect screen{0, 0, 1920, 1080};
    const int w = 640, h = 470;
    struct Case {
        const char* where;
        ScreenRect button;
        ScreenPoint expected;
    };
    const Case cases[] = {
        {"top left: right-below", {100, 100, 140, 140}, {140, 140}},
        {"bottom left: right-above", {100, 900, 140, 940}, {140, 430}},
        {"top right: left-below", {1800, 100, 1840, 140}, {1160, 140}},
        {"bottom right: left-above", {1800, 900, 1840, 940}, {1160, 430}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlaceBesideButton(screen, c.button, w, h, false), c.expected) << c.where;
    }
    // Nothing fits on a small screen: right-below all the same.
    EXPECT_EQ(PlaceBesideButton({0, 0, 800, 600}, {300, 200, 340, 240}, w, h, false),
              (ScreenPoint{340, 240}));
    EXPECT_EQ(PlaceBesideButton(screen, {100, 100, 140, 140}, w, h, true), (ScreenPoint{640, 305}));
    // A second screen to the right of the first.
    EXPECT_EQ(PlaceBesideButton({1920, 0, 3840, 1080}, {2000, 100, 2040, 140}, w, h, true),
              (ScreenPoint{2560, 305}));
}

}  // namespace
}  // namespace tessel
