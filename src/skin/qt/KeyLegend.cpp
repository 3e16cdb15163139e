#include "skin/qt/KeyLegend.h"

#include <QPixmap>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace tessel {

namespace {

// The key's own edge and skirt are not legend: only the inside is searched.
constexpr int kEdgeInset = 2;
// Below this spread of brightness the face carries no legend (a blank key).
constexpr int kLeastLegendContrast = 48;
// A pixel is legend from this share of the strongest contrast on, fully from
// twice it: the antialiased rims of the glyphs keep their softness.
constexpr double kLegendThreshold = 0.3;

int Brightness(QRgb pixel) {
    return qGray(pixel);
}

double Linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double RelativeLuminance(QColor colour) {
    return 0.2126 * Linear(colour.red()) + 0.7152 * Linear(colour.green()) +
           0.0722 * Linear(colour.blue());
}

}  // namespace

QImage LegendMask(const QPixmap& sheet, QPoint offset, QSize size) {
    QImage mask(size, QImage::Format_Alpha8);
    mask.fill(0);
    const QImage key =
        sheet.copy(QRect(offset, size)).toImage().convertToFormat(QImage::Format_RGB32);
    const QRect inside =
        QRect(QPoint(0, 0), key.size()).adjusted(kEdgeInset, kEdgeInset, -kEdgeInset, -kEdgeInset);
    if (inside.isEmpty()) {
        return mask;
    }
    // The face is what most of the key shows; the legend is the few pixels far from it.
    std::vector<int> levels;
    levels.reserve(static_cast<std::size_t>(inside.width()) * inside.height());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            levels.push_back(Brightness(key.pixel(x, y)));
        }
    }
    std::nth_element(levels.begin(), levels.begin() + levels.size() / 2, levels.end());
    const int face = levels[levels.size() / 2];
    int strongest = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const int contrast = Brightness(key.pixel(x, y)) - face;
            if (std::abs(contrast) > std::abs(strongest)) {
                strongest = contrast;
            }
        }
    }
    if (std::abs(strongest) < kLeastLegendContrast) {
        return mask;
    }
    // Only the side of the face the legend is on: a bright legend on a dark
    // face leaves the face's dark shading out.
    const int sign = strongest > 0 ? 1 : -1;
    const double from = kLegendThreshold * std::abs(strongest);
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        uchar* line = mask.scanLine(y);
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const double contrast = sign * (Brightness(key.pixel(x, y)) - face);
            const double coverage = std::clamp((contrast - from) / from, 0.0, 1.0);
            line[x] = static_cast<uchar>(std::lround(coverage * 255));
        }
    }
    return mask;
}

QColor ContrastingInk(QColor background) {
    const double luminance = RelativeLuminance(background);
    // Contrast ratios against black and white: (L1 + 0.05) / (L2 + 0.05).
    const double onBlack = (luminance + 0.05) / 0.05;
    const double onWhite = 1.05 / (luminance + 0.05);
    return onBlack >= onWhite ? QColor(Qt::black) : QColor(Qt::white);
}

}  // namespace tessel
