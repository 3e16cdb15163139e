#include "device/DeviceCommandSet.h"

#include <algorithm>
#include <array>
#include <thread>

#include "device/DeviceResult.h"

namespace tessel {
namespace {

constexpr uint32_t kLargestOffset = 0xFFFF;

bool FitsFrame(std::size_t length) {
    return length <= CommandFrame::kPayloadSize;
}

bool FitsOffset(long long offset) {
    return offset >= 0 && offset <= kLargestOffset;
}

}  // namespace

int DeviceCommandSet::Exchange(CommandFrame& request, CommandFrame& reply) {
    request.SealChecksum();
    std::size_t received = 0;
    const int result = transport_.Transact(request.Bytes(), reply.Bytes(), received);
    if (result != kDeviceDone)
        return result;
    const int status = reply.Status() == kStatusBusyFF   ? kDeviceStatusFF
                       : reply.Status() == kStatusBusyFE ? kDeviceStatusFE
                                                         : kDeviceDone;
    // A command the keyboard did not carry out fails its sequence.
    TransferSequence::NoteResult(status);
    return status;
}

int DeviceCommandSet::Simple(DeviceCommand command) {
    CommandFrame request = CommandFrame::Request(command, 0, 0);
    CommandFrame reply;
    return Exchange(request, reply);
}

int DeviceCommandSet::BeginTransfer() {
    return Simple(DeviceCommand::BeginTransfer);
}

int DeviceCommandSet::EndTransfer() {
    // Gives the keyboard time to finish storing the last write.
    std::this_thread::sleep_for(transport_.Timing().endTransferPause);
    return Simple(DeviceCommand::EndTransfer);
}

int DeviceCommandSet::TestCommand() {
    return Simple(DeviceCommand::TestCommand);
}

int DeviceCommandSet::ReadDeviceInfo(std::span<uint8_t, kDeviceInfoSize> out) {
    CommandFrame request = CommandFrame::Request(DeviceCommand::ReadDeviceInfo, kDeviceInfoSize, 0);
    CommandFrame reply;
    const int result = Exchange(request, reply);
    if (result != kDeviceDone)
        return result;
    std::copy_n(reply.Payload().begin(), out.size(), out.begin());
    return kDeviceDone;
}

int DeviceCommandSet::WriteDeviceInfo(std::span<const uint8_t, kDeviceInfoSize> info) {
    CommandFrame request =
        CommandFrame::Request(DeviceCommand::WriteDeviceInfo, kDeviceInfoSize, 0);
    request.SetPayload(info);
    CommandFrame reply;
    return Exchange(request, reply);
}

int DeviceCommandSet::ReadParameters(std::span<uint8_t, kFramePayloadSize> out, int length,
                                     int offset) {
    if (length < 0 || !FitsFrame(static_cast<std::size_t>(length)) || !FitsOffset(offset)) {
        return kDeviceOutOfRange;
    }
    CommandFrame request = CommandFrame::Request(
        DeviceCommand::ReadParameters, static_cast<uint8_t>(length), static_cast<uint16_t>(offset));
    CommandFrame reply;
    const int result = Exchange(request, reply);
    if (result != kDeviceDone)
        return result;
    // The whole payload, whatever length was asked for.
    std::copy_n(reply.Payload().begin(), out.size(), out.begin());
    return kDeviceDone;
}

int DeviceCommandSet::WriteParameters(std::span<const uint8_t> data, int offset) {
    if (!FitsFrame(data.size()) || !FitsOffset(offset))
        return kDeviceOutOfRange;
    CommandFrame request =
        CommandFrame::Request(DeviceCommand::WriteParameters, static_cast<uint8_t>(data.size()),
                              static_cast<uint16_t>(offset));
    request.SetPayload(data);
    CommandFrame reply;
    return Exchange(request, reply);
}

int DeviceCommandSet::ReadChunks(DeviceCommand command, std::span<uint8_t> out, uint32_t base) {
    for (std::size_t start = 0; start < out.size(); start += CommandFrame::kPayloadSize) {
        const std::size_t length = std::min(CommandFrame::kPayloadSize, out.size() - start);
        CommandFrame request = CommandFrame::Request(command, static_cast<uint8_t>(length),
                                                     static_cast<uint16_t>(base + start));
        CommandFrame reply;
        const int result = Exchange(request, reply);
        if (result != kDeviceDone)
            return result;
        std::copy_n(reply.Payload().begin(), length, out.begin() + start);
    }
    return kDeviceDone;
}

int DeviceCommandSet::WriteChunks(DeviceCommand command, std::span<const uint8_t> data,
                                  uint32_t base) {
    for (std::size_t start = 0; start < data.size(); start += CommandFrame::kPayloadSize) {
        const std::size_t length = std::min(CommandFrame::kPayloadSize, data.size() - start);
        CommandFrame request = CommandFrame::Request(command, static_cast<uint8_t>(length),
                                                     static_cast<uint16_t>(base + start));
        request.SetPayload(data.subspan(start, length));
        CommandFrame reply;
        const int result = Exchange(request, reply);
        if (result != kDeviceDone)
            return result;
    }
    return kDeviceDone;
}

int DeviceCommandSet::ReadKeyBlock(std::span<uint8_t, kKeyBlockSize> out, int block) {
    if (block < 0 || block >= kKeyBlockCount)
        return kDeviceOutOfRange;
    return ReadChunks(DeviceCommand::ReadKeyBlock, out, block * kKeyBlockSize);
}

int DeviceCommandSet::WriteKeyBlock(std::span<const uint8_t, kKeyBlockSize> data, int block) {
    if (block < 0 || block >= kKeyBlockCount)
        return kDeviceOutOfRange;
    return WriteChunks(DeviceCommand::WriteKeyBlock, data, block * kKeyBlockSize);
}

int DeviceCommandSet::ReadDefaultKeyBlock(std::span<uint8_t, kKeyBlockSize> out) {
    return ReadChunks(DeviceCommand::ReadDefaultKeyBlock, out, 0);
}

// The macro area is addressed from 0 by a 16-bit offset, so a transfer must end
// below 65536 bytes for every chunk start to be addressable.
int DeviceCommandSet::ReadMacroArea(std::span<uint8_t> out) {
    if (out.size() > kLargestOffset)
        return kDeviceOutOfRange;
    return ReadChunks(DeviceCommand::ReadMacroArea, out, 0);
}

int DeviceCommandSet::WriteMacroArea(std::span<const uint8_t> data) {
    if (data.size() > kLargestOffset)
        return kDeviceOutOfRange;
    return WriteChunks(DeviceCommand::WriteMacroArea, data, 0);
}

int DeviceCommandSet::WriteKeyColours(int currentProfile, std::span<const uint8_t> data,
                                      int firstSlot) {
    if (currentProfile < 0 || currentProfile >= kProfileCount)
        return kDeviceOutOfRange;
    if (firstSlot < 0 || firstSlot >= kKeyColourSlots || !FitsFrame(data.size())) {
        return kDeviceOutOfRange;
    }
    const std::size_t start = static_cast<std::size_t>(firstSlot) * kKeyColourSlotSize;
    if (start + data.size() > kKeyColourAreaSize)
        return kDeviceOutOfRange;
    const std::size_t offset =
        static_cast<std::size_t>(currentProfile) * kKeyColourAreaSize + start;
    CommandFrame request =
        CommandFrame::Request(DeviceCommand::WriteKeyColours, static_cast<uint8_t>(data.size()),
                              static_cast<uint16_t>(offset));
    request.SetPayload(data);
    CommandFrame reply;
    return Exchange(request, reply);
}

int DeviceCommandSet::EnterBootMode() {
    // The boot loader takes this frame as it stands: no checksum, no reply.
    CommandFrame frame = CommandFrame::Request(
        DeviceCommand::EnterBootMode, static_cast<uint8_t>(DeviceCommand::EnterBootMode), 0);
    return transport_.SendNoReply(frame.Bytes());
}

int DeviceCommandSet::GetActiveProfile() {
    const int cached = activeProfile_.load();
    if (cached != -1)
        return cached;
    std::array<uint8_t, kDeviceInfoSize> info{};
    if (ReadDeviceInfo(info) != kDeviceDone)
        return -1;
    const int profile = info[kActiveProfileAt];
    // A value the keyboard should never report stays unknown.
    if (profile >= kProfileCount)
        return -1;
    activeProfile_.store(profile);
    return profile;
}

int DeviceCommandSet::SetActiveProfile(int profile) {
    if (profile < 0 || profile >= kProfileCount)
        return kDeviceOutOfRange;
    std::array<uint8_t, kDeviceInfoSize> info{};
    const int read = ReadDeviceInfo(info);
    if (read != kDeviceDone)
        return read;
    info[kActiveProfileAt] = static_cast<uint8_t>(profile);
    const int written = WriteDeviceInfo(info);
    activeProfile_.store(written == kDeviceDone ? profile : -1);
    return written;
}

void DeviceCommandSet::ForgetActiveProfile() {
    activeProfile_.store(-1);
}

}  // namespace tessel
