#include "storage/ConfigFileCheck.h"

#include <utility>

#include "model/ProfileImage.h"
#include "platform/RegularFile.h"

namespace tessel {
namespace {

std::string HeaderProblem(std::span<const uint8_t, kImageHeaderSize> bytes) {
    const ImageHeader h = DecodeImageHeader(bytes);
    if (h.magic != kImageMagic) {
        return "not a configuration file (wrong magic number)";
    }
    if (h.checkByte != HeaderCheckByte(bytes)) {
        return "damaged header (wrong check byte)";
    }
    if (h.macroCount > kMaxMacros) {
        return "damaged header (" + std::to_string(h.macroCount) + " macros, at most " +
               std::to_string(kMaxMacros) + ")";
    }
    return "damaged header (unknown format or inconsistent sizes)";
}

}  // namespace

std::variant<Configuration, std::string> ReadConfigFileExplained(
    const std::filesystem::path& path) {
    // Only a regular file: a FIFO would block the command, a device never end.
    RegularFileRead read = ReadRegularFile(path, kMaxConfigFileSize - 1);
    if (!read.ok) {
        return read.missing                       ? std::string("no such file")
               : read.error.starts_with("larger") ? std::string("4 GiB or larger")
                                                  : read.error;
    }
    std::vector<uint8_t> bytes = std::move(read.bytes);
    const uint64_t size = bytes.size();
    if (size < kProfileImageSize) {
        return std::to_string(size) + " bytes, shorter than the " +
               std::to_string(kProfileImageSize) + " bytes of every configuration file";
    }
    const auto header = std::span<const uint8_t>(bytes).first<kImageHeaderSize>();
    if (!IsValidConfigHeader(header)) {
        return HeaderProblem(header);
    }
    const uint32_t expected = DecodeImageHeader(header).totalSize;
    if (size < expected) {
        return "cut short: " + std::to_string(size) + " bytes of the " + std::to_string(expected) +
               " its header announces";
    }
    std::optional<Configuration> configuration = DecodeConfigFile(bytes);
    if (!configuration) {
        return std::string("its key assignments cannot be read");
    }
    return std::move(*configuration);
}

}  // namespace tessel
