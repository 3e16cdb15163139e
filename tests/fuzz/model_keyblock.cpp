// Key blocks read from the keyboard: any block, any default block and any
// profile number decode without reading or writing outside the image, and the
// decoded entries build a block again.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "model/KeyBlockCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessel;
    KeyBlock block{};
    KeyBlock defaults = BuiltInDefaultKeyBlock();
    int profile = 0;
    if (size > 0) {
        profile = static_cast<int8_t>(data[0]);
        ++data;
        --size;
    }
    const std::size_t first = std::min(size, block.size());
    std::copy_n(data, first, block.begin());
    if (size > first) {
        std::copy_n(data + first, std::min(size - first, defaults.size()), defaults.begin());
    }

    auto image = DefaultImage();
    const bool decoded = DecodeKeyBlock(block, profile, defaults, *image);
    if (decoded != (profile >= 0 && profile < 4)) {
        std::abort();
    }
    if (decoded) {
        for (const KeyAssignment& entry : image->entries) {
            if (entry.type > static_cast<uint16_t>(AssignmentType::FunctionKey)) {
                std::abort();
            }
        }
    }
    (void)BuildKeyBlock(*image, {}, profile, defaults);
    return 0;
}
