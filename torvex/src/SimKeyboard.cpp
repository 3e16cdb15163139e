#include "SimKeyboard.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "SimCommands.h"
#include "SimState.h"

namespace torvex {

InterfaceInfo SimCommandInterface() {
    return {"sim:command", kSimVendorId, kSimProductId, 0xFF1C, 0x0092};
}
InterfaceInfo SimConsumerInterface() {
    return {"sim:consumer", kSimVendorId, kSimProductId, 0x000C, 0x0001};
}
InterfaceInfo SimIndicatorInterface() {
    return {"sim:indicator", kSimVendorId, kSimProductId, 0x0008, 0x0089};
}

void SimKeyboard::Attach(EventSink* sink) {
    std::lock_guard guard(lock_);
    sink_ = sink;
}

std::vector<InterfaceInfo> SimKeyboard::Interfaces() const {
    std::lock_guard guard(lock_);
    return InterfacesLocked();
}

std::vector<InterfaceInfo> SimKeyboard::InterfacesLocked() const {
    if (!plugged_) {
        return {};
    }
    return {SimCommandInterface(), SimConsumerInterface(), SimIndicatorInterface()};
}

int SimKeyboard::Receive(const InterfaceInfo& target, std::span<const uint8_t> bytes) {
    if (target == SimCommandInterface()) {
        return ReceiveCommand(bytes);
    }
    std::lock_guard guard(lock_);
    if (!plugged_ || !(target == SimIndicatorInterface()) || bytes.empty()) {
        return 0;
    }
    log_.Add(TORVEX_SIM_TO_KEYBOARD, TORVEX_SIM_CHANNEL_INDICATOR, 0, bytes,
             FrameLabelOfThisThread());
    return 1;
}

int SimKeyboard::ReceiveCommand(std::span<const uint8_t> bytes) {
    std::lock_guard guard(lock_);
    if (!plugged_ || bytes.empty()) {
        return 0;
    }
    // Shorter reports are padded as the HID driver would.
    Frame request{};
    std::copy_n(bytes.begin(), std::min(bytes.size(), request.size()), request.begin());
    const bool bootMode = request[kCommandAt] == kEnterBootMode;
    const bool checksumOk = bootMode || ChecksumMatches(request);
    // Writes reach the keyboard on the sender's own thread.
    const uint32_t label = FrameLabelOfThisThread();
    log_.Add(TORVEX_SIM_TO_KEYBOARD, TORVEX_SIM_CHANNEL_COMMAND,
             checksumOk ? 0 : TORVEX_SIM_FLAG_BAD_CHECKSUM, request, label);

    FrameFaults faults = faults_.Next();
    if (faults.removeBeforeAnswer || bootMode) {
        // In boot mode the keyboard leaves the bus to come back as its loader;
        // here it stays away until plugged in again.
        UnplugLocked();
        return 1;
    }

    Frame reply;
    if (faults.busyStatus != 0) {
        reply = RefusalReply(request, static_cast<uint8_t>(faults.busyStatus));
    } else if (!checksumOk) {
        reply = RefusalReply(request, kStatusRefused);
    } else {
        SimOutcome outcome = ExecuteCommand(memory_, request);
        reply = outcome.reply;
        unsaved_ = unsaved_ || outcome.changedMemory;
        if (outcome.endedTransfer || request[kCommandAt] == kWriteDeviceInfo) {
            SaveLocked();
        }
    }
    if (faults.wrongEcho) {
        reply[kCommandAt] ^= 0x80;
        StampChecksum(reply);
    }
    uint8_t flags = 0;
    if (faults.lostReply) {
        flags |= TORVEX_SIM_FLAG_DROPPED;
    }
    if (faults.delay.count() > 0) {
        flags |= TORVEX_SIM_FLAG_DELAYED;
    }
    SendLocked(SimCommandInterface(), reply, TORVEX_SIM_CHANNEL_COMMAND, flags,
               faults.delay + frameDelay_, label);
    return 1;
}

void SimKeyboard::SendLocked(const InterfaceInfo& source, std::span<const uint8_t> bytes,
                             uint8_t channel, uint8_t flags, std::chrono::milliseconds delay,
                             uint32_t label) {
    log_.Add(TORVEX_SIM_FROM_KEYBOARD, channel, flags, bytes, label);
    if (sink_ != nullptr && !(flags & TORVEX_SIM_FLAG_DROPPED)) {
        sink_->InputReport(source, bytes, delay);
    }
}

bool SimKeyboard::Plug() {
    std::lock_guard guard(lock_);
    if (plugged_) {
        return false;
    }
    plugged_ = true;
    if (sink_ != nullptr) {
        sink_->PresenceChanged(InterfacesLocked());
    }
    return true;
}

bool SimKeyboard::Unplug() {
    std::lock_guard guard(lock_);
    if (!plugged_) {
        return false;
    }
    UnplugLocked();
    return true;
}

void SimKeyboard::UnplugLocked() {
    plugged_ = false;
    SaveLocked();
    if (sink_ != nullptr) {
        sink_->PresenceChanged({});
    }
}

bool SimKeyboard::IsPlugged() const {
    std::lock_guard guard(lock_);
    return plugged_;
}

bool SimKeyboard::Notify(uint16_t code) {
    std::lock_guard guard(lock_);
    if (!plugged_) {
        return false;
    }
    const uint8_t report[2] = {static_cast<uint8_t>(code), static_cast<uint8_t>(code >> 8)};
    SendLocked(SimConsumerInterface(), report, TORVEX_SIM_CHANNEL_CONSUMER, 0, {});
    return true;
}

bool SimKeyboard::PressProfileKey() {
    {
        std::lock_guard guard(lock_);
        if (!plugged_) {
            return false;
        }
        memory_.SetActiveProfile((memory_.ActiveProfile() + 1) % kProfileCount);
        unsaved_ = true;
        SaveLocked();
    }
    return Notify(kProfileChangedCode);
}

bool SimKeyboard::SetFault(FaultKind kind, int count, int value) {
    std::lock_guard guard(lock_);
    return faults_.Set(kind, count, value);
}

void SimKeyboard::ClearFaults() {
    std::lock_guard guard(lock_);
    faults_.Clear();
}

bool SimKeyboard::SetFrameDelay(int milliseconds) {
    if (milliseconds < 0 || milliseconds > kLongestFrameDelayMs) {
        return false;
    }
    std::lock_guard guard(lock_);
    frameDelay_ = std::chrono::milliseconds(milliseconds);
    return true;
}

int SimKeyboard::FrameDelay() const {
    std::lock_guard guard(lock_);
    return static_cast<int>(frameDelay_.count());
}

std::string SimKeyboard::DescribeFaults() const {
    std::lock_guard guard(lock_);
    return faults_.Describe();
}

std::vector<uint8_t> SimKeyboard::ReadArea(SimArea area) const {
    std::lock_guard guard(lock_);
    auto bytes = memory_.Area(area);
    return {bytes.begin(), bytes.end()};
}

bool SimKeyboard::WriteArea(SimArea area, std::size_t offset, std::span<const uint8_t> data) {
    std::lock_guard guard(lock_);
    if (area == SimArea::DeviceInfo && offset <= kActiveProfileAt &&
        offset + data.size() > kActiveProfileAt &&
        data[kActiveProfileAt - offset] >= kProfileCount) {
        return false;
    }
    if (!memory_.Write(area, offset, data)) {
        return false;
    }
    unsaved_ = true;
    SaveLocked();
    return true;
}

void SimKeyboard::SetFirmwareVersion(uint16_t version) {
    std::lock_guard guard(lock_);
    memory_.SetFirmwareVersion(version);
    unsaved_ = true;
    SaveLocked();
}

int SimKeyboard::ActiveProfile() const {
    std::lock_guard guard(lock_);
    return memory_.ActiveProfile();
}

uint16_t SimKeyboard::FirmwareVersion() const {
    std::lock_guard guard(lock_);
    return memory_.FirmwareVersion();
}

void SimKeyboard::Reset() {
    std::lock_guard guard(lock_);
    memory_ = SimMemory{};
    faults_.Clear();
    log_.Clear();
    unsaved_ = true;
    SaveLocked();
    if (!plugged_) {
        plugged_ = true;
        if (sink_ != nullptr) {
            sink_->PresenceChanged(InterfacesLocked());
        }
    }
}

std::vector<TorvexSimFrame> SimKeyboard::Frames() const {
    std::lock_guard guard(lock_);
    std::vector<TorvexSimFrame> frames;
    frames.reserve(log_.Count());
    for (std::size_t i = 0; i < log_.Count(); ++i) {
        frames.push_back(log_.At(i));
    }
    return frames;
}

std::size_t SimKeyboard::FrameCount() const {
    std::lock_guard guard(lock_);
    return log_.Count();
}

bool SimKeyboard::FrameAt(std::size_t index, TorvexSimFrame& out) const {
    std::lock_guard guard(lock_);
    if (index >= log_.Count()) {
        return false;
    }
    out = log_.At(index);
    return true;
}

void SimKeyboard::ClearFrameLog() {
    std::lock_guard guard(lock_);
    log_.Clear();
}

void SimKeyboard::UseStateFile(std::filesystem::path file) {
    std::lock_guard guard(lock_);
    stateFile_ = std::move(file);
    if (stateFile_.empty()) {
        return;
    }
    if (auto loaded = LoadSimState(stateFile_)) {
        memory_ = *loaded;
        unsaved_ = false;
    } else {
        // Missing or unreadable: start from the factory state and write it out.
        memory_ = SimMemory{};
        unsaved_ = true;
        SaveLocked();
    }
}

void SimKeyboard::SaveIfChanged() {
    std::lock_guard guard(lock_);
    SaveLocked();
}

void SimKeyboard::SaveLocked() {
    if (!unsaved_ || stateFile_.empty()) {
        return;
    }
    if (SaveSimState(memory_, stateFile_)) {
        unsaved_ = false;
    }
}

SimKeyboard& SimulatedKeyboard() {
    static SimKeyboard* keyboard = [] {
        auto* created = new SimKeyboard();
        if (const char* state = std::getenv("TORVEX_SIM_STATE"); state && *state) {
            created->UseStateFile(state);
        }
        if (const char* delay = std::getenv("TORVEX_SIM_FRAME_DELAY_MS"); delay && *delay) {
            char* end = nullptr;
            const long milliseconds = std::strtol(delay, &end, 10);
            const bool valid =
                *end == '\0' && milliseconds >= 0 && milliseconds <= kLongestFrameDelayMs;
            if (!valid || !created->SetFrameDelay(static_cast<int>(milliseconds))) {
                std::fprintf(stderr, "torvex: ignoring TORVEX_SIM_FRAME_DELAY_MS=%s\n", delay);
            }
        }
        return created;
    }();
    return *keyboard;
}

}  // namespace torvex
