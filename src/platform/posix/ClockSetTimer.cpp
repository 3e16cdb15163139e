#include "platform/posix/ClockSetTimer.h"

#include <sys/timerfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <ctime>
#include <limits>

namespace tessel {

ClockSetTimer::ClockSetTimer() {
    fd_ = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (fd_ >= 0 && !Arm()) {
        close(fd_);
        fd_ = -1;
    }
}

ClockSetTimer::~ClockSetTimer() {
    if (fd_ >= 0) {
        close(fd_);
    }
}

bool ClockSetTimer::Arm() {
    // An absolute expiry at the end of time: only a clock change wakes it.
    itimerspec farFuture{};
    farFuture.it_value.tv_sec = std::numeric_limits<time_t>::max();
    return timerfd_settime(fd_, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &farFuture, nullptr) ==
           0;
}

bool ClockSetTimer::ConsumeClockSet() {
    if (fd_ < 0) {
        return false;
    }
    uint64_t expirations = 0;
    const ssize_t got = read(fd_, &expirations, sizeof expirations);
    const bool clockSet = got < 0 && errno == ECANCELED;
    if (clockSet || got == static_cast<ssize_t>(sizeof expirations)) {
        Arm();
    }
    return clockSet;
}

}  // namespace tessel
