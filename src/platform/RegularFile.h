#pragma once
// Reading a file the program did not just create (settings, INI, skin,
// language, colour, scene-mode and restore files): only a regular file is
// read, and only up to a size no such file needs, so a device, a FIFO or a
// growing file cannot stall or exhaust the program.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tessel {

// No real INI, skin, language or colour file comes near this.
inline constexpr std::size_t kLargestIniFile = 4u << 20;

struct RegularFileRead {
    bool ok = false;
    // No file of that name (not an error worth a word for most readers).
    bool missing = false;
    std::vector<uint8_t> bytes;
    std::string error;  // why not, when !ok: "not a regular file", "permission denied", ...
};

RegularFileRead ReadRegularFile(const std::filesystem::path& path, std::size_t largestSize);

// The C library's text for an error number, starting in lower case so it
// reads well after "cannot read PATH: ".
std::string ErrorReason(int errorNumber);

// Tells the user on standard error, once per file and reason, that a file
// could not be read and why: "tessel: cannot read PATH: not a regular file".
void ReportUnreadableFile(const std::filesystem::path& path, const std::string& why);

}  // namespace tessel
