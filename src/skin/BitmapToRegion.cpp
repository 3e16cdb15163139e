#include "skin/BitmapToRegion.h"

#include <algorithm>
#include <cstddef>

namespace tessel {
namespace {

struct ChannelRange {
    std::uint32_t low, high;
    bool Holds(std::uint32_t value) const { return value >= low && value <= high; }
};

ChannelRange RangeOf(std::uint32_t keyChannel, std::uint32_t tolerance) {
    const std::uint32_t high = tolerance >= 255 ? 255u : std::min(keyChannel + tolerance, 255u);
    return ChannelRange{keyChannel, high};
}

std::uint32_t Channel(std::uint32_t pixel, int shift) {
    return (pixel >> shift) & 0xFF;
}

}  // namespace

std::vector<SkinRect> BitmapToRegion(std::span<const std::uint32_t> pixels, int width, int height,
                                     std::uint32_t transparentColour, std::uint32_t tolerance) {
    std::vector<SkinRect> runs;
    if (width <= 0 || height <= 0) {
        return runs;
    }
    const std::size_t rowLength = static_cast<std::size_t>(width);
    const std::size_t rows = std::min(static_cast<std::size_t>(height), pixels.size() / rowLength);
    const ChannelRange red = RangeOf(Channel(transparentColour, 16), tolerance);
    const ChannelRange green = RangeOf(Channel(transparentColour, 8), tolerance);
    const ChannelRange blue = RangeOf(Channel(transparentColour, 0), tolerance);
    const auto isKey = [&](std::uint32_t pixel) {
        return red.Holds(Channel(pixel, 16)) && green.Holds(Channel(pixel, 8)) &&
               blue.Holds(Channel(pixel, 0));
    };

    for (std::size_t y = 0; y < rows; ++y) {
        const std::uint32_t* row = pixels.data() + y * rowLength;
        std::size_t x = 0;
        while (x < rowLength) {
            while (x < rowLength && isKey(row[x])) {
                ++x;
            }
            const std::size_t start = x;
            while (x < rowLength && !isKey(row[x])) {
                ++x;
            }
            if (x > start) {
                runs.push_back(SkinRect{static_cast<int>(start), static_cast<int>(y),
                                        static_cast<int>(x - start), 1});
            }
        }
    }
    return runs;
}

}  // namespace tessel
