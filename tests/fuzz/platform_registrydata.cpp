// Settings files from anywhere: any bytes parse, and what was read writes out
// as a file that parses to the same keys and values with nothing skipped and
// writes out the same again.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/RegistryData.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using tessel::RegistryData;
    const RegistryData first =
        RegistryData::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::string written = first.Serialize();
    const RegistryData second = RegistryData::Parse(written);
    if (second.SkippedLines() != 0 || second.Serialize() != written) {
        std::abort();
    }
    return 0;
}
