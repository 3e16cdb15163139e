#include "model/MacroRecorder.h"

#include <algorithm>
#include <utility>

#include "model/AssignmentLists.h"
#include "model/KeyCode.h"
#include "model/VirtualKeys.h"

namespace tessel {

namespace {

bool IsWindowsKey(uint16_t code) {
    return code == keycode::kLeftWin || code == keycode::kRightWin;
}

}  // namespace

MacroRecorder::MacroRecorder(Clock clock) : clock_(std::move(clock)) {}

void MacroRecorder::Start() {
    recording_ = true;
    lastEvent_ = clock_();
    heldWindowsKey_ = 0;
    pressed_.clear();
}

void MacroRecorder::Stop() {
    recording_ = false;
}

RecorderDecision MacroRecorder::OnKey(const RecordedKeyEvent& event) {
    RecorderDecision decision;
    if (!recording_ || event.code == 0 || IsMultimediaKeyCode(event.code)) {
        return decision;
    }
    decision.swallow = true;
    if (event.repeat) {
        return decision;
    }
    if (IsWindowsKey(event.code)) {
        if (!event.release && heldWindowsKey_ == event.code) {
            return decision;  // the desktop repeats a held Windows key as plain presses
        }
        heldWindowsKey_ = event.release ? 0 : event.code;
    }

    const uint32_t now = clock_();
    // Unsigned difference: right across the tick count's wrap-around.
    const uint32_t gap = std::min(now - lastEvent_, kMaxRecordedGap);
    lastEvent_ = now;

    if (event.release) {
        // Keys such as Print Screen may deliver only their release; the keyboard
        // needs the press too, just before it. A row's delay is the time until
        // the next row, and an added action's delay goes to the row before it.
        if (IsPresslessKey(event.code) && pressed_.count(event.code) == 0) {
            decision.actions.push_back(Recorded(event.code, kKeyDown, gap));
            decision.actions.push_back(Recorded(event.code, kKeyUp, kPresslessPressDelay));
        } else {
            decision.actions.push_back(Recorded(event.code, kKeyUp, gap));
        }
        pressed_.erase(event.code);
    } else {
        pressed_.insert(event.code);
        decision.actions.push_back(Recorded(event.code, kKeyDown, gap));
    }
    return decision;
}

MacroAction MacroRecorder::Recorded(uint16_t code, uint16_t release, uint32_t gap) const {
    return {recordDelays_ ? gap : kFixedRecordedDelay, code, release};
}

}  // namespace tessel
