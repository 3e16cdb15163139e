#pragma once
// Placement of rotated button text. A rotated line is drawn from its start
// point, which the text-drawing rules compute as if the text were not rotated;
// the "heavy" style moves the rectangle so the rotated line sits in the middle.

namespace tessel {

struct TextBox {
    int left;
    int top;
    int right;
    int bottom;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

// escapement in tenths of a degree (counter-clockwise), (extentX, extentY) the
// unrotated text extent. Returns the rectangle to lay the text out in.
TextBox CentreTextForAngle(TextBox box, int escapement, int extentX, int extentY);

}  // namespace tessel
