// Format strings from files: whatever the text, formatting reads only the
// arguments given.

#include <cstddef>
#include <cstdint>
#include <string>

#include "text/SafeFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string format;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        format.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    }
    const std::u16string text(format.substr(0, 8));
    (void)tessel::SafeFormat(format, {});
    (void)tessel::SafeFormat(format, {0x64});
    (void)tessel::SafeFormat(format, {text, -2147483647 - 1, 4000000000u, text});
    return 0;
}
