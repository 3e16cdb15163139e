// Fault injection of the simulated keyboard, seen through the real library.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

#include "TorvexLibrary.h"

namespace torvex_test {
namespace {

class SimFaults : public ::testing::Test {
protected:
    const TorvexLibrary& lib = Library();

    void SetUp() override {
        setenv("TORVEX_BACKEND", "sim", 1);
        unsetenv("TORVEX_SIM_STATE");
        unsetenv("TORVEX_SIM_CONTROL");
        lib.SimReset();
        ASSERT_EQ(lib.Init(0), 1);
        Recorder::Instance().Clear();
        uint32_t unit = 0;
        ASSERT_EQ(
            lib.RequestAsyncRead(&kCommandChannel, RecordingCallback, kTagCtrl,
                                 CallCheck(kCommandChannel, RecordingCallback, kTagCtrl), &unit),
            1);
    }
    void TearDown() override { lib.End(); }

    uint8_t Parameter0() {
        uint8_t value = 0;
        lib.SimReadArea(TORVEX_SIM_AREA_PARAMETERS, 0, &value, 1);
        return value;
    }
};

TEST_F(SimFaults, BusyStatusForNTriesThenTheCommandIsCarriedOut) {
    ASSERT_EQ(lib.SimSetFault(TORVEX_SIM_FAULT_BUSY_FE, 1, 0), 1);
    ASSERT_EQ(lib.SimSetFault(TORVEX_SIM_FAULT_BUSY_FF, 1, 0), 1);
    auto frame = RequestFrame(0x06, 1, 0, {0x07});
    auto first = Exchange(frame);
    auto second = Exchange(frame);
    auto third = Exchange(frame);
    ASSERT_TRUE(first && second && third);
    EXPECT_EQ((*first)[7], 0xFE);
    EXPECT_EQ((*second)[7], 0xFF);
    EXPECT_EQ((*third)[7], 0x00);
    EXPECT_EQ((*first)[3], 0x06);  // a busy reply still echoes the command
    EXPECT_EQ(Parameter0(), 0x07);
}

TEST_F(SimFaults, BusyRepliesDoNotChangeMemory) {
    ASSERT_EQ(lib.SimSetFault(TORVEX_SIM_FAULT_BUSY_FF, 3, 0), 1);
    const uint8_t before = Parameter0();
    for (int i = 0; i < 3; ++i) {
        auto reply = Exchange(RequestFrame(0x06, 1, 0, {0x66}));
        ASSERT_TRUE(reply);
        EXPECT_EQ((*reply)[7], 0xFF);
    }
    EXPECT_EQ(Parameter0(), before);
}

TEST_F(SimFaults, WrongEchoNeverMatchesTheCommand) {
    ASSERT_EQ(lib.SimSetFault(TORVEX_SIM_FAULT_WRONG_ECHO, 2, 0), 1);
    auto first = Exchange(RequestFrame(0x03, 0x2C, 0));
    auto second = Exchange(RequestFrame(0x01, 0, 0));
    auto third = Exchange(RequestFrame(0x01, 0, 0));
    ASSERT_TRUE(first && second && third);
    EXPECT_NE((*first)[3], 0x03);
    EXPECT_NE((*second)[3], 0x01);
    EXPECT_EQ((*third)[3], 0x01);
}

TEST_F(SimFaults, LostReplyIsCarriedOutButNeverArrives) {
    ASSERT_EQ(lib.SimSetFault(TORVEX_SIM_FAULT_LOST_REPLY, 1, 0), 1);
    EXPECT_FALSE(Exchange(RequestFrame(0x06, 1, 0, {0x09}), 200));
    EXPECT_EQ(Parameter0(), 0x09);
    TorvexSimFrame reply{};
    ASSERT_EQ(lib.SimFrameLogEntry(1, &reply), 1);
    EXPECT_EQ(reply.direction, TORVEX_SIM_FROM_KEYBOARD);
    EXPECT_TRUE(reply.flags & TORVEX_SIM_FLAG_DROPPED);
    EXPECT_TRUE(Exchange(RequestFrame(0x01, 0, 0)));
}

TEST_F(SimFaults, ADelayedReplyDoesNotHoldBackLaterOnes) {
    ASSERT_EQ(lib.SimSetFault(TORVEX_SIM_FAULT_DELAY, 1, 300), 1);
    auto late = RequestFrame(0x01, 0, 0);
    auto prompt = RequestFrame(0x0D, 0, 0);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(SendFrame(late), 1);
    EXPECT_FALSE(Recorder::Instance().WaitFor(kTagCtrl, TORVEX_EVENT_INPUT_REPORT, 50));
    auto second = Exchange(prompt);
    ASSERT_TRUE(second);
    EXPECT_EQ((*second)[3], 0x0D);
    auto delayed = Recorder::Instance().WaitFor(kTagCtrl, TORVEX_EVENT_INPUT_REPORT, 2000);
    ASSERT_TRUE(delayed);
    EXPECT_EQ(delayed->data[3], 0x01);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(300));
}

TEST_F(SimFaults, RemovalInTheMiddleOfATransferUnplugsWithoutAnswering) {
    ASSERT_EQ(lib.SimSetFault(TORVEX_SIM_FAULT_REMOVE, 2, 0), 1);
    EXPECT_TRUE(Exchange(RequestFrame(0x01, 0, 0)));
    EXPECT_TRUE(Exchange(RequestFrame(0x08, 56, 0, std::vector<uint8_t>(56, 1))));
    auto frame = RequestFrame(0x08, 56, 56, std::vector<uint8_t>(56, 1));
    EXPECT_FALSE(Exchange(frame, 200));
    auto gone = Recorder::Instance().WaitFor(kTagCtrl, TORVEX_EVENT_PRESENCE);
    ASSERT_TRUE(gone);
    EXPECT_EQ(gone->count, 0u);
    // The frame that met the removal was not carried out; the next is not taken.
    uint8_t written = 0;
    lib.SimReadArea(TORVEX_SIM_AREA_KEY_BLOCKS, 56, &written, 1);
    EXPECT_NE(written, 1);
    EXPECT_EQ(SendFrame(frame), 0);
}

TEST_F(SimFaults, BadFaultArgumentsAreRefused) {
    EXPECT_EQ(lib.SimSetFault(0, 1, 0), 0);
    EXPECT_EQ(lib.SimSetFault(7, 1, 0), 0);
    EXPECT_EQ(lib.SimSetFault(TORVEX_SIM_FAULT_BUSY_FE, -1, 0), 0);
    EXPECT_EQ(lib.SimSetFault(TORVEX_SIM_FAULT_DELAY, 1, -5), 0);
}

}  // namespace
}  // namespace torvex_test
