#pragma once
// Where an editor opened from a button of the main window goes: beside the
// button, on the first side where it fits on the screen, or centred.

namespace tessel {

struct ScreenRect {
    int left, top, right, bottom;  // right and bottom exclusive
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

struct ScreenPoint {
    int x, y;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// Top-left corner of a dialog of width w and height h. Centred on the screen
// when `centred`; otherwise right-below, right-above, left-below, left-above of
// the button, the first that fits, else right-below regardless.
ScreenPoint PlaceBesideButton(const ScreenRect& screen, const ScreenRect& button, int w, int h,
                              bool centred);

}  // namespace tessel
