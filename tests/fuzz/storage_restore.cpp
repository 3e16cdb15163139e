// Files given to --restore: the explained reader accepts exactly what the
// decoder accepts, reads no more than the file, and names a reason otherwise.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <variant>

#include "FuzzFiles.h"
#include "storage/ConfigFile.h"
#include "storage/ConfigFileCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessel;
    const auto file = fuzz::ScratchFolder() / "restore.fwc";
    fuzz::WriteInput(file, data, size);
    const auto explained = ReadConfigFileExplained(file);
    const auto decoded = DecodeConfigFile(std::span<const std::uint8_t>(data, size));
    if (const auto* reason = std::get_if<std::string>(&explained)) {
        if (decoded || reason->empty()) {
            std::abort();
        }
        return 0;
    }
    const Configuration& configuration = std::get<Configuration>(explained);
    if (!decoded || !configuration.image || decoded->macros.size() != configuration.macros.size() ||
        decoded->texts.Total() != configuration.texts.Total()) {
        std::abort();
    }
    return 0;
}
