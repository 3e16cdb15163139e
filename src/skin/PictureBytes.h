#pragma once
// Whether a picture file's bytes hold the whole picture. Some decoders fill
// the missing rest of a cut-off file with whatever memory held, so a cut-off
// BMP or JPEG is caught here before it is drawn.

#include <cstddef>
#include <cstdint>
#include <span>

namespace tessel {

// No skin needs a picture file larger than this.
inline constexpr std::size_t kLargestPictureBytes = 64u * 1024u * 1024u;

// False for a BMP whose pixel rows or a JPEG whose end marker lie beyond the
// bytes; other formats are left to their decoder.
bool PictureBytesComplete(std::span<const uint8_t> bytes);

}  // namespace tessel
