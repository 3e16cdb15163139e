#pragma once
// The device link for the whole run: the bound library, the reply slot, the
// transport, the command set, the registered requests and the indicator state.

#include <array>
#include <cstdint>

#include "device/CommandTransport.h"
#include "device/DeviceCommandSet.h"
#include "device/DeviceService.h"
#include "device/ReplySlot.h"

namespace tessel {

// Ids of the requests registered with the library; 0 before the first one.
struct DeviceRequestIds {
    uint32_t consumerRead = 0;
    uint32_t commandRead = 0;
    uint32_t indicatorWrite = 0;
};

class DeviceConnection {
public:
    explicit DeviceConnection(const DeviceFunctions& functions);
    // Stops replies from reaching the slot; the library's requests stay.
    ~DeviceConnection();
    DeviceConnection(const DeviceConnection&) = delete;
    DeviceConnection& operator=(const DeviceConnection&) = delete;

    // Registers the consumer read, hooks up the reply slot, registers the
    // command read and returns the number of keyboards attached.
    int OpenChannels();

    DeviceLink& Link() { return commands_; }
    CommandTransport& Transport() { return transport_; }
    DeviceService& Service() { return service_; }
    const DeviceRequestIds& RequestIds() const { return requestIds_; }

    // 0x05, then the macro-key layer in bit 0 of the second byte.
    std::array<uint8_t, kIndicatorStateSize>& IndicatorState() { return indicatorState_; }
    void WriteIndicatorState();

private:
    DeviceService service_;
    ReplySlot replySlot_;
    CommandTransport transport_;
    DeviceCommandSet commands_;
    DeviceRequestIds requestIds_;
    std::array<uint8_t, kIndicatorStateSize> indicatorState_{0x05, 0x02};
};

}  // namespace tessel
