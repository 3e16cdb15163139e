#pragma once
// Reading a file whose name comes from a file the user can change (a skin):
// only a regular file is read, and only up to a size no such file needs, so a
// device, a FIFO or a growing file cannot stall or exhaust the program.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tessel {

struct RegularFileRead {
    bool ok = false;
    std::vector<uint8_t> bytes;
    std::string error;  // why not, when !ok
};

RegularFileRead ReadRegularFile(const std::filesystem::path& path, std::size_t largestSize);

}  // namespace tessel
