#pragma once
// The legend of a key as its skin picture draws it, lifted out of the picture
// so that a key painted in any colour can still show it: the pixels that stand
// out from the key's face, as a coverage mask.

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QSize>

class QPixmap;

namespace tessel {

// Coverage (Format_Alpha8, size `size`) of the legend inside the rectangle of
// `sheet` at `offset`; fully transparent where the picture shows no legend.
QImage LegendMask(const QPixmap& sheet, QPoint offset, QSize size);

// Black or white, whichever reads better on `background`.
QColor ContrastingInk(QColor background);

}  // namespace tessel
