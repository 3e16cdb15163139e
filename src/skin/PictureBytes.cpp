#include "skin/PictureBytes.h"

#include <algorithm>
#include <cstdlib>

#include "platform/LittleEndian.h"

namespace tessel {

namespace {

constexpr std::size_t kBmpFileHeader = 14;
constexpr std::size_t kCoreHeader = 12;  // the oldest BMP header, 16-bit sizes
constexpr uint32_t kBmpUncompressed = 0;
constexpr uint32_t kBmpBitFields = 3;
// An end-of-image marker may be followed by a little padding.
constexpr std::size_t kJpegTail = 4096;

bool BmpComplete(std::span<const uint8_t> bytes) {
    if (bytes.size() < kBmpFileHeader + 4) {
        return false;
    }
    const uint64_t pixelsAt = GetU32(bytes, 10);
    const uint32_t headerSize = GetU32(bytes, 14);
    int64_t width = 0;
    int64_t height = 0;
    uint32_t bitsPerPixel = 0;
    uint32_t compression = kBmpUncompressed;
    if (headerSize == kCoreHeader) {
        if (bytes.size() < kBmpFileHeader + kCoreHeader) {
            return false;
        }
        width = GetU16(bytes, 18);
        height = GetU16(bytes, 20);
        bitsPerPixel = GetU16(bytes, 24);
    } else {
        if (bytes.size() < kBmpFileHeader + 20) {
            return false;
        }
        width = static_cast<int32_t>(GetU32(bytes, 18));
        height = static_cast<int32_t>(GetU32(bytes, 22));
        bitsPerPixel = GetU16(bytes, 28);
        compression = GetU32(bytes, 30);
    }
    if (pixelsAt > bytes.size()) {
        return false;
    }
    if (compression != kBmpUncompressed && compression != kBmpBitFields) {
        return pixelsAt < bytes.size();  // run-length data: at least some must be there
    }
    const uint64_t rowBytes =
        (static_cast<uint64_t>(std::llabs(width)) * bitsPerPixel + 31) / 32 * 4;
    return pixelsAt + rowBytes * static_cast<uint64_t>(std::llabs(height)) <= bytes.size();
}

bool JpegComplete(std::span<const uint8_t> bytes) {
    const std::size_t tail = std::min(bytes.size(), kJpegTail);
    const auto last = bytes.last(tail);
    for (std::size_t i = tail; i >= 2; --i) {
        if (last[i - 2] == 0xFF && last[i - 1] == 0xD9) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool PictureBytesComplete(std::span<const uint8_t> bytes) {
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
        return BmpComplete(bytes);
    }
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xD8) {
        return JpegComplete(bytes);
    }
    return true;
}

}  // namespace tessel
