#pragma once
// One function per keyboard command. Every function returns a device result
// code (DeviceResult.h): 1 done, 0 no keyboard, -1 refused, -2 no matching
// reply, -102 / -103 busy status, -201 block index out of range.

#include <cstddef>
#include <cstdint>
#include <span>

namespace tessel {

inline constexpr std::size_t kDeviceInfoSize = 44;
inline constexpr std::size_t kFramePayloadSize = 56;
inline constexpr std::size_t kKeyBlockSize = 192;
inline constexpr int kKeyBlockCount = 4;
inline constexpr int kProfileCount = 4;
inline constexpr int kParameterRecordSize = 64;

class DeviceLink {
public:
    virtual ~DeviceLink() = default;

    virtual int BeginTransfer() = 0;
    virtual int EndTransfer() = 0;
    virtual int ReadDeviceInfo(std::span<uint8_t, kDeviceInfoSize> out) = 0;
    virtual int WriteDeviceInfo(std::span<const uint8_t, kDeviceInfoSize> info) = 0;
    // Always fills 56 bytes, whatever the length asked for.
    virtual int ReadParameters(std::span<uint8_t, kFramePayloadSize> out, int length,
                               int offset) = 0;
    virtual int WriteParameters(std::span<const uint8_t> data, int offset) = 0;
    virtual int ReadKeyBlock(std::span<uint8_t, kKeyBlockSize> out, int block) = 0;
    virtual int WriteKeyBlock(std::span<const uint8_t, kKeyBlockSize> data, int block) = 0;
    virtual int ReadMacroArea(std::span<uint8_t> out) = 0;
    virtual int WriteMacroArea(std::span<const uint8_t> data) = 0;
    virtual int TestCommand() = 0;
    virtual int ReadDefaultKeyBlock(std::span<uint8_t, kKeyBlockSize> out) = 0;
    // The colour area is addressed by the main window's current profile, which the
    // caller owns and passes in.
    virtual int WriteKeyColours(int currentProfile, std::span<const uint8_t> data,
                                int firstSlot) = 0;
    virtual int EnterBootMode() = 0;

    // Cached active on-board profile: 0..3, or -1 when unknown; reads the
    // keyboard when unknown.
    virtual int GetActiveProfile() = 0;
    // The same, never asking the keyboard.
    virtual int CachedActiveProfile() const = 0;
    virtual int SetActiveProfile(int profile) = 0;
    virtual void ForgetActiveProfile() = 0;
};

}  // namespace tessel
