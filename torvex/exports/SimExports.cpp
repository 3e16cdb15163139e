// Exported controls of the simulated keyboard (torvex_sim.h).

#include <algorithm>
#include <vector>

#include "FrameLog.h"
#include "SimKeyboard.h"
#include "torvex_sim.h"

#define TORVEX_EXPORT extern "C" __attribute__((visibility("default")))

using torvex::SimulatedKeyboard;

TORVEX_EXPORT int TorvexSimPlug(void) {
    return SimulatedKeyboard().Plug() ? 1 : 0;
}

TORVEX_EXPORT int TorvexSimUnplug(void) {
    return SimulatedKeyboard().Unplug() ? 1 : 0;
}

TORVEX_EXPORT int TorvexSimIsPlugged(void) {
    return SimulatedKeyboard().IsPlugged() ? 1 : 0;
}

TORVEX_EXPORT int TorvexSimNotify(uint16_t code) {
    return SimulatedKeyboard().Notify(code) ? 1 : 0;
}

TORVEX_EXPORT int TorvexSimPressProfileKey(void) {
    return SimulatedKeyboard().PressProfileKey() ? 1 : 0;
}

TORVEX_EXPORT int TorvexSimSetFault(int kind, int count, int value) {
    auto fault = torvex::FaultKindFromNumber(kind);
    return (fault && SimulatedKeyboard().SetFault(*fault, count, value)) ? 1 : 0;
}

TORVEX_EXPORT int TorvexSimSetFrameDelay(int milliseconds) {
    return SimulatedKeyboard().SetFrameDelay(milliseconds) ? 1 : 0;
}

TORVEX_EXPORT void TorvexSimClearFaults(void) {
    SimulatedKeyboard().ClearFaults();
}

TORVEX_EXPORT int TorvexSimAreaSize(int area) {
    auto known = torvex::SimAreaFromNumber(area);
    return known ? static_cast<int>(SimulatedKeyboard().ReadArea(*known).size()) : -1;
}

TORVEX_EXPORT int TorvexSimReadArea(int area, uint32_t offset, uint8_t* out, uint32_t length) {
    auto known = torvex::SimAreaFromNumber(area);
    if (!known || (out == nullptr && length > 0)) {
        return -1;
    }
    std::vector<uint8_t> bytes = SimulatedKeyboard().ReadArea(*known);
    if (offset >= bytes.size()) {
        return 0;
    }
    std::size_t count = std::min<std::size_t>(length, bytes.size() - offset);
    std::copy_n(bytes.begin() + offset, count, out);
    return static_cast<int>(count);
}

TORVEX_EXPORT int TorvexSimWriteArea(int area, uint32_t offset, const uint8_t* data,
                                     uint32_t length) {
    auto known = torvex::SimAreaFromNumber(area);
    if (!known || data == nullptr) {
        return 0;
    }
    return SimulatedKeyboard().WriteArea(*known, offset, {data, length}) ? 1 : 0;
}

TORVEX_EXPORT int TorvexSimHoldMalformedMacroArea(void) {
    return SimulatedKeyboard().WriteArea(torvex::SimArea::Macro, 0,
                                         torvex::MalformedMacroAreaImage())
               ? 1
               : 0;
}

TORVEX_EXPORT int TorvexSimSetFirmwareVersion(uint16_t version) {
    SimulatedKeyboard().SetFirmwareVersion(version);
    return 1;
}

TORVEX_EXPORT void TorvexSimReset(void) {
    SimulatedKeyboard().Reset();
}

TORVEX_EXPORT int TorvexSimFrameLogCount(void) {
    return static_cast<int>(SimulatedKeyboard().FrameCount());
}

TORVEX_EXPORT int TorvexSimFrameLogEntry(int index, TorvexSimFrame* out) {
    if (out == nullptr || index < 0) {
        return 0;
    }
    return SimulatedKeyboard().FrameAt(static_cast<std::size_t>(index), *out) ? 1 : 0;
}

TORVEX_EXPORT int TorvexSimLabelFrames(uint32_t label) {
    torvex::LabelFramesOfThisThread(label);
    return 1;
}

TORVEX_EXPORT void TorvexSimClearFrameLog(void) {
    SimulatedKeyboard().ClearFrameLog();
}
