#include "SimMemory.h"

#include <algorithm>

#include "ByteOrder.h"

namespace torvex {

namespace {

struct SlotAction {
    uint8_t slot;
    uint8_t kind, first, second;
};

// Named keys are {2, 2, HID keyboard usage}; modifiers {2, 1, bit}.
constexpr SlotAction kDefaultSlots[] = {
    {0, 5, 0, 0},
    {1, 5, 0, 0},
    {2, 5, 0, 0},
    {3, 5, 0, 0},
    {4, 5, 0, 0},
    {5, 5, 0, 0},
    {8, 2, 2, 0x29},
    {9, 2, 2, 0x35},
    {10, 2, 2, 0x2B},
    {11, 2, 2, 0x39},
    {12, 2, 1, 0x02},
    {13, 2, 1, 0x01},
    {16, 2, 2, 0x3A},
    {17, 2, 2, 0x1E},
    {18, 2, 2, 0x14},
    {19, 2, 2, 0x04},
    {20, 2, 2, 0x1D},
    {21, 2, 1, 0x08},
    {24, 2, 2, 0x3B},
    {25, 2, 2, 0x1F},
    {26, 2, 2, 0x1A},
    {27, 2, 2, 0x16},
    {28, 2, 2, 0x1B},
    {29, 2, 1, 0x04},
    {32, 2, 2, 0x3C},
    {33, 2, 2, 0x20},
    {34, 2, 2, 0x08},
    {35, 2, 2, 0x07},
    {36, 2, 2, 0x06},
    {37, 2, 2, 0x2C},
    {38, 2, 2, 0x46},
    {40, 2, 2, 0x3D},
    {41, 2, 2, 0x21},
    {42, 2, 2, 0x15},
    {43, 2, 2, 0x09},
    {44, 2, 2, 0x19},
    {45, 2, 1, 0x40},
    {46, 2, 2, 0x47},
    {48, 2, 2, 0x3E},
    {49, 2, 2, 0x22},
    {50, 2, 2, 0x17},
    {51, 2, 2, 0x0A},
    {52, 2, 2, 0x05},
    {53, 5, 2, 2},
    {54, 2, 2, 0x2E},
    {56, 2, 2, 0x3F},
    {57, 2, 2, 0x23},
    {58, 2, 2, 0x1C},
    {59, 2, 2, 0x0B},
    {60, 2, 2, 0x11},
    {61, 2, 2, 0x65},
    {62, 2, 2, 0x48},
    // The macro keys G1..G9 of bank A, in slots no key uses: {6, 0xA2, G number}.
    {6, 6, 0xA2, 1},
    {7, 6, 0xA2, 2},
    {14, 6, 0xA2, 3},
    {15, 6, 0xA2, 4},
    {22, 6, 0xA2, 5},
    {23, 6, 0xA2, 6},
    {30, 6, 0xA2, 7},
    {31, 6, 0xA2, 8},
    {39, 6, 0xA2, 9},
};

// Effect per profile of the default lighting record.
constexpr uint8_t kDefaultEffect[kProfileCount] = {1, 2, 3, 5};
constexpr uint8_t kEffectCodes[] = {1, 2, 3, 4, 5, 6, 7};
constexpr uint16_t kVendorId = 0x320F;
constexpr uint16_t kProductId = 0x500F;
constexpr uint16_t kEmptyMacroAreaMagic = 0x55AA;
constexpr uint16_t kMacroHeaderSize = 16;

void FillDefaultLighting(std::span<uint8_t> record, int profile) {
    std::fill(record.begin(), record.end(), 0);
    record[0] = kDefaultEffect[profile];
    record[1] = 4;     // brightness
    record[2] = 2;     // speed
    record[3] = 0;     // direction
    record[4] = 0xFF;  // colourful
    record[5] = 0;     // green
    record[6] = 255;
    record[7] = 0;
}

}  // namespace

std::optional<SimArea> SimAreaFromNumber(int number) {
    if (number < 0 || number > static_cast<int>(SimArea::DefaultKeyBlock)) {
        return std::nullopt;
    }
    return static_cast<SimArea>(number);
}

std::array<uint8_t, kKeyBlockSize> BuiltInDefaultKeyBlock() {
    std::array<uint8_t, kKeyBlockSize> block{};
    for (const auto& each : kDefaultSlots) {
        block[each.slot * 3] = each.kind;
        block[each.slot * 3 + 1] = each.first;
        block[each.slot * 3 + 2] = each.second;
    }
    return block;
}

SimMemory::SimMemory() {
    PutU16(deviceInfo_, 0, kVendorId);
    PutU16(deviceInfo_, 2, kProductId);
    PutU16(deviceInfo_, kFirmwareVersionAt, kFactoryFirmwareVersion);
    deviceInfo_[kActiveProfileAt] = 0;
    deviceInfo_[kMacroCapacityAt] = kFactoryMacroCapacity;
    std::copy(std::begin(kEffectCodes), std::end(kEffectCodes),
              deviceInfo_.begin() + kEffectListAt);

    for (int profile = 0; profile < kProfileCount; ++profile) {
        FillDefaultLighting(std::span(parameters_).subspan(profile * 64, 64), profile);
    }
    defaultKeyBlock_ = BuiltInDefaultKeyBlock();
    for (int block = 0; block < kProfileCount; ++block) {
        std::copy(defaultKeyBlock_.begin(), defaultKeyBlock_.end(),
                  keyBlocks_.begin() + block * kKeyBlockSize);
    }
    // Every slot green, like the default lighting colour.
    for (std::size_t slot = 0; slot < kKeyColourAreaSize; slot += 3) {
        keyColours_[slot + 1] = 255;
    }
    macro_.assign(kFactoryMacroCapacity * kMacroUnit, 0);
    const std::vector<uint8_t> empty = EmptyMacroAreaImage();
    std::copy(empty.begin(), empty.end(), macro_.begin());
}

std::vector<uint8_t> EmptyMacroAreaImage() {
    // Header only, no macros.
    std::vector<uint8_t> image(kMacroHeaderSize, 0);
    PutU16(image, 0, kEmptyMacroAreaMagic);
    PutU16(image, 2, kMacroHeaderSize);
    return image;
}

std::vector<uint8_t> MalformedMacroAreaImage() {
    constexpr uint16_t kEntryOutsideTheArea = 0x7FF0;
    std::vector<uint8_t> image(kMacroHeaderSize + 2, 0);
    PutU16(image, 0, kEmptyMacroAreaMagic);
    PutU16(image, 2, static_cast<uint16_t>(image.size()));
    PutU16(image, 4, 1);
    PutU16(image, kMacroHeaderSize, kEntryOutsideTheArea);
    return image;
}

std::span<uint8_t> SimMemory::Area(SimArea area) {
    switch (area) {
        case SimArea::DeviceInfo:
            return deviceInfo_;
        case SimArea::Parameters:
            return parameters_;
        case SimArea::KeyBlocks:
            return keyBlocks_;
        case SimArea::Macro:
            return macro_;
        case SimArea::KeyColours:
            return keyColours_;
        case SimArea::DefaultKeyBlock:
            return defaultKeyBlock_;
    }
    return {};
}

std::span<const uint8_t> SimMemory::Area(SimArea area) const {
    return const_cast<SimMemory*>(this)->Area(area);
}

bool SimMemory::Read(SimArea area, std::size_t offset, std::span<uint8_t> out) const {
    auto bytes = Area(area);
    if (offset > bytes.size() || out.size() > bytes.size() - offset) {
        return false;
    }
    std::copy_n(bytes.begin() + offset, out.size(), out.begin());
    return true;
}

bool SimMemory::Write(SimArea area, std::size_t offset, std::span<const uint8_t> data) {
    auto bytes = Area(area);
    if (offset > bytes.size() || data.size() > bytes.size() - offset) {
        return false;
    }
    std::copy(data.begin(), data.end(), bytes.begin() + offset);
    return true;
}

int SimMemory::ActiveProfile() const {
    return deviceInfo_[kActiveProfileAt];
}

void SimMemory::SetActiveProfile(int profile) {
    deviceInfo_[kActiveProfileAt] = static_cast<uint8_t>(profile);
}

uint16_t SimMemory::FirmwareVersion() const {
    return GetU16(deviceInfo_, kFirmwareVersionAt);
}

void SimMemory::SetFirmwareVersion(uint16_t version) {
    PutU16(deviceInfo_, kFirmwareVersionAt, version);
}

}  // namespace torvex
