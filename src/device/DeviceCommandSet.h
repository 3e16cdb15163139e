#pragma once
// The keyboard commands over the command transport: frames, chunking,
// addressing, reply status, and the cached active profile.

#include <atomic>

#include "device/CommandFrame.h"
#include "device/CommandTransport.h"
#include "device/DeviceLink.h"

namespace tessel {

inline constexpr std::size_t kKeyColourAreaSize = 192;
inline constexpr int kKeyColourSlots = 64;
inline constexpr std::size_t kKeyColourSlotSize = 3;
inline constexpr std::size_t kActiveProfileAt = 10;

class DeviceCommandSet final : public DeviceLink {
public:
    explicit DeviceCommandSet(CommandTransport& transport) : transport_(transport) {}

    int BeginTransfer() override;
    int EndTransfer() override;
    int ReadDeviceInfo(std::span<uint8_t, kDeviceInfoSize> out) override;
    int WriteDeviceInfo(std::span<const uint8_t, kDeviceInfoSize> info) override;
    int ReadParameters(std::span<uint8_t, kFramePayloadSize> out, int length, int offset) override;
    int WriteParameters(std::span<const uint8_t> data, int offset) override;
    int ReadKeyBlock(std::span<uint8_t, kKeyBlockSize> out, int block) override;
    int WriteKeyBlock(std::span<const uint8_t, kKeyBlockSize> data, int block) override;
    int ReadMacroArea(std::span<uint8_t> out) override;
    int WriteMacroArea(std::span<const uint8_t> data) override;
    int TestCommand() override;
    int ReadDefaultKeyBlock(std::span<uint8_t, kKeyBlockSize> out) override;
    int WriteKeyColours(int currentProfile, std::span<const uint8_t> data, int firstSlot) override;
    int EnterBootMode() override;

    int GetActiveProfile() override;
    int CachedActiveProfile() const override { return activeProfile_.load(); }
    int SetActiveProfile(int profile) override;
    void ForgetActiveProfile() override;

private:
    // Sends one sealed frame; on 1 the reply holds the keyboard's answer with
    // a status that is not busy.
    int Exchange(CommandFrame& request, CommandFrame& reply);
    // A frame without payload whose reply is not used.
    int Simple(DeviceCommand command);
    // Reads area bytes [0, out.size()) in 56-byte chunks at base + chunk start.
    int ReadChunks(DeviceCommand command, std::span<uint8_t> out, uint32_t base);
    int WriteChunks(DeviceCommand command, std::span<const uint8_t> data, uint32_t base);

    CommandTransport& transport_;
    std::atomic<int> activeProfile_{-1};
};

}  // namespace tessel
