// The clock-change timer: armed for a change of the wall clock only, so an
// idle program is never woken by it.

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/timerfd.h>

#include "platform/posix/ClockSetTimer.h"

namespace tessel {
namespace {

TEST(ClockSetTimerTest, IsArmedAndStaysQuietWhileTheClockIsNotSet) {
    ClockSetTimer timer;
    ASSERT_GE(timer.Fd(), 0);
    itimerspec armed{};
    ASSERT_EQ(timerfd_gettime(timer.Fd(), &armed), 0);
    EXPECT_GT(armed.it_value.tv_sec, 60L * 60 * 24 * 365 * 100) << "it never expires by itself";
    EXPECT_EQ(armed.it_interval.tv_sec, 0);

    pollfd watch{timer.Fd(), POLLIN, 0};
    EXPECT_EQ(poll(&watch, 1, 100), 0) << "no wake-up without a clock change";
    EXPECT_FALSE(timer.ConsumeClockSet());
    ASSERT_EQ(timerfd_gettime(timer.Fd(), &armed), 0);
    EXPECT_GT(armed.it_value.tv_sec, 0) << "still armed";
}

}  // namespace
}  // namespace tessel
