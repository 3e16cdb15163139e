#include "storage/ConfigFileCheck.h"

#include <fstream>
#include <new>

#include "model/ProfileImage.h"

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
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        return std::string("no such file");
    }
    if (std::filesystem::is_directory(path, error)) {
        return std::string("is a folder");
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::string("cannot be opened");
    }
    const uint64_t size = std::filesystem::file_size(path, error);
    if (error) {
        return std::string("cannot be opened");
    }
    if (size < kProfileImageSize) {
        return std::to_string(size) + " bytes, shorter than the " +
               std::to_string(kProfileImageSize) + " bytes of every configuration file";
    }
    if (size >= kMaxConfigFileSize) {
        return std::string("4 GiB or larger");
    }
    std::vector<uint8_t> bytes;
    try {
        bytes.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        return std::string("too large to read");
    }
    if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size))) {
        return std::string("cannot be read");
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
