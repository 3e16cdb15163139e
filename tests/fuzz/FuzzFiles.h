#pragma once
// Readers that take a path get the fuzzer's bytes through a real file in a
// folder of the fuzzing process's own, in memory where there is such a file
// system (the writers sync every file they replace).

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/posix/PrivateProfileCache.h"

namespace tessel::fuzz {

// Removed when the fuzzer ends.
class Scratch {
public:
    Scratch() {
        std::error_code error;
        const std::filesystem::path memory = "/dev/shm";
        path_ = (std::filesystem::is_directory(memory, error)
                     ? memory
                     : std::filesystem::temp_directory_path()) /
                ("tessel-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(path_);
    }
    ~Scratch() {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline const std::filesystem::path& ScratchFolder() {
    static const Scratch scratch;
    return scratch.Path();
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
