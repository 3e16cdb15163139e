#include "support/SimulatedKeyboard.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "device/DeviceStartup.h"

namespace tessel::test {

TorvexLibrary& TorvexLibrary::Simulated() {
    static TorvexLibrary* library = [] {
        ::setenv("TORVEX_BACKEND", "sim", 1);
        // Keyboard state lives in memory only: every run starts from the factory state.
        ::unsetenv("TORVEX_SIM_STATE");
        ::unsetenv("TORVEX_SIM_CONTROL");
        const std::string path = std::string(TESSEL_PROGRAM_DIR) + "/libTorvex.so";
        void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) {
            const char* error = ::dlerror();
            ADD_FAILURE() << "cannot load " << path << ": " << (error ? error : "");
            std::abort();
        }
        return new TorvexLibrary(handle);
    }();
    return *library;
}

void* TorvexLibrary::Resolve(const std::string& name) {
    return ::dlsym(handle_, name.c_str());
}

template <typename Function>
Function SimulatedKeyboard::Control(const char* name) {
    void* address = TorvexLibrary::Simulated().Resolve(name);
    if (address == nullptr) {
        ADD_FAILURE() << "libTorvex.so lacks " << name;
        std::abort();
    }
    Function function = nullptr;
    std::memcpy(&function, &address, sizeof(function));
    return function;
}

SimulatedKeyboard::SimulatedKeyboard(const SimulatedKeyboardOptions& options) {
    Control<decltype(&TorvexSimReset)>("TorvexSimReset")();
    if (!options.pluggedAtStart)
        Unplug();
    // Bound as the program binds it, from the program folder, unless the test
    // brings exports of its own.
    DeviceStartup startup =
        options.exports != nullptr
            ? StartDeviceLink(*options.exports, options.listener)
            : StartDeviceLink(std::filesystem::path(TESSEL_PROGRAM_DIR), options.listener);
    if (!startup.connection) {
        ADD_FAILURE() << "device link did not start: " << startup.failure;
        std::abort();
    }
    connection_ = std::move(startup.connection);
    startupDeviceCount_ = startup.deviceCount;
}

SimulatedKeyboard::~SimulatedKeyboard() {
    // The program never stops the library; a test does, so the next test
    // starts without the previous test's requests and threads.
    DeviceEventRouter::Instance().SetStatusListener(nullptr);
    const DeviceRequestIds ids = connection_->RequestIds();
    for (uint32_t id : {ids.consumerRead, ids.commandRead, ids.indicatorWrite}) {
        if (id != 0)
            connection_->Service().CancelRequest(id);
    }
    Control<decltype(&End)>("End")();
    connection_.reset();
}

void SimulatedKeyboard::ShortenReplyWait(std::chrono::milliseconds wait) {
    TransportTiming timing = connection_->Transport().Timing();
    timing.replyWait = wait;
    connection_->Transport().SetTiming(timing);
}

int SimulatedKeyboard::Plug() {
    return Control<decltype(&TorvexSimPlug)>("TorvexSimPlug")();
}

int SimulatedKeyboard::Unplug() {
    return Control<decltype(&TorvexSimUnplug)>("TorvexSimUnplug")();
}

int SimulatedKeyboard::Notify(uint16_t code) {
    return Control<decltype(&TorvexSimNotify)>("TorvexSimNotify")(code);
}

int SimulatedKeyboard::PressProfileKey() {
    return Control<decltype(&TorvexSimPressProfileKey)>("TorvexSimPressProfileKey")();
}

int SimulatedKeyboard::SetFault(int kind, int count, int value) {
    return Control<decltype(&TorvexSimSetFault)>("TorvexSimSetFault")(kind, count, value);
}

void SimulatedKeyboard::ClearFaults() {
    Control<decltype(&TorvexSimClearFaults)>("TorvexSimClearFaults")();
}

int SimulatedKeyboard::SetFirmwareVersion(uint16_t version) {
    return Control<decltype(&TorvexSimSetFirmwareVersion)>("TorvexSimSetFirmwareVersion")(version);
}

std::vector<uint8_t> SimulatedKeyboard::ReadArea(int area, uint32_t offset, uint32_t length) {
    std::vector<uint8_t> bytes(length);
    const int copied = Control<decltype(&TorvexSimReadArea)>("TorvexSimReadArea")(
        area, offset, bytes.data(), length);
    bytes.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return bytes;
}

bool SimulatedKeyboard::WriteArea(int area, uint32_t offset, const std::vector<uint8_t>& bytes) {
    return Control<decltype(&TorvexSimWriteArea)>("TorvexSimWriteArea")(
               area, offset, bytes.data(), static_cast<uint32_t>(bytes.size())) == 1;
}

int SimulatedKeyboard::HoldMalformedMacroArea() {
    return Control<decltype(&TorvexSimHoldMalformedMacroArea)>("TorvexSimHoldMalformedMacroArea")();
}

std::vector<TorvexSimFrame> SimulatedKeyboard::FrameLog() {
    const int count = Control<decltype(&TorvexSimFrameLogCount)>("TorvexSimFrameLogCount")();
    auto entry = Control<decltype(&TorvexSimFrameLogEntry)>("TorvexSimFrameLogEntry");
    std::vector<TorvexSimFrame> frames;
    for (int i = 0; i < count; ++i) {
        TorvexSimFrame frame{};
        if (entry(i, &frame) != 0)
            frames.push_back(frame);
    }
    return frames;
}

namespace {

std::vector<TorvexSimFrame> Select(const std::vector<TorvexSimFrame>& log, uint8_t direction,
                                   uint8_t channel) {
    std::vector<TorvexSimFrame> selected;
    for (const TorvexSimFrame& frame : log) {
        if (frame.direction == direction && frame.channel == channel)
            selected.push_back(frame);
    }
    return selected;
}

}  // namespace

std::vector<TorvexSimFrame> SimulatedKeyboard::CommandsReceived() {
    return Select(FrameLog(), TORVEX_SIM_TO_KEYBOARD, TORVEX_SIM_CHANNEL_COMMAND);
}

std::vector<TorvexSimFrame> SimulatedKeyboard::IndicatorWrites() {
    return Select(FrameLog(), TORVEX_SIM_TO_KEYBOARD, TORVEX_SIM_CHANNEL_INDICATOR);
}

void SimulatedKeyboard::ClearFrameLog() {
    Control<decltype(&TorvexSimClearFrameLog)>("TorvexSimClearFrameLog")();
}

}  // namespace tessel::test
