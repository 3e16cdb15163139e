#include "storage/AtomicFile.h"

#include <atomic>
#include <fstream>
#include <random>
#include <string>
#include <system_error>

namespace tessel {
namespace {

// A name no other writer in this or another process picks at the same time.
std::filesystem::path TemporaryNameBeside(const std::filesystem::path& target) {
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    std::filesystem::path name = target.filename();
    name += ".tmp-" + std::to_string(random()) + "-" + std::to_string(++counter);
    return target.parent_path() / name;
}

bool WriteAll(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        return false;
    }
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.flush();
    return static_cast<bool>(out);
}

}  // namespace

bool WriteFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
    if (path.empty() || path.filename().empty()) {
        return false;
    }
    const std::filesystem::path temporary = TemporaryNameBeside(path);
    std::error_code error;
    if (!WriteAll(temporary, bytes)) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

}  // namespace tessel
