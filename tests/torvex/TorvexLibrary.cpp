#include "TorvexLibrary.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace torvex_test {

namespace {

template <typename Function>
void Resolve(void* handle, const char* name, Function& out) {
    out = reinterpret_cast<Function>(dlsym(handle, name));
    if (out == nullptr) {
        std::fprintf(stderr, "libTorvex.so lacks %s\n", name);
        std::abort();
    }
}

TorvexLibrary Load() {
    std::string path = std::string(TESSEL_PROGRAM_DIR) + "/libTorvex.so";
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        std::fprintf(stderr, "cannot load %s: %s\n", path.c_str(), dlerror());
        std::abort();
    }
    TorvexLibrary library{};
    Resolve(handle, "Debug", library.Debug);
    Resolve(handle, "Init", library.Init);
    Resolve(handle, "End", library.End);
    Resolve(handle, "RequestGetDeviceCount", library.RequestGetDeviceCount);
    Resolve(handle, "DeleteRequestFromUnitId", library.DeleteRequestFromUnitId);
    Resolve(handle, "DeleteRequestFromHandle", library.DeleteRequestFromHandle);
    Resolve(handle, "RequestWrite", library.RequestWrite);
    Resolve(handle, "RequestWriteOne", library.RequestWriteOne);
    Resolve(handle, "RequestStatusWrite", library.RequestStatusWrite);
    Resolve(handle, "RequestStatusGet", library.RequestStatusGet);
    Resolve(handle, "RequestAsyncRead", library.RequestAsyncRead);
    Resolve(handle, "RequestStatusSetFeature", library.RequestStatusSetFeature);
    Resolve(handle, "TorvexSimPlug", library.SimPlug);
    Resolve(handle, "TorvexSimUnplug", library.SimUnplug);
    Resolve(handle, "TorvexSimNotify", library.SimNotify);
    Resolve(handle, "TorvexSimPressProfileKey", library.SimPressProfileKey);
    Resolve(handle, "TorvexSimSetFault", library.SimSetFault);
    Resolve(handle, "TorvexSimReadArea", library.SimReadArea);
    Resolve(handle, "TorvexSimAreaSize", library.SimAreaSize);
    Resolve(handle, "TorvexSimWriteArea", library.SimWriteArea);
    Resolve(handle, "TorvexSimSetFirmwareVersion", library.SimSetFirmwareVersion);
    Resolve(handle, "TorvexSimReset", library.SimReset);
    Resolve(handle, "TorvexSimFrameLogCount", library.SimFrameLogCount);
    Resolve(handle, "TorvexSimFrameLogEntry", library.SimFrameLogEntry);
    Resolve(handle, "TorvexSimClearFrameLog", library.SimClearFrameLog);
    Resolve(handle, "TorvexSimLabelFrames", library.SimLabelFrames);
    return library;
}

}  // namespace

const TorvexLibrary& Library() {
    static const TorvexLibrary library = Load();
    return library;
}

uint32_t CallCheck(const ChannelDescriptor& channel, DeviceCallback callback, uint32_t tag,
                   const uint8_t* data, int length) {
    auto add = [](uint32_t value, const uint8_t* bytes, int count) {
        for (int i = 0; i < count; ++i) {
            value += static_cast<uint8_t>(bytes[i] * 167 + 13);
        }
        return value;
    };
    uint8_t descriptor[16];
    std::memcpy(descriptor, &channel, sizeof descriptor);
    const uint32_t address = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(callback));
    const uint8_t addressBytes[4] = {
        static_cast<uint8_t>(address), static_cast<uint8_t>(address >> 8),
        static_cast<uint8_t>(address >> 16), static_cast<uint8_t>(address >> 24)};
    const uint8_t tagBytes[4] = {static_cast<uint8_t>(tag), static_cast<uint8_t>(tag >> 8),
                                 static_cast<uint8_t>(tag >> 16), static_cast<uint8_t>(tag >> 24)};
    uint32_t value = add(0, descriptor, 16);
    value = add(value, addressBytes, 4);
    value = add(value, tagBytes, 4);
    return add(value, data, length);
}

std::vector<uint8_t> RequestFrame(uint8_t command, uint8_t length, uint16_t offset,
                                  const std::vector<uint8_t>& payload) {
    std::vector<uint8_t> frame(64, 0);
    frame[0] = 0x04;
    frame[3] = command;
    frame[4] = length;
    frame[5] = static_cast<uint8_t>(offset);
    frame[6] = static_cast<uint8_t>(offset >> 8);
    std::copy(payload.begin(), payload.end(), frame.begin() + 8);
    uint32_t sum = 0;
    for (int i = 3; i < 64; ++i) {
        sum += frame[i];
    }
    frame[1] = static_cast<uint8_t>(sum);
    frame[2] = static_cast<uint8_t>(sum >> 8);
    return frame;
}

Recorder& Recorder::Instance() {
    static Recorder recorder;
    return recorder;
}

void Recorder::Clear() {
    std::lock_guard guard(lock_);
    deliveries_.clear();
    taken_.clear();
}

void Recorder::Add(Delivery delivery) {
    {
        std::lock_guard guard(lock_);
        deliveries_.push_back(std::move(delivery));
        taken_.push_back(false);
    }
    arrived_.notify_all();
}

std::optional<Delivery> Recorder::WaitFor(uint32_t tag, uint32_t kind, int timeoutMs) {
    std::unique_lock guard(lock_);
    std::optional<Delivery> found;
    arrived_.wait_for(guard, std::chrono::milliseconds(timeoutMs), [&] {
        for (std::size_t i = 0; i < deliveries_.size(); ++i) {
            if (!taken_[i] && deliveries_[i].tag == tag && deliveries_[i].kind == kind) {
                taken_[i] = true;
                found = deliveries_[i];
                return true;
            }
        }
        return false;
    });
    return found;
}

int RecordingCallback(const DeviceEventRecord* event) {
    const DeviceRequestRecord* request = event->request;
    Delivery delivery{
        event->kind, request->tag, request->count, {}, {}, request, std::this_thread::get_id()};
    if (event->kind == TORVEX_EVENT_INPUT_REPORT) {
        delivery.data.assign(request->data, request->data + request->count);
        const uint8_t* reportBytes = nullptr;
        std::memcpy(&reportBytes, request->report + TORVEX_REPORT_POINTER_OFFSET,
                    sizeof reportBytes);
        delivery.report.assign(reportBytes, reportBytes + request->count);
    }
    Recorder::Instance().Add(std::move(delivery));
    return 1;
}

int SendFrame(const std::vector<uint8_t>& frame) {
    uint32_t check = CallCheck(kCommandChannel, nullptr, 0, frame.data(), 64);
    return Library().RequestWriteOne(&kCommandChannel, nullptr, 0, frame.data(), 64, check, 0);
}

std::optional<std::vector<uint8_t>> Exchange(const std::vector<uint8_t>& frame, int timeoutMs) {
    if (SendFrame(frame) != 1) {
        return std::nullopt;
    }
    auto reply = Recorder::Instance().WaitFor(kTagCtrl, TORVEX_EVENT_INPUT_REPORT, timeoutMs);
    if (!reply) {
        return std::nullopt;
    }
    return reply->data;
}

}  // namespace torvex_test
