#pragma once
// Faults queued for the next command frames of the simulated keyboard.

#include <chrono>
#include <optional>
#include <string>

namespace torvex {

enum class FaultKind { LostReply = 1, WrongEcho, BusyFE, BusyFF, Delay, Remove };

std::optional<FaultKind> FaultKindFromNumber(int number);

// What happens to one frame.
struct FrameFaults {
    bool removeBeforeAnswer = false;
    bool lostReply = false;
    bool wrongEcho = false;
    int busyStatus = 0;  // 0, or the status byte to answer with
    std::chrono::milliseconds delay{0};
};

class SimFaults {
public:
    // A count of 0 cancels the fault; a negative count is refused.
    bool Set(FaultKind kind, int count, int value);
    void Clear() { *this = SimFaults{}; }
    // Takes the faults of the next frame off the queue.
    FrameFaults Next();
    std::string Describe() const;

private:
    int lost_ = 0;
    int wrongEcho_ = 0;
    int busyFE_ = 0;
    int busyFF_ = 0;
    int delayed_ = 0;
    int delayMs_ = 0;
    int removeAfter_ = -1;  // answered frames before the removal; -1 none
};

}  // namespace torvex
