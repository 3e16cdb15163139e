#pragma once
// The real libTorvex.so of the build, loaded with dlopen, plus a recorder for
// what its callbacks deliver.

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "torvex.h"
#include "torvex_sim.h"

namespace torvex_test {

struct TorvexLibrary {
    decltype(&::Debug) Debug;
    decltype(&::Init) Init;
    decltype(&::End) End;
    decltype(&::RequestGetDeviceCount) RequestGetDeviceCount;
    decltype(&::DeleteRequestFromUnitId) DeleteRequestFromUnitId;
    decltype(&::DeleteRequestFromHandle) DeleteRequestFromHandle;
    decltype(&::RequestWrite) RequestWrite;
    decltype(&::RequestWriteOne) RequestWriteOne;
    decltype(&::RequestStatusWrite) RequestStatusWrite;
    decltype(&::RequestStatusGet) RequestStatusGet;
    decltype(&::RequestAsyncRead) RequestAsyncRead;
    decltype(&::RequestStatusSetFeature) RequestStatusSetFeature;
    decltype(&::TorvexSimPlug) SimPlug;
    decltype(&::TorvexSimUnplug) SimUnplug;
    decltype(&::TorvexSimNotify) SimNotify;
    decltype(&::TorvexSimPressProfileKey) SimPressProfileKey;
    decltype(&::TorvexSimSetFault) SimSetFault;
    decltype(&::TorvexSimReadArea) SimReadArea;
    decltype(&::TorvexSimAreaSize) SimAreaSize;
    decltype(&::TorvexSimWriteArea) SimWriteArea;
    decltype(&::TorvexSimSetFirmwareVersion) SimSetFirmwareVersion;
    decltype(&::TorvexSimReset) SimReset;
    decltype(&::TorvexSimFrameLogCount) SimFrameLogCount;
    decltype(&::TorvexSimFrameLogEntry) SimFrameLogEntry;
    decltype(&::TorvexSimClearFrameLog) SimClearFrameLog;
    decltype(&::TorvexSimLabelFrames) SimLabelFrames;
};

// Loaded once per process from the build's program folder; aborts the test on failure.
const TorvexLibrary& Library();

inline constexpr uint32_t kTagCtrl = 0x4354524C;
inline constexpr uint32_t kTagCons = 0x434F4E53;
inline constexpr uint32_t kTagLed = 0x004C4544;
inline constexpr ChannelDescriptor kCommandChannel{0xF, 0x320F, 0x500F, 0xFF1C, 0x0092, 0};
inline constexpr ChannelDescriptor kConsumerChannel{0xF, 0x320F, 0x500F, 0x000C, 0x0001, 0};
inline constexpr ChannelDescriptor kIndicatorChannel{0xF, 0x320F, 0x500F, 0x0008, 0x0089, 0};

// The program's side of the call-check: table i * 167 + 13, chained over the
// descriptor's raw bytes, callback, tag and data.
uint32_t CallCheck(const ChannelDescriptor& channel, DeviceCallback callback, uint32_t tag,
                   const uint8_t* data = nullptr, int length = 0);

// A request frame with its checksum.
std::vector<uint8_t> RequestFrame(uint8_t command, uint8_t length, uint16_t offset,
                                  const std::vector<uint8_t>& payload = {});

struct Delivery {
    uint32_t kind;
    uint32_t tag;
    uint32_t count;
    std::vector<uint8_t> data;    // kind 1: the bytes behind `data`
    std::vector<uint8_t> report;  // kind 1: the bytes behind the pointer at offset 28
    const void* handle;
    std::thread::id thread;
};

// Everything the library delivered to RecordingCallback, in order.
class Recorder {
public:
    static Recorder& Instance();
    void Clear();
    void Add(Delivery delivery);
    // Takes the oldest delivery of this tag and kind not taken yet, waiting up
    // to `timeoutMs` for one to arrive.
    std::optional<Delivery> WaitFor(uint32_t tag, uint32_t kind, int timeoutMs = 2000);

private:
    std::mutex lock_;
    std::condition_variable arrived_;
    std::vector<Delivery> deliveries_;
    std::vector<bool> taken_;
};

int RecordingCallback(const DeviceEventRecord* event);

// Sends one frame on the command channel with the right call-check; the library's result.
int SendFrame(const std::vector<uint8_t>& frame);

// Sends one frame on the command channel (correct call-check) and waits for its reply.
std::optional<std::vector<uint8_t>> Exchange(const std::vector<uint8_t>& frame,
                                             int timeoutMs = 2000);

}  // namespace torvex_test
