#pragma once
// Text of skinned buttons, laid out by the flags of the Windows text-drawing
// call that the skin files and the button styles are written for.

#include <QRect>
#include <QString>
#include <Qt>

class QPainter;

namespace tessel {

// Text-format flags as the skins use them.
inline constexpr unsigned kTextCentre = 0x01;
inline constexpr unsigned kTextRight = 0x02;
inline constexpr unsigned kTextVCentre = 0x04;
inline constexpr unsigned kTextBottom = 0x08;
inline constexpr unsigned kTextWordBreak = 0x10;
inline constexpr unsigned kTextSingleLine = 0x20;
inline constexpr unsigned kTextNoPrefix = 0x800;

// Qt flags for unrotated text of several lines (vertical placement only
// applies to a single line).
int QtTextFlags(unsigned format);

// Start point (top-left of the unrotated line) of a single line of extent
// width x height laid out in box by format.
QPoint TextStartPoint(const QRect& box, unsigned format, int width, int height);

// Draws text in box; a non-zero escapement (tenths of a degree,
// counter-clockwise) rotates the line around its start point.
void DrawFormattedText(QPainter& painter, const QString& text, const QRect& box, unsigned format,
                       int escapement);

}  // namespace tessel
