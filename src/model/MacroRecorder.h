#pragma once
// The macro recorder: turns the key events that reach the editor while it
// records into timed macro actions. The clock is injected so recorded delays
// can be checked.

#include <cstdint>
#include <functional>
#include <set>
#include <vector>

#include "model/MacroRecord.h"

namespace tessel {

// The longest gap a recording keeps, as for a typed delay: the packed delay
// field could not hold much more, and the list must show what is sent.
inline constexpr uint32_t kMaxRecordedGap = 40000;
// The delay every recorded action gets while the record-delay option is off.
inline constexpr uint32_t kFixedRecordedDelay = 50;
// How long before its release a press-less key is pressed.
inline constexpr uint32_t kPresslessPressDelay = 2;

struct RecordedKeyEvent {
    uint16_t code = 0;  // KeyCodeFromHook of the event; 0 for a key without one
    bool release = false;
    bool repeat = false;  // an auto-repeat, press or release
};

struct RecorderDecision {
    bool swallow = false;              // keep the event from the window
    std::vector<MacroAction> actions;  // to add after the selected row, in order
};

class MacroRecorder {
public:
    using Clock = std::function<uint32_t()>;  // milliseconds, wrapping at 2^32

    explicit MacroRecorder(Clock clock);

    // The record-delay option: off records every action with 50 ms.
    void SetRecordDelays(bool on) { recordDelays_ = on; }
    bool RecordsDelays() const { return recordDelays_; }

    void Start();
    void Stop();
    bool IsRecording() const { return recording_; }

    // What to do with a key event while recording (nothing when not).
    RecorderDecision OnKey(const RecordedKeyEvent& event);

private:
    MacroAction Recorded(uint16_t code, uint16_t release, uint32_t gap) const;

    Clock clock_;
    bool recordDelays_ = false;
    bool recording_ = false;
    uint32_t lastEvent_ = 0;
    uint16_t heldWindowsKey_ = 0;
    std::set<uint16_t> pressed_;  // keys whose press was seen
};

}  // namespace tessel
