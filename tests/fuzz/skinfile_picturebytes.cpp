// Skin pictures from anywhere: the completeness check reads only the bytes it
// is given (the fuzzer's buffer is exactly that long), a rejected BMP stays
// rejected when cut shorter, and the mask-to-region conversion covers exactly
// the pixels outside the key colour range, within the picture.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

#include "skin/BitmapToRegion.h"
#include "skin/PictureBytes.h"

namespace {

void CheckPictureBytes(std::span<const std::uint8_t> bytes) {
    const bool complete = tessel::PictureBytesComplete(bytes);
    if (complete != tessel::PictureBytesComplete(bytes)) {
        std::abort();
    }
    const bool bmp = bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
    if (bmp && !complete) {
        // Cut below two bytes it is no BMP any more.
        for (std::size_t cut : {bytes.size() - 1, bytes.size() / 2, std::size_t{18}}) {
            if (cut >= 2 && cut < bytes.size() && tessel::PictureBytesComplete(bytes.first(cut))) {
                std::abort();
            }
        }
    }
}

bool IsKey(std::uint32_t pixel, std::uint32_t key, std::uint32_t tolerance) {
    for (int shift : {0, 8, 16}) {
        const std::uint32_t low = (key >> shift) & 0xFF;
        const std::uint32_t high = std::min<std::uint64_t>(std::uint64_t{low} + tolerance, 255);
        const std::uint32_t channel = (pixel >> shift) & 0xFF;
        if (channel < low || channel > high) {
            return false;
        }
    }
    return true;
}

void CheckRegion(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 10) {
        return;
    }
    // Width and height 0..255 (signed, to try the refusals), key colour, tolerance.
    const int width = static_cast<std::int8_t>(bytes[0]);
    const int height = static_cast<std::int8_t>(bytes[1]);
    std::uint32_t key = 0, tolerance = 0;
    std::memcpy(&key, bytes.data() + 2, 4);
    std::memcpy(&tolerance, bytes.data() + 6, 4);
    tolerance %= 300;
    const auto rest = bytes.subspan(10);
    std::vector<std::uint32_t> pixels(rest.size() / 4);
    std::memcpy(pixels.data(), rest.data(), pixels.size() * 4);

    const auto runs = tessel::BitmapToRegion(pixels, width, height, key, tolerance);
    if (width <= 0 || height <= 0) {
        if (!runs.empty()) {
            std::abort();
        }
        return;
    }
    const std::size_t rows =
        std::min<std::size_t>(height, pixels.size() / static_cast<std::size_t>(width));
    std::size_t covered = 0;
    for (const tessel::SkinRect& run : runs) {
        if (run.height != 1 || run.width <= 0 || run.left < 0 || run.left + run.width > width ||
            run.top < 0 || static_cast<std::size_t>(run.top) >= rows) {
            std::abort();
        }
        for (int x = run.left; x < run.left + run.width; ++x) {
            if (IsKey(pixels[static_cast<std::size_t>(run.top) * width + x], key, tolerance)) {
                std::abort();
            }
        }
        covered += static_cast<std::size_t>(run.width);
    }
    std::size_t solid = 0;
    for (std::size_t i = 0; i < rows * static_cast<std::size_t>(width); ++i) {
        solid += IsKey(pixels[i], key, tolerance) ? 0 : 1;
    }
    if (covered != solid) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    CheckPictureBytes(bytes);
    CheckRegion(bytes);
    return 0;
}
