#include "SimCommands.h"

#include <algorithm>

#include "ByteOrder.h"

namespace torvex {

namespace {

// Device information bytes the keyboard owns; a write leaves them alone.
bool KeyboardOwnsInfoByte(std::size_t index) {
    return index == kFirmwareVersionAt || index == kFirmwareVersionAt + 1 ||
           index == kMacroCapacityAt || index >= kEffectListAt;
}

struct Addressing {
    SimArea area;
    bool write;
};

bool AddressingOf(uint8_t command, Addressing& out) {
    switch (command) {
        case kReadParameters:
            out = {SimArea::Parameters, false};
            return true;
        case kWriteParameters:
            out = {SimArea::Parameters, true};
            return true;
        case kReadKeyBlock:
            out = {SimArea::KeyBlocks, false};
            return true;
        case kWriteKeyBlock:
            out = {SimArea::KeyBlocks, true};
            return true;
        case kReadMacroArea:
            out = {SimArea::Macro, false};
            return true;
        case kWriteMacroArea:
            out = {SimArea::Macro, true};
            return true;
        case kReadDefaultKeyBlock:
            out = {SimArea::DefaultKeyBlock, false};
            return true;
        case kWriteKeyColours:
            out = {SimArea::KeyColours, true};
            return true;
        default:
            return false;
    }
}

}  // namespace

uint16_t FrameChecksum(std::span<const uint8_t, kFrameSize> frame) {
    uint32_t sum = 0;
    for (std::size_t i = kCommandAt; i < kFrameSize; ++i) {
        sum += frame[i];
    }
    return static_cast<uint16_t>(sum);
}

bool ChecksumMatches(std::span<const uint8_t, kFrameSize> frame) {
    return GetU16(frame, 1) == FrameChecksum(frame);
}

void StampChecksum(std::span<uint8_t, kFrameSize> frame) {
    PutU16(frame, 1, FrameChecksum(frame));
}

Frame RefusalReply(std::span<const uint8_t, kFrameSize> request, uint8_t status) {
    Frame reply{};
    reply[0] = kReportId;
    std::copy_n(request.begin() + kCommandAt, 4, reply.begin() + kCommandAt);
    reply[kStatusAt] = status;
    StampChecksum(reply);
    return reply;
}

SimOutcome ExecuteCommand(SimMemory& memory, std::span<const uint8_t, kFrameSize> request) {
    SimOutcome outcome;
    outcome.reply = RefusalReply(request, kStatusDone);
    Frame& reply = outcome.reply;
    auto payload = std::span(reply).subspan(kPayloadAt, kPayloadSize);
    auto requestPayload = request.subspan(kPayloadAt, kPayloadSize);
    const uint8_t command = request[kCommandAt];
    const std::size_t length = request[kLengthAt];
    const std::size_t offset = GetU16(request, kOffsetAt);
    bool done = true;

    Addressing addressing{};
    if (command == kBeginTransfer || command == kEndTransfer || command == kTestCommand) {
        outcome.endedTransfer = command == kEndTransfer;
    } else if (command == kReadDeviceInfo) {
        memory.Read(SimArea::DeviceInfo, 0, payload.first(kDeviceInfoSize));
    } else if (command == kWriteDeviceInfo) {
        auto info = memory.Area(SimArea::DeviceInfo);
        const int profile = requestPayload[kActiveProfileAt];
        done = profile < kProfileCount;
        for (std::size_t i = 0; done && i < kDeviceInfoSize; ++i) {
            if (!KeyboardOwnsInfoByte(i)) {
                info[i] = requestPayload[i];
            }
        }
        outcome.changedMemory = done;
    } else if (length > kPayloadSize) {
        done = false;
    } else if (command == kReadParameters) {
        // The reply always carries 56 bytes; the part past the area reads as 0.
        auto area = memory.Area(SimArea::Parameters);
        done = offset < area.size();
        if (done) {
            std::size_t count = std::min(kPayloadSize, area.size() - offset);
            std::copy_n(area.begin() + offset, count, payload.begin());
        }
    } else if (AddressingOf(command, addressing)) {
        if (addressing.write) {
            done = memory.Write(addressing.area, offset, requestPayload.first(length));
            outcome.changedMemory = done;
        } else {
            done = memory.Read(addressing.area, offset, payload.first(length));
        }
    } else {
        done = false;
    }

    if (!done) {
        outcome.changedMemory = false;
        std::fill(payload.begin(), payload.end(), 0);
        reply[kStatusAt] = kStatusRefused;
    }
    StampChecksum(reply);
    return outcome;
}

}  // namespace torvex
