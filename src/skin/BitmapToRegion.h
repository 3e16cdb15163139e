#pragma once
// The shape of a skinned window from its mask picture.

#include <cstdint>
#include <span>
#include <vector>

#include "skin/SkinIni.h"

namespace tessel {

// The pixels of a `width` x `height` image, row by row from the top, as
// 0xAARRGGBB (alpha ignored) are turned into the one-pixel-high runs of pixels
// that are not within the key range: each of red, green and blue from the key
// colour's value up to that value + `tolerance` (capped at 255). The union of
// the returned rectangles is the shape. Rows the buffer does not fully hold
// are left out.
std::vector<SkinRect> BitmapToRegion(std::span<const std::uint32_t> pixels, int width, int height,
                                     std::uint32_t transparentColour, std::uint32_t tolerance);

}  // namespace tessel
