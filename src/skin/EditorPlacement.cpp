#include "skin/EditorPlacement.h"

namespace tessel {

ScreenPoint PlaceBesideButton(const ScreenRect& screen, const ScreenRect& button, int w, int h,
                              bool centred) {
    if (centred) {
        return {screen.left + (screen.right - screen.left - w) / 2,
                screen.top + (screen.bottom - screen.top - h) / 2};
    }
    const bool fitsRight = screen.right - button.right >= w;
    const bool fitsLeft = button.left - screen.left >= w;
    const bool fitsBelow = screen.bottom - button.bottom >= h;
    const bool fitsAbove = button.top - screen.top >= h;
    if (fitsRight && fitsBelow) {
        return {button.right, button.bottom};
    }
    if (fitsRight && fitsAbove) {
        return {button.right, button.top - h};
    }
    if (fitsLeft && fitsBelow) {
        return {button.left - w, button.bottom};
    }
    if (fitsLeft && fitsAbove) {
        return {button.left - w, button.top - h};
    }
    return {button.right, button.bottom};
}

}  // namespace tessel
