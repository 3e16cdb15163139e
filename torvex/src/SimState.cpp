#include "SimState.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "ByteOrder.h"

namespace torvex {

namespace {

constexpr std::array<uint8_t, 4> kMagic = {'T', 'V', 'X', 'S'};
constexpr uint16_t kVersion = 1;
constexpr SimArea kStoredAreas[] = {SimArea::DeviceInfo, SimArea::Parameters,
                                    SimArea::KeyBlocks,  SimArea::Macro,
                                    SimArea::KeyColours, SimArea::DefaultKeyBlock};
constexpr std::size_t kHeaderSize = 8;
constexpr std::size_t kAreaHeaderSize = 5;

}  // namespace

bool SaveSimState(const SimMemory& memory, const std::filesystem::path& file) {
    std::vector<uint8_t> bytes(kHeaderSize);
    std::copy(kMagic.begin(), kMagic.end(), bytes.begin());
    PutU16(bytes, 4, kVersion);
    PutU16(bytes, 6, static_cast<uint16_t>(std::size(kStoredAreas)));
    for (SimArea area : kStoredAreas) {
        auto content = memory.Area(area);
        std::size_t at = bytes.size();
        bytes.resize(at + kAreaHeaderSize);
        bytes[at] = static_cast<uint8_t>(area);
        PutU32(bytes, at + 1, static_cast<uint32_t>(content.size()));
        bytes.insert(bytes.end(), content.begin(), content.end());
    }

    std::filesystem::path temporary = file;
    temporary += ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, file, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

std::optional<SimMemory> LoadSimState(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    if (bytes.size() < kHeaderSize || !std::equal(kMagic.begin(), kMagic.end(), bytes.begin()) ||
        GetU16(bytes, 4) != kVersion || GetU16(bytes, 6) != std::size(kStoredAreas)) {
        return std::nullopt;
    }
    SimMemory memory;
    std::size_t at = kHeaderSize;
    for (SimArea expected : kStoredAreas) {
        if (bytes.size() - at < kAreaHeaderSize) {
            return std::nullopt;
        }
        auto target = memory.Area(expected);
        if (bytes[at] != static_cast<uint8_t>(expected) || GetU32(bytes, at + 1) != target.size() ||
            bytes.size() - at - kAreaHeaderSize < target.size()) {
            return std::nullopt;
        }
        at += kAreaHeaderSize;
        std::copy_n(bytes.begin() + at, target.size(), target.begin());
        at += target.size();
    }
    if (at != bytes.size() || memory.ActiveProfile() >= kProfileCount) {
        return std::nullopt;
    }
    return memory;
}

}  // namespace torvex
