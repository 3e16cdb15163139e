#pragma once
// The simulated keyboard inside the real libTorvex.so of the program folder,
// bound the way the program binds it, with a fresh keyboard per instance.
// Only one instance may exist at a time: the library and its callback are
// program-wide.

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "device/DeviceConnection.h"
#include "device/DeviceEvents.h"
#include "device/DeviceFunctions.h"
#include "device/DeviceLink.h"
#include "torvex_sim.h"

namespace tessel::test {

// The loaded library: every export by name, sim controls included.
class TorvexLibrary final : public ExportResolver {
public:
    // Loads TESSEL_PROGRAM_DIR/libTorvex.so with the simulated keyboard once
    // per process; it stays loaded, as in the program.
    static TorvexLibrary& Simulated();
    void* Resolve(const std::string& name) override;

private:
    explicit TorvexLibrary(void* handle) : handle_(handle) {}
    void* handle_;
};

struct SimulatedKeyboardOptions {
    // Receives attach, removal and notification codes.
    StatusChannelListener* listener = nullptr;
    // Where the program's exports come from; the library itself when nullptr.
    ExportResolver* exports = nullptr;
    bool pluggedAtStart = true;
};

class SimulatedKeyboard {
public:
    SimulatedKeyboard() : SimulatedKeyboard(SimulatedKeyboardOptions{}) {}
    explicit SimulatedKeyboard(const SimulatedKeyboardOptions& options);
    ~SimulatedKeyboard();
    SimulatedKeyboard(const SimulatedKeyboard&) = delete;
    SimulatedKeyboard& operator=(const SimulatedKeyboard&) = delete;

    DeviceLink& Link() { return connection_->Link(); }
    DeviceConnection& Connection() { return *connection_; }
    // Keyboards counted when the channels were opened.
    int StartupDeviceCount() const { return startupDeviceCount_; }
    // Lost replies cost this long instead of a second each.
    void ShortenReplyWait(std::chrono::milliseconds wait);

    // Simulator controls; results as the simulator gives them (1 done).
    int Plug();
    int Unplug();
    int Notify(uint16_t code);
    int PressProfileKey();
    int SetFault(int kind, int count, int value = 0);
    void ClearFaults();
    int SetFirmwareVersion(uint16_t version);
    std::vector<uint8_t> ReadArea(int area, uint32_t offset, uint32_t length);
    bool WriteArea(int area, uint32_t offset, const std::vector<uint8_t>& bytes);
    int HoldMalformedMacroArea();

    std::vector<TorvexSimFrame> FrameLog();
    // Command frames the keyboard received, oldest first.
    std::vector<TorvexSimFrame> CommandsReceived();
    // Frames written to the indicator channel, oldest first.
    std::vector<TorvexSimFrame> IndicatorWrites();
    void ClearFrameLog();

private:
    template <typename Function>
    Function Control(const char* name);

    std::unique_ptr<DeviceConnection> connection_;
    int startupDeviceCount_ = 0;
};

// Waits until `condition` holds or the time is up; for events that arrive on
// the library's thread.
template <typename Condition>
bool EventuallyTrue(Condition condition,
                    std::chrono::milliseconds limit = std::chrono::milliseconds(3000)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

}  // namespace tessel::test
