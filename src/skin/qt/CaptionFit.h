#pragma once
// Captions that fit their box in every language: a text too wide for its box
// is drawn in smaller type, down to a floor, and then on two lines where the
// box is tall enough. A caption that still does not fit is cut.

#include <QFont>
#include <QRect>
#include <QSize>
#include <QStringList>

class QPainter;

namespace tessel {

// The smallest type a caption is shrunk to (6 points on a 96 dpi screen).
inline constexpr int kCaptionFloorPixels = 8;

struct CaptionLayout {
    QFont font;
    QStringList lines;  // one, or two when one line does not fit
    bool fits = true;   // false: even the floor size on two lines is cut
};

// `font` may be sized in points or pixels; the layout's font is in pixels
// when it had to shrink.
CaptionLayout FitCaption(const QString& text, const QFont& font, QSize box,
                         int floorPixels = kCaptionFloorPixels);

// Draws the lines of a layout as one block in box: horizontally by
// `alignment`'s horizontal flags, the block centred vertically.
void DrawCaptionLines(QPainter& painter, const CaptionLayout& layout, const QRect& box,
                      Qt::Alignment alignment);

}  // namespace tessel
