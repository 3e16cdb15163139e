#pragma once
// Readers that take a path get the fuzzer's bytes through a real file in a
// folder of the fuzzing process's own.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/posix/PrivateProfileCache.h"

namespace tessel::fuzz {

inline const std::filesystem::path& ScratchFolder() {
    static const std::filesystem::path folder = [] {
        auto path =
            std::filesystem::temp_directory_path() / ("tessel-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

// Replaces `file` by the bytes; INI lookups forget what they read of it.
inline void WriteInput(const std::filesystem::path& file, const std::uint8_t* data,
                       std::size_t size) {
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    PrivateProfileCache::Instance().Forget(file);
}

inline std::string ReadBack(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace tessel::fuzz
