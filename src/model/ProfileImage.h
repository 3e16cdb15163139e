#pragma once
// The host model of all key assignments of the four profiles: 2048 entries
// (profile p, key index i at p * 512 + i) behind a 32-byte header and a 32-byte
// device identity block. It is the first part of every configuration file.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace tessel {

inline constexpr std::size_t kImageHeaderSize = 32;
inline constexpr std::size_t kIdentityBlockSize = 32;
inline constexpr std::size_t kKeyAssignmentSize = 16;
inline constexpr int kEntriesPerProfile = 512;
inline constexpr int kEntryCount = 2048;
inline constexpr std::size_t kProfileImageSize =
    kImageHeaderSize + kIdentityBlockSize + kEntryCount * kKeyAssignmentSize;
static_assert(kProfileImageSize == 32832);

inline constexpr uint16_t kImageMagic = 0x4446;  // "FD"
inline constexpr uint16_t kImageFormatVersion = 3;

enum class AssignmentType : uint16_t {
    Default = 0,
    Disabled = 1,
    Key = 2,
    LaunchProgram = 3,
    PlayMacro = 4,
    StopMacro = 5,
    TextBlock = 6,
    Multimedia = 7,
    FunctionKey = 8,
};

// Types 3 and 6 keep a text in the store's text table; in a file their value is
// the text's byte offset in the text area.
constexpr bool HasText(uint16_t type) {
    return type == static_cast<uint16_t>(AssignmentType::LaunchProgram) ||
           type == static_cast<uint16_t>(AssignmentType::TextBlock);
}

struct KeyAssignment {
    uint16_t type = 0;
    uint16_t auxiliary = 0;  // G-key identifier, or the cycle count of a macro
    uint32_t value = 0;
    uint32_t colourSelection = 0;  // per key button position, not per key
    uint32_t reserved = 0;

    friend bool operator==(const KeyAssignment&, const KeyAssignment&) = default;
};

struct ImageHeader {
    uint16_t magic = kImageMagic;
    uint16_t headerSize = kImageHeaderSize;
    uint16_t version = kImageFormatVersion;
    uint16_t one = 1;
    uint32_t totalSize = 0;
    uint16_t entryCount = kEntryCount;
    uint16_t macroCount = 0;
    uint32_t textAreaSize = 0;
    uint32_t reserved20 = 0;
    uint32_t reserved24 = 0;
    uint16_t reserved28 = 0;
    uint8_t flag = 0;
    uint8_t checkByte = 0;

    friend bool operator==(const ImageHeader&, const ImageHeader&) = default;
};

struct ProfileImage {
    ImageHeader header;
    std::array<uint8_t, kIdentityBlockSize> identity{};
    std::array<KeyAssignment, kEntryCount> entries{};
};

void EncodeImageHeader(const ImageHeader& header, std::span<uint8_t, kImageHeaderSize> out);
ImageHeader DecodeImageHeader(std::span<const uint8_t, kImageHeaderSize> in);
// Sum of header bytes 0 to 30, modulo 256.
uint8_t HeaderCheckByte(std::span<const uint8_t, kImageHeaderSize> header);

void EncodeProfileImage(const ProfileImage& image, std::span<uint8_t, kProfileImageSize> out);
std::unique_ptr<ProfileImage> DecodeProfileImage(std::span<const uint8_t, kProfileImageSize> in);

// Fills the header for an image followed by `macroCount` macros and a text area
// of `textAreaSize` bytes, check byte included.
void NewImage(ImageHeader& header, uint16_t macroCount, uint32_t textAreaSize, uint8_t flag);

// The constant device identity block written into every new image.
const std::array<uint8_t, kIdentityBlockSize>& DeviceIdentityBlock();

// A fresh image: no assignments, G-key identifiers in profile 0.
std::unique_ptr<ProfileImage> DefaultImage();

// Entry number p * 512 + i, or -1 when the profile or key index is out of range.
int EntryIndex(int profile, int keyIndex);
// The entry of (profile, key index); nullptr when either is out of range.
KeyAssignment* EntryFor(ProfileImage& image, int profile, int keyIndex);
const KeyAssignment* EntryFor(const ProfileImage& image, int profile, int keyIndex);

// G-key identifier of a key index (bank A 0x0301.., bank B 0x1301..); 0 for
// other keys.
uint16_t GKeyIdentifier(int keyIndex);
// Resets one profile's 512 entries to zero with the G-key identifiers.
void ResetProfileEntries(ProfileImage& image, int profile);

}  // namespace tessel
