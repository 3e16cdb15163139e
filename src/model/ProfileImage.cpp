#include "model/ProfileImage.h"

#include <algorithm>

#include "model/KeyCode.h"
#include "platform/LittleEndian.h"
#include "model/MacroRecord.h"

namespace tessel {

namespace {

constexpr uint16_t kGKeyIdBankA = 0x0301;
constexpr uint16_t kGKeyIdBankB = 0x1301;

std::array<uint8_t, kIdentityBlockSize> BuildIdentityBlock() {
    std::array<uint8_t, kIdentityBlockSize> block{};
    PutU32(block, 0, 0x0020484B);
    PutU32(block, 4, 0x00008020);
    PutU32(block, 8, 0x02000004);
    PutU32(block, 12, 0);
    PutU16(block, 16, 0x320F);  // vendor id
    PutU16(block, 18, 0x500F);  // product id
    PutU32(block, 20, 0x000E1C4F);
    PutU32(block, 24, 0);
    PutU32(block, 28, 0);
    return block;
}

}  // namespace

void EncodeImageHeader(const ImageHeader& h, std::span<uint8_t, kImageHeaderSize> out) {
    PutU16(out, 0, h.magic);
    PutU16(out, 2, h.headerSize);
    PutU16(out, 4, h.version);
    PutU16(out, 6, h.one);
    PutU32(out, 8, h.totalSize);
    PutU16(out, 12, h.entryCount);
    PutU16(out, 14, h.macroCount);
    PutU32(out, 16, h.textAreaSize);
    PutU32(out, 20, h.reserved20);
    PutU32(out, 24, h.reserved24);
    PutU16(out, 28, h.reserved28);
    out[30] = h.flag;
    out[31] = h.checkByte;
}

ImageHeader DecodeImageHeader(std::span<const uint8_t, kImageHeaderSize> in) {
    ImageHeader h;
    h.magic = GetU16(in, 0);
    h.headerSize = GetU16(in, 2);
    h.version = GetU16(in, 4);
    h.one = GetU16(in, 6);
    h.totalSize = GetU32(in, 8);
    h.entryCount = GetU16(in, 12);
    h.macroCount = GetU16(in, 14);
    h.textAreaSize = GetU32(in, 16);
    h.reserved20 = GetU32(in, 20);
    h.reserved24 = GetU32(in, 24);
    h.reserved28 = GetU16(in, 28);
    h.flag = in[30];
    h.checkByte = in[31];
    return h;
}

uint8_t HeaderCheckByte(std::span<const uint8_t, kImageHeaderSize> header) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < kImageHeaderSize - 1; ++i) {
        sum += header[i];
    }
    return static_cast<uint8_t>(sum);
}

void EncodeProfileImage(const ProfileImage& image, std::span<uint8_t, kProfileImageSize> out) {
    EncodeImageHeader(image.header, out.first<kImageHeaderSize>());
    std::copy(image.identity.begin(), image.identity.end(), out.begin() + kImageHeaderSize);
    std::size_t at = kImageHeaderSize + kIdentityBlockSize;
    for (const KeyAssignment& entry : image.entries) {
        PutU16(out, at, entry.type);
        PutU16(out, at + 2, entry.auxiliary);
        PutU32(out, at + 4, entry.value);
        PutU32(out, at + 8, entry.colourSelection);
        PutU32(out, at + 12, entry.reserved);
        at += kKeyAssignmentSize;
    }
}

std::unique_ptr<ProfileImage> DecodeProfileImage(std::span<const uint8_t, kProfileImageSize> in) {
    auto image = std::make_unique<ProfileImage>();
    image->header = DecodeImageHeader(in.first<kImageHeaderSize>());
    std::copy_n(in.begin() + kImageHeaderSize, kIdentityBlockSize, image->identity.begin());
    std::size_t at = kImageHeaderSize + kIdentityBlockSize;
    for (KeyAssignment& entry : image->entries) {
        entry.type = GetU16(in, at);
        entry.auxiliary = GetU16(in, at + 2);
        entry.value = GetU32(in, at + 4);
        entry.colourSelection = GetU32(in, at + 8);
        entry.reserved = GetU32(in, at + 12);
        at += kKeyAssignmentSize;
    }
    return image;
}

void NewImage(ImageHeader& header, uint16_t macroCount, uint32_t textAreaSize, uint8_t flag) {
    header = ImageHeader{};
    header.totalSize = static_cast<uint32_t>(macroCount * static_cast<uint32_t>(kMacroRecordSize) +
                                             textAreaSize + kProfileImageSize);
    header.macroCount = macroCount;
    header.textAreaSize = textAreaSize;
    header.flag = flag;
    std::array<uint8_t, kImageHeaderSize> bytes{};
    EncodeImageHeader(header, bytes);
    header.checkByte = HeaderCheckByte(bytes);
}

const std::array<uint8_t, kIdentityBlockSize>& DeviceIdentityBlock() {
    static const std::array<uint8_t, kIdentityBlockSize> block = BuildIdentityBlock();
    return block;
}

std::unique_ptr<ProfileImage> DefaultImage() {
    auto image = std::make_unique<ProfileImage>();
    NewImage(image->header, 0, 0, 0);
    image->identity = DeviceIdentityBlock();
    ResetProfileEntries(*image, 0);
    return image;
}

int EntryIndex(int profile, int keyIndex) {
    if (profile < 0 || profile >= kEntryCount / kEntriesPerProfile || keyIndex < 0 ||
        keyIndex >= kEntriesPerProfile) {
        return -1;
    }
    return profile * kEntriesPerProfile + keyIndex;
}

KeyAssignment* EntryFor(ProfileImage& image, int profile, int keyIndex) {
    const int index = EntryIndex(profile, keyIndex);
    return index < 0 ? nullptr : &image.entries[index];
}

const KeyAssignment* EntryFor(const ProfileImage& image, int profile, int keyIndex) {
    const int index = EntryIndex(profile, keyIndex);
    return index < 0 ? nullptr : &image.entries[index];
}

uint16_t GKeyIdentifier(int keyIndex) {
    const int j = keyIndex - kFirstGKeyIndexBankA;
    if (j >= 0 && j < kGKeysPerBank) {
        return static_cast<uint16_t>(kGKeyIdBankA + j);
    }
    const int k = keyIndex - kFirstGKeyIndexBankB;
    if (k >= 0 && k < kGKeysPerBank) {
        return static_cast<uint16_t>(kGKeyIdBankB + k);
    }
    return 0;
}

void ResetProfileEntries(ProfileImage& image, int profile) {
    for (int keyIndex = 0; keyIndex < kEntriesPerProfile; ++keyIndex) {
        if (KeyAssignment* entry = EntryFor(image, profile, keyIndex)) {
            *entry = KeyAssignment{};
            entry->auxiliary = GKeyIdentifier(keyIndex);
        }
    }
}

}  // namespace tessel
