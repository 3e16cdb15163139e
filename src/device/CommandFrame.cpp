#include "device/CommandFrame.h"

#include <algorithm>

#include "platform/LittleEndian.h"

namespace tessel {

CommandFrame CommandFrame::Request(DeviceCommand command, uint8_t length, uint16_t offset) {
    CommandFrame frame;
    frame.bytes_[0] = kCommandReportId;
    frame.bytes_[kCommandAt] = static_cast<uint8_t>(command);
    frame.bytes_[kLengthAt] = length;
    PutU16(frame.bytes_, kOffsetAt, offset);
    return frame;
}

void CommandFrame::SetPayload(std::span<const uint8_t> data) {
    const std::size_t count = std::min(data.size(), kPayloadSize);
    std::copy_n(data.begin(), count, bytes_.begin() + kPayloadAt);
}

void CommandFrame::SealChecksum() {
    PutU16(bytes_, kChecksumAt, ComputeFrameChecksum(bytes_));
}

uint16_t CommandFrame::Checksum() const {
    return GetU16(bytes_, kChecksumAt);
}

uint16_t ComputeFrameChecksum(std::span<const uint8_t, kCommandFrameSize> frame) {
    uint32_t sum = 0;
    for (std::size_t i = CommandFrame::kCommandAt; i < frame.size(); ++i) sum += frame[i];
    return static_cast<uint16_t>(sum);
}

}  // namespace tessel
