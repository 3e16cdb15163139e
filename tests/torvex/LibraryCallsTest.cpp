// The exported calls of the real library: call-check verification, request
// registration and removal, and the life cycle around Init and End.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>

#include "TorvexLibrary.h"

namespace torvex_test {
namespace {

class LibraryCalls : public ::testing::Test {
protected:
    const TorvexLibrary& lib = Library();

    void SetUp() override {
        setenv("TORVEX_BACKEND", "sim", 1);
        unsetenv("TORVEX_SIM_STATE");
        unsetenv("TORVEX_SIM_CONTROL");
        lib.SimReset();
        ASSERT_EQ(lib.Init(0), 1);
        Recorder::Instance().Clear();
    }
    void TearDown() override { lib.End(); }

    uint32_t ReadCommands(DeviceCallback callback = RecordingCallback) {
        uint32_t unit = 0;
        lib.RequestAsyncRead(&kCommandChannel, callback, kTagCtrl,
                             CallCheck(kCommandChannel, callback, kTagCtrl), &unit);
        return unit;
    }
};

TEST_F(LibraryCalls, AWrongCallCheckIsRefusedByEveryCheckedCall) {
    const uint32_t countCheck = CallCheck(kCommandChannel, nullptr, 0);
    EXPECT_EQ(lib.RequestGetDeviceCount(&kCommandChannel, nullptr, 0, countCheck, 0), 1);
    EXPECT_EQ(lib.RequestGetDeviceCount(&kCommandChannel, nullptr, 0, countCheck + 1, 0), 0);

    auto frame = RequestFrame(0x0D, 0, 0);
    const uint32_t frameCheck = CallCheck(kCommandChannel, nullptr, 0, frame.data(), 64);
    EXPECT_EQ(
        lib.RequestWriteOne(&kCommandChannel, nullptr, 0, frame.data(), 64, frameCheck - 1, 0), -1);
    // The check covers the zero padding too: leaving it out is a different value.
    const uint32_t headOnly = CallCheck(kCommandChannel, nullptr, 0, frame.data(), 8);
    EXPECT_EQ(lib.RequestWriteOne(&kCommandChannel, nullptr, 0, frame.data(), 64, headOnly, 0), -1);
    // The tag and the callback are part of it.
    uint32_t unit = 77;
    EXPECT_EQ(lib.RequestAsyncRead(&kCommandChannel, RecordingCallback, kTagCtrl,
                                   CallCheck(kCommandChannel, RecordingCallback, kTagCons), &unit),
              0);
    EXPECT_EQ(lib.RequestAsyncRead(&kCommandChannel, RecordingCallback, kTagCtrl,
                                   CallCheck(kCommandChannel, nullptr, kTagCtrl), &unit),
              0);
    EXPECT_EQ(unit, 77u);
    const uint8_t state[2] = {0x05, 0x02};
    EXPECT_EQ(
        lib.RequestStatusWrite(&kIndicatorChannel, RecordingCallback, kTagLed, state, 2,
                               CallCheck(kIndicatorChannel, RecordingCallback, kTagLed), &unit),
        0);
    EXPECT_EQ(lib.SimFrameLogCount(), 0);  // nothing reached the keyboard
    EXPECT_EQ(lib.RequestWriteOne(&kCommandChannel, nullptr, 0, frame.data(), 64, frameCheck, 0),
              1);
}

TEST_F(LibraryCalls, UnitIdsStartAboveZeroAndDeletingZeroOrUnknownIdsIsHarmless) {
    EXPECT_EQ(lib.DeleteRequestFromUnitId(0), 0);
    EXPECT_EQ(lib.DeleteRequestFromUnitId(12345), 0);
    uint32_t first = ReadCommands();
    uint32_t second = ReadCommands();
    EXPECT_GT(first, 0u);
    EXPECT_NE(first, second);
    EXPECT_EQ(lib.DeleteRequestFromUnitId(first), 1);
    EXPECT_EQ(lib.DeleteRequestFromUnitId(first), 0);
}

TEST_F(LibraryCalls, EveryStandingReadOfTheChannelGetsTheReportUntilItIsDeleted) {
    uint32_t first = ReadCommands();
    ReadCommands();
    ASSERT_EQ(SendFrame(RequestFrame(0x0D, 0, 0)), 1);
    auto a = Recorder::Instance().WaitFor(kTagCtrl, TORVEX_EVENT_INPUT_REPORT);
    auto b = Recorder::Instance().WaitFor(kTagCtrl, TORVEX_EVENT_INPUT_REPORT);
    ASSERT_TRUE(a && b);
    EXPECT_NE(a->handle, b->handle);

    lib.DeleteRequestFromUnitId(first);
    ASSERT_EQ(SendFrame(RequestFrame(0x0D, 0, 0)), 1);
    ASSERT_TRUE(Recorder::Instance().WaitFor(kTagCtrl, TORVEX_EVENT_INPUT_REPORT));
    EXPECT_FALSE(Recorder::Instance().WaitFor(kTagCtrl, TORVEX_EVENT_INPUT_REPORT, 100));
}

TEST_F(LibraryCalls, TheHandleInTheRecordDeletesItsRequest) {
    ReadCommands();
    ASSERT_EQ(SendFrame(RequestFrame(0x0D, 0, 0)), 1);
    auto delivery = Recorder::Instance().WaitFor(kTagCtrl, TORVEX_EVENT_INPUT_REPORT);
    ASSERT_TRUE(delivery);
    EXPECT_EQ(lib.DeleteRequestFromHandle(const_cast<void*>(delivery->handle)), 1);
    ASSERT_EQ(SendFrame(RequestFrame(0x0D, 0, 0)), 1);
    EXPECT_FALSE(Recorder::Instance().WaitFor(kTagCtrl, TORVEX_EVENT_INPUT_REPORT, 100));
}

TEST_F(LibraryCalls, StatusGetReturnsTheLastReportOfTheChannel) {
    uint8_t buffer[64] = {};
    uint32_t unit = 0;
    const uint32_t check = CallCheck(kConsumerChannel, nullptr, 0);
    EXPECT_EQ(lib.RequestStatusGet(&kConsumerChannel, nullptr, 0, buffer, 64, check, &unit), 0);
    ASSERT_EQ(lib.SimNotify(0x1811), 1);
    ASSERT_EQ(lib.SimNotify(0x1810), 1);
    EXPECT_EQ(lib.RequestStatusGet(&kConsumerChannel, nullptr, 0, buffer, 1, check, &unit), 1);
    EXPECT_EQ(lib.RequestStatusGet(&kConsumerChannel, nullptr, 0, buffer, 64, check, &unit), 2);
    EXPECT_EQ(buffer[0] | (buffer[1] << 8), 0x1810);
    EXPECT_NE(unit, 0u);
}

TEST_F(LibraryCalls, SimulatedKeyboardHasNoFeatureReports) {
    const uint8_t report[2] = {1, 2};
    uint32_t unit = 0;
    EXPECT_EQ(lib.RequestStatusSetFeature(&kCommandChannel, nullptr, 0, report, 2,
                                          CallCheck(kCommandChannel, nullptr, 0, report, 2), &unit),
              0);
}

TEST_F(LibraryCalls, InitTwiceKeepsTheRunningInstanceAndEndStopsServing) {
    uint32_t unit = ReadCommands();
    EXPECT_EQ(lib.Init(0), 1);
    ASSERT_EQ(SendFrame(RequestFrame(0x0D, 0, 0)), 1);
    EXPECT_TRUE(Recorder::Instance().WaitFor(kTagCtrl, TORVEX_EVENT_INPUT_REPORT));

    EXPECT_EQ(lib.End(), 1);
    EXPECT_EQ(lib.End(), 0);
    EXPECT_EQ(SendFrame(RequestFrame(0x0D, 0, 0)), -1);
    EXPECT_EQ(lib.RequestGetDeviceCount(&kCommandChannel, nullptr, 0,
                                        CallCheck(kCommandChannel, nullptr, 0), 0),
              0);
    EXPECT_EQ(lib.DeleteRequestFromUnitId(unit), 0);
}

TEST_F(LibraryCalls, WithoutAChoiceTheHardwareBackendRunsOverHidapi) {
    lib.End();
    unsetenv("TORVEX_BACKEND");
    ASSERT_EQ(lib.Init(0), 1);
    // Whatever HID devices this machine has, none is a product 0xFFFF of 0x320F.
    const ChannelDescriptor absent{0xF, 0x320F, 0xFFFF, 0xFF1C, 0x0092, 0};
    EXPECT_EQ(lib.RequestGetDeviceCount(&absent, nullptr, 0, CallCheck(absent, nullptr, 0), 0), 0);
    auto frame = RequestFrame(0x0D, 0, 0);
    EXPECT_EQ(lib.RequestWriteOne(&absent, nullptr, 0, frame.data(), 64,
                                  CallCheck(absent, nullptr, 0, frame.data(), 64), 0),
              0);
    uint32_t unit = 0;
    EXPECT_EQ(lib.RequestAsyncRead(&absent, RecordingCallback, kTagCtrl,
                                   CallCheck(absent, RecordingCallback, kTagCtrl), &unit),
              1);
    EXPECT_EQ(lib.End(), 1);
    setenv("TORVEX_BACKEND", "sim", 1);
}

TEST_F(LibraryCalls, UnknownBackendFailsInit) {
    lib.End();
    setenv("TORVEX_BACKEND", "bluetooth", 1);
    EXPECT_EQ(lib.Init(0), 0);
    setenv("TORVEX_BACKEND", "sim", 1);
    EXPECT_EQ(lib.Init(0), 1);
}

std::atomic<int> lateCallbacks{0};
std::atomic<bool> ended{false};

int CountAfterEnd(const DeviceEventRecord*) {
    if (ended) {
        ++lateCallbacks;
    }
    return 1;
}

TEST_F(LibraryCalls, NoCallbackRunsAfterEndReturned) {
    lateCallbacks = 0;
    ended = false;
    ReadCommands(CountAfterEnd);
    ASSERT_EQ(lib.SimSetFault(TORVEX_SIM_FAULT_DELAY, 1, 150), 1);
    ASSERT_EQ(SendFrame(RequestFrame(0x0D, 0, 0)), 1);  // its reply is still queued
    for (int i = 0; i < 20; ++i) {
        lib.SimNotify(0x1801);
    }
    lib.End();
    ended = true;
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    EXPECT_EQ(lateCallbacks, 0);
}

std::atomic<int> endFromCallback{-5};

int EndInsideCallback(const DeviceEventRecord*) {
    endFromCallback = Library().End();
    return 1;
}

TEST_F(LibraryCalls, EndInsideACallbackIsRefusedInsteadOfWaitingForItself) {
    endFromCallback = -5;
    ReadCommands(EndInsideCallback);
    ASSERT_EQ(SendFrame(RequestFrame(0x0D, 0, 0)), 1);
    for (int i = 0; i < 200 && endFromCallback == -5; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_EQ(endFromCallback, 0);
    EXPECT_EQ(lib.End(), 1);
}

std::atomic<bool> releaseBlocked{false};
std::atomic<bool> blockedEntered{false};

int BlockUntilReleased(const DeviceEventRecord*) {
    blockedEntered = true;
    while (!releaseBlocked) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return 1;
}

TEST_F(LibraryCalls, ABlockedCallbackDoesNotHoldUpRepliesForAnotherRead) {
    // The program's consumer handler may wait for its window thread, which may
    // itself be waiting for a command reply.
    releaseBlocked = false;
    blockedEntered = false;
    ReadCommands();
    uint32_t unit = 0;
    ASSERT_EQ(
        lib.RequestAsyncRead(&kConsumerChannel, BlockUntilReleased, kTagCons,
                             CallCheck(kConsumerChannel, BlockUntilReleased, kTagCons), &unit),
        1);
    ASSERT_EQ(lib.SimNotify(0x02FF), 1);
    for (int i = 0; i < 400 && !blockedEntered; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_TRUE(blockedEntered);
    auto reply = Exchange(RequestFrame(0x0D, 0, 0), 500);
    releaseBlocked = true;
    ASSERT_TRUE(reply);
    EXPECT_EQ((*reply)[3], 0x0D);
}

}  // namespace
}  // namespace torvex_test
