#pragma once
// The 64-byte frame of every command and reply on the command channel:
// report id, checksum, command, payload length, offset, status, payload.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace tessel {

inline constexpr std::size_t kCommandFrameSize = 64;
inline constexpr uint8_t kCommandReportId = 0x04;
inline constexpr uint8_t kStatusBusyFF = 0xFF;
inline constexpr uint8_t kStatusBusyFE = 0xFE;

enum class DeviceCommand : uint8_t {
    BeginTransfer = 0x01,
    EndTransfer = 0x02,
    ReadDeviceInfo = 0x03,
    WriteDeviceInfo = 0x04,
    ReadParameters = 0x05,
    WriteParameters = 0x06,
    ReadKeyBlock = 0x07,
    WriteKeyBlock = 0x08,
    ReadMacroArea = 0x09,
    WriteMacroArea = 0x0A,
    TestCommand = 0x0D,
    ReadDefaultKeyBlock = 0x0F,
    WriteKeyColours = 0x11,
    EnterBootMode = 0xEE,
};

class CommandFrame {
public:
    static constexpr std::size_t kChecksumAt = 1;
    static constexpr std::size_t kCommandAt = 3;
    static constexpr std::size_t kLengthAt = 4;
    static constexpr std::size_t kOffsetAt = 5;
    static constexpr std::size_t kStatusAt = 7;
    static constexpr std::size_t kPayloadAt = 8;
    static constexpr std::size_t kPayloadSize = kCommandFrameSize - kPayloadAt;

    // A request with report id, command, payload length and offset set and
    // every other byte 0; the checksum is sealed by the caller once the
    // payload is in place.
    static CommandFrame Request(DeviceCommand command, uint8_t length, uint16_t offset);

    // Copies at most the 56 payload bytes.
    void SetPayload(std::span<const uint8_t> data);
    // Bytes 1-2: the sum of bytes 3..63, low byte first.
    void SealChecksum();

    uint16_t Checksum() const;
    uint8_t Command() const { return bytes_[kCommandAt]; }
    uint8_t Status() const { return bytes_[kStatusAt]; }
    std::span<const uint8_t, kPayloadSize> Payload() const {
        return std::span<const uint8_t, kCommandFrameSize>(bytes_).subspan<kPayloadAt>();
    }

    std::span<uint8_t, kCommandFrameSize> Bytes() { return bytes_; }
    std::span<const uint8_t, kCommandFrameSize> Bytes() const { return bytes_; }

private:
    std::array<uint8_t, kCommandFrameSize> bytes_{};
};

// The sum the checksum field carries for these frame bytes.
uint16_t ComputeFrameChecksum(std::span<const uint8_t, kCommandFrameSize> frame);

}  // namespace tessel
