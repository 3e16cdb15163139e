#pragma once
// A timer file descriptor that never expires but becomes readable when the
// wall clock is set (TFD_TIMER_CANCEL_ON_SET): an event loop waits on it at
// no cost, with no periodic wake-up.

namespace tessel {

class ClockSetTimer {
public:
    ClockSetTimer();
    ~ClockSetTimer();
    ClockSetTimer(const ClockSetTimer&) = delete;
    ClockSetTimer& operator=(const ClockSetTimer&) = delete;

    // -1 when the system has no such timer.
    int Fd() const { return fd_; }
    // After the descriptor became readable: true when the clock was set. The
    // timer is armed again for the next change.
    bool ConsumeClockSet();

private:
    bool Arm();

    int fd_ = -1;
};

}  // namespace tessel
