#pragma once
// How the simulated keyboard carries out one command frame.

#include <array>
#include <cstdint>
#include <span>

#include "SimMemory.h"

namespace torvex {

inline constexpr std::size_t kFrameSize = 64;
inline constexpr std::size_t kPayloadAt = 8;
inline constexpr std::size_t kPayloadSize = 56;
inline constexpr std::size_t kCommandAt = 3;
inline constexpr std::size_t kLengthAt = 4;
inline constexpr std::size_t kOffsetAt = 5;
inline constexpr std::size_t kStatusAt = 7;
inline constexpr uint8_t kReportId = 0x04;
inline constexpr uint8_t kStatusDone = 0x00;
inline constexpr uint8_t kStatusBusy = 0xFE;
inline constexpr uint8_t kStatusRefused = 0xFF;

enum SimCommand : uint8_t {
    kBeginTransfer = 0x01,
    kEndTransfer = 0x02,
    kReadDeviceInfo = 0x03,
    kWriteDeviceInfo = 0x04,
    kReadParameters = 0x05,
    kWriteParameters = 0x06,
    kReadKeyBlock = 0x07,
    kWriteKeyBlock = 0x08,
    kReadMacroArea = 0x09,
    kWriteMacroArea = 0x0A,
    kTestCommand = 0x0D,
    kReadDefaultKeyBlock = 0x0F,
    kWriteKeyColours = 0x11,
    kEnterBootMode = 0xEE,
};

using Frame = std::array<uint8_t, kFrameSize>;

// Sum of bytes 3..63, low 16 bits.
uint16_t FrameChecksum(std::span<const uint8_t, kFrameSize> frame);
bool ChecksumMatches(std::span<const uint8_t, kFrameSize> frame);
void StampChecksum(std::span<uint8_t, kFrameSize> frame);

struct SimOutcome {
    Frame reply{};
    bool changedMemory = false;
    bool endedTransfer = false;
};

// Carries out the request (bounds-checked) and builds the reply: byte 3 echoed,
// bytes 4-6 echoed, status in byte 7, read data in the payload. Anything the
// keyboard cannot do (unknown command, range outside its area) is answered with
// status 0xFF and changes nothing.
SimOutcome ExecuteCommand(SimMemory& memory, std::span<const uint8_t, kFrameSize> request);

// The reply to a frame the keyboard refuses without looking at it.
Frame RefusalReply(std::span<const uint8_t, kFrameSize> request, uint8_t status);

}  // namespace torvex
