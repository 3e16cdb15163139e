#include "skin/qt/TextCentring.h"

#include <cmath>

namespace tessel {

TextBox CentreTextForAngle(TextBox box, int escapement, int extentX, int extentY) {
    const double angle = escapement / 10.0 * 3.1415927 / 180.0;
    const double sine = std::sin(angle);
    const double cosine = std::cos(angle);
    // Integer arithmetic with truncation toward zero, as the skins were tuned for it.
    const int rotatedWidth = static_cast<int>(cosine * extentX);
    const int rotatedHeight = static_cast<int>(sine * extentX);
    const int width = box.Width();
    const int height = box.Height();
    if (rotatedWidth < width) {
        box.left += (width - rotatedWidth) / 2 - static_cast<int>(sine * extentY * 0.5);
    }
    if (rotatedHeight < height) {
        box.bottom += -((height - rotatedHeight) / 2) - static_cast<int>(cosine * extentY * -0.5);
    }
    return box;
}

}  // namespace tessel
