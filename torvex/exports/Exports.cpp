// The exported C functions: check the call, then hand it to the running Service.

#include <memory>
#include <mutex>
#include <span>
#include <string>

#include "CallCheck.h"
#include "Diagnostics.h"
#include "Service.h"
#include "torvex.h"

#define TORVEX_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

std::mutex serviceLock;
std::shared_ptr<torvex::Service> runningService;

std::shared_ptr<torvex::Service> Running() {
    std::lock_guard guard(serviceLock);
    return runningService;
}

std::span<const uint8_t> Block(const uint8_t* data, int length) {
    if (data == nullptr || length <= 0) {
        return {};
    }
    return {data, static_cast<std::size_t>(length)};
}

// A call is served only when the library runs, the descriptor is there and the
// call-check value covers exactly what was passed.
std::shared_ptr<torvex::Service> Admit(const char* name, const ChannelDescriptor* channel,
                                       DeviceCallback callback, uint32_t tag,
                                       std::span<const uint8_t> data, uint32_t check) {
    if (channel == nullptr) {
        return nullptr;
    }
    if (torvex::ExpectedCallCheck(*channel, callback, tag, data) != check) {
        torvex::DebugMessage(1, std::string(name) + ": call-check value refused");
        return nullptr;
    }
    return Running();
}

void StoreUnitId(uint32_t* unitId, uint32_t value) {
    if (unitId != nullptr) {
        *unitId = value;
    }
}

}  // namespace

TORVEX_EXPORT int Debug(int level) {
    return torvex::SetDebugLevel(level);
}

TORVEX_EXPORT int Init(int) {
    std::lock_guard guard(serviceLock);
    if (runningService) {
        return 1;
    }
    auto backend = torvex::BackendFromEnvironment();
    if (!backend) {
        torvex::DebugMessage(0, "unknown TORVEX_BACKEND (use hid or sim)");
        return 0;
    }
    auto service = std::make_shared<torvex::Service>(std::move(backend));
    if (!service->Start()) {
        return 0;
    }
    runningService = std::move(service);
    return 1;
}

TORVEX_EXPORT int End(void) {
    std::shared_ptr<torvex::Service> service;
    {
        std::lock_guard guard(serviceLock);
        // Ending from inside a callback would have to wait for itself.
        if (!runningService || runningService->OnCallbackThread()) {
            return 0;
        }
        service = std::move(runningService);
    }
    service->Stop();
    return 1;
}

TORVEX_EXPORT int RequestGetDeviceCount(const ChannelDescriptor* channel, DeviceCallback callback,
                                        uint32_t tag, uint32_t check, int) {
    auto service = Admit("RequestGetDeviceCount", channel, callback, tag, {}, check);
    return service ? service->DeviceCount(torvex::KeyOf(*channel)) : 0;
}

TORVEX_EXPORT int DeleteRequestFromUnitId(uint32_t unit_id) {
    auto service = Running();
    return (service && service->Remove(unit_id)) ? 1 : 0;
}

TORVEX_EXPORT int DeleteRequestFromHandle(void* handle) {
    auto service = Running();
    return (service && service->RemoveByHandle(handle)) ? 1 : 0;
}

TORVEX_EXPORT int RequestWrite(const ChannelDescriptor* channel, DeviceCallback callback,
                               uint32_t tag, const uint8_t* data, int length, uint32_t check,
                               uint32_t* unit_id) {
    auto block = Block(data, length);
    auto service = Admit("RequestWrite", channel, callback, tag, block, check);
    if (!service || service->Write(torvex::KeyOf(*channel), block) <= 0) {
        return 0;
    }
    StoreUnitId(unit_id, service->AddOneShot());
    return 1;
}

TORVEX_EXPORT int RequestWriteOne(const ChannelDescriptor* channel, DeviceCallback callback,
                                  uint32_t tag, const uint8_t* data, int length, uint32_t check,
                                  int) {
    auto block = Block(data, length);
    auto service = Admit("RequestWriteOne", channel, callback, tag, block, check);
    if (!service) {
        return -1;
    }
    return service->Write(torvex::KeyOf(*channel), block);
}

TORVEX_EXPORT int RequestStatusWrite(const ChannelDescriptor* channel, DeviceCallback callback,
                                     uint32_t tag, const uint8_t* data, int length, uint32_t check,
                                     uint32_t* unit_id) {
    return RequestWrite(channel, callback, tag, data, length, check, unit_id);
}

TORVEX_EXPORT int RequestStatusGet(const ChannelDescriptor* channel, DeviceCallback callback,
                                   uint32_t tag, uint8_t* data, int length, uint32_t check,
                                   uint32_t* unit_id) {
    // The buffer is an output, so the check covers no data block.
    auto service = Admit("RequestStatusGet", channel, callback, tag, {}, check);
    if (!service || data == nullptr || length <= 0) {
        return 0;
    }
    int copied =
        service->LastReport(torvex::KeyOf(*channel), {data, static_cast<std::size_t>(length)});
    if (copied > 0) {
        StoreUnitId(unit_id, service->AddOneShot());
    }
    return copied;
}

TORVEX_EXPORT int RequestAsyncRead(const ChannelDescriptor* channel, DeviceCallback callback,
                                   uint32_t tag, uint32_t check, uint32_t* unit_id) {
    auto service = Admit("RequestAsyncRead", channel, callback, tag, {}, check);
    if (!service || callback == nullptr) {
        return 0;
    }
    StoreUnitId(unit_id, service->AddRead(torvex::KeyOf(*channel), callback, tag));
    return 1;
}

TORVEX_EXPORT int RequestStatusSetFeature(const ChannelDescriptor* channel, DeviceCallback callback,
                                          uint32_t tag, const uint8_t* data, int length,
                                          uint32_t check, uint32_t* unit_id) {
    auto block = Block(data, length);
    auto service = Admit("RequestStatusSetFeature", channel, callback, tag, block, check);
    if (!service || service->SendFeature(torvex::KeyOf(*channel), block) <= 0) {
        return 0;
    }
    StoreUnitId(unit_id, service->AddOneShot());
    return 1;
}
