#pragma once
// The simulated keyboard: three HID interfaces (command, consumer, indicator),
// its memory areas, fault injection and a frame log. Thread-safe; it reaches
// the program only through the EventSink of the running backend.

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "Backend.h"
#include "FrameLog.h"
#include "SimFaults.h"
#include "SimMemory.h"

namespace torvex {

inline constexpr uint16_t kSimVendorId = 0x320F;
inline constexpr uint16_t kSimProductId = 0x500F;
inline constexpr uint16_t kProfileChangedCode = 0x0401;
inline constexpr int kLongestFrameDelayMs = 10000;

class SimKeyboard {
public:
    SimKeyboard() = default;

    // Backend side.
    void Attach(EventSink* sink);
    std::vector<InterfaceInfo> Interfaces() const;
    // Output report on one of the keyboard's interfaces; 1 taken, 0 not.
    int Receive(const InterfaceInfo& target, std::span<const uint8_t> bytes);

    // Controls.
    bool Plug();
    bool Unplug();
    bool IsPlugged() const;
    bool Notify(uint16_t code);
    bool PressProfileKey();
    bool SetFault(FaultKind kind, int count, int value);
    void ClearFaults();
    std::string DescribeFaults() const;
    // Every reply leaves this much later, as over the USB link (1 to 2 ms a
    // frame); a delay fault adds to it. Starts from TORVEX_SIM_FRAME_DELAY_MS.
    bool SetFrameDelay(int milliseconds);
    int FrameDelay() const;
    std::vector<uint8_t> ReadArea(SimArea area) const;
    bool WriteArea(SimArea area, std::size_t offset, std::span<const uint8_t> data);
    void SetFirmwareVersion(uint16_t version);
    int ActiveProfile() const;
    uint16_t FirmwareVersion() const;
    void Reset();
    std::vector<TorvexSimFrame> Frames() const;
    std::size_t FrameCount() const;
    bool FrameAt(std::size_t index, TorvexSimFrame& out) const;
    void ClearFrameLog();

    // Persistence: with a path set, the memory is saved after every change that
    // the keyboard commits (end of a transfer, device information, profile key).
    void UseStateFile(std::filesystem::path file);
    void SaveIfChanged();

private:
    mutable std::mutex lock_;
    SimMemory memory_;
    SimFaults faults_;
    FrameLog log_;
    bool plugged_ = true;
    bool unsaved_ = false;
    std::chrono::milliseconds frameDelay_{0};
    std::filesystem::path stateFile_;
    EventSink* sink_ = nullptr;

    std::vector<InterfaceInfo> InterfacesLocked() const;
    int ReceiveCommand(std::span<const uint8_t> bytes);
    void UnplugLocked();
    void SendLocked(const InterfaceInfo& source, std::span<const uint8_t> bytes, uint8_t channel,
                    uint8_t flags, std::chrono::milliseconds delay, uint32_t label = 0);
    void SaveLocked();
};

InterfaceInfo SimCommandInterface();
InterfaceInfo SimConsumerInterface();
InterfaceInfo SimIndicatorInterface();

// The keyboard of this process; created on first use with the state of
// TORVEX_SIM_STATE when that names a valid file, else in its factory state.
SimKeyboard& SimulatedKeyboard();

}  // namespace torvex
