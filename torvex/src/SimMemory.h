#pragma once
// The memory areas of the simulated keyboard, in their factory state.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace torvex {

enum class SimArea { DeviceInfo = 0, Parameters, KeyBlocks, Macro, KeyColours, DefaultKeyBlock };

inline constexpr std::size_t kDeviceInfoSize = 44;
inline constexpr std::size_t kParameterAreaSize = 4 * 64;
inline constexpr std::size_t kKeyBlockSize = 192;
inline constexpr std::size_t kKeyBlockAreaSize = 4 * kKeyBlockSize;
inline constexpr std::size_t kKeyColourAreaSize = 4 * 192;
inline constexpr std::size_t kMacroUnit = 128;

// Device information fields.
inline constexpr std::size_t kFirmwareVersionAt = 8;
inline constexpr std::size_t kActiveProfileAt = 10;
inline constexpr std::size_t kMacroCapacityAt = 11;
inline constexpr std::size_t kEffectListAt = 12;
inline constexpr uint16_t kFactoryFirmwareVersion = 0x0102;
// 64 units of 128 bytes: 8 KiB of macro memory, room for a few thousand packed
// actions, as keyboards of this class offer.
inline constexpr uint8_t kFactoryMacroCapacity = 64;
inline constexpr int kProfileCount = 4;

std::optional<SimArea> SimAreaFromNumber(int number);

class SimMemory {
public:
    SimMemory();  // factory state

    std::span<uint8_t> Area(SimArea area);
    std::span<const uint8_t> Area(SimArea area) const;
    // Bounds-checked access for frames and controls; false when the range does not fit.
    bool Read(SimArea area, std::size_t offset, std::span<uint8_t> out) const;
    bool Write(SimArea area, std::size_t offset, std::span<const uint8_t> data);

    int ActiveProfile() const;
    void SetActiveProfile(int profile);
    uint16_t FirmwareVersion() const;
    void SetFirmwareVersion(uint16_t version);

private:
    std::array<uint8_t, kDeviceInfoSize> deviceInfo_{};
    std::array<uint8_t, kParameterAreaSize> parameters_{};
    std::array<uint8_t, kKeyBlockAreaSize> keyBlocks_{};
    std::vector<uint8_t> macro_;
    std::array<uint8_t, kKeyColourAreaSize> keyColours_{};
    std::array<uint8_t, kKeyBlockSize> defaultKeyBlock_{};
};

// The keyboard's own default action for each of the 64 key slots.
std::array<uint8_t, kKeyBlockSize> BuiltInDefaultKeyBlock();

// Macro area images a control can make the keyboard hold: the empty one of the
// factory state, and one that starts like a macro area (magic, size, one
// macro) but whose macro lies outside it, as a damaged area would.
std::vector<uint8_t> EmptyMacroAreaImage();
std::vector<uint8_t> MalformedMacroAreaImage();

}  // namespace torvex
