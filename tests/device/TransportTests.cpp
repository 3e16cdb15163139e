#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <thread>
#include <vector>

#include "ExportOverrides.h"
#include "device/CommandFrame.h"
#include "device/CommandTransport.h"
#include "device/DeviceResult.h"
#include "support/SimulatedKeyboard.h"

namespace tessel::test {
namespace {

using std::chrono::milliseconds;

std::array<uint8_t, 64> SealedRequest(DeviceCommand command, uint8_t length, uint16_t offset) {
    CommandFrame frame = CommandFrame::Request(command, length, offset);
    frame.SealChecksum();
    std::array<uint8_t, 64> bytes{};
    std::copy(frame.Bytes().begin(), frame.Bytes().end(), bytes.begin());
    return bytes;
}

class Transport : public ::testing::Test {
protected:
    int Transact(const std::array<uint8_t, 64>& request) {
        return keyboard.Connection().Transport().Transact(request, reply, received);
    }
    std::array<uint8_t, 64> ReadInfoRequest() {
        return SealedRequest(DeviceCommand::ReadDeviceInfo, 44, 0);
    }

    SimulatedKeyboard keyboard;
    std::array<uint8_t, 64> reply{};
    std::size_t received = 99;
};

TEST_F(Transport, WithoutAKeyboardEveryCommandReturnsZeroAtOnceAndLeavesTheReply) {
    keyboard.Unplug();
    keyboard.ClearFrameLog();
    reply.fill(0xA5);
    EXPECT_EQ(Transact(ReadInfoRequest()), kDeviceAbsent);
    EXPECT_EQ(received, 0u);
    EXPECT_TRUE(std::all_of(reply.begin(), reply.end(), [](uint8_t b) { return b == 0xA5; }));

    std::array<uint8_t, kKeyBlockSize> block{};
    block.fill(0x5A);
    DeviceLink& link = keyboard.Link();
    EXPECT_EQ(link.ReadKeyBlock(block, 0), kDeviceAbsent);
    EXPECT_EQ(block[0], 0x5A);
    EXPECT_EQ(link.BeginTransfer(), kDeviceAbsent);
    EXPECT_EQ(link.GetActiveProfile(), -1);
    EXPECT_TRUE(keyboard.CommandsReceived().empty());
}

TEST_F(Transport, AMismatchedEchoIsNeverAcceptedEvenOnTheThirdTry) {
    keyboard.SetFault(TORVEX_SIM_FAULT_WRONG_ECHO, 3);
    keyboard.ClearFrameLog();
    EXPECT_EQ(Transact(ReadInfoRequest()), kDeviceNoMatchingReply);
    EXPECT_EQ(keyboard.CommandsReceived().size(), 3u);
}

TEST_F(Transport, BusyThenDoneYieldsTheSecondReply) {
    keyboard.SetFault(TORVEX_SIM_FAULT_BUSY_FE, 1);
    keyboard.ClearFrameLog();
    EXPECT_EQ(Transact(ReadInfoRequest()), kDeviceDone);
    EXPECT_EQ(received, 64u);
    EXPECT_EQ(reply[CommandFrame::kStatusAt], 0x00);
    EXPECT_EQ(reply[8 + 8], 0x02);  // firmware version 0x0102, low byte
    EXPECT_EQ(reply[8 + 9], 0x01);
    EXPECT_EQ(keyboard.CommandsReceived().size(), 2u);
}

TEST_F(Transport, BusyOnAllThreeTriesLeavesTheStatusForTheCommandToReport) {
    keyboard.SetFault(TORVEX_SIM_FAULT_BUSY_FF, 3);
    EXPECT_EQ(Transact(ReadInfoRequest()), kDeviceDone);
    EXPECT_EQ(reply[CommandFrame::kStatusAt], 0xFF);

    std::array<uint8_t, kDeviceInfoSize> info{};
    keyboard.SetFault(TORVEX_SIM_FAULT_BUSY_FF, 3);
    EXPECT_EQ(keyboard.Link().ReadDeviceInfo(info), kDeviceStatusFF);
    keyboard.SetFault(TORVEX_SIM_FAULT_BUSY_FE, 3);
    EXPECT_EQ(keyboard.Link().ReadDeviceInfo(info), kDeviceStatusFE);
}

TEST_F(Transport, LostRepliesAreRetriedWithTheSameFrameThenGiveUp) {
    keyboard.ShortenReplyWait(milliseconds(40));
    keyboard.SetFault(TORVEX_SIM_FAULT_LOST_REPLY, 3);
    keyboard.ClearFrameLog();
    // A short request: sent zero-padded to 64 bytes.
    const std::array<uint8_t, 8> request{0x04, 0x01, 0x00, 0x01, 0, 0, 0, 0};
    EXPECT_EQ(keyboard.Connection().Transport().Transact(request, reply, received),
              kDeviceNoMatchingReply);

    // The library checks the call-check value of every write; three identical
    // frames accepted means the value was the same and covered the padding.
    const std::vector<TorvexSimFrame> sent = keyboard.CommandsReceived();
    ASSERT_EQ(sent.size(), 3u);
    for (const TorvexSimFrame& frame : sent) {
        ASSERT_EQ(frame.length, 64);
        EXPECT_TRUE(std::equal(request.begin(), request.end(), frame.bytes));
        EXPECT_TRUE(
            std::all_of(frame.bytes + 8, frame.bytes + 64, [](uint8_t b) { return b == 0; }));
        EXPECT_EQ(frame.flags & TORVEX_SIM_FLAG_BAD_CHECKSUM, 0);
    }
}

TEST_F(Transport, ALateReportDoesNotSatisfyTheNextTransaction) {
    keyboard.ShortenReplyWait(milliseconds(50));
    // Every reply of the first transaction arrives after its wait has ended.
    keyboard.SetFault(TORVEX_SIM_FAULT_DELAY, 3, 250);
    const std::array<uint8_t, 64> begin = SealedRequest(DeviceCommand::BeginTransfer, 0, 0);
    EXPECT_EQ(Transact(begin), kDeviceNoMatchingReply);
    // Let the three late replies, which echo the same command, come in.
    std::this_thread::sleep_for(milliseconds(400));

    // The same command again, whose own replies are lost: nothing left over
    // may stand in for them.
    keyboard.SetFault(TORVEX_SIM_FAULT_LOST_REPLY, 3);
    reply.fill(0);
    EXPECT_EQ(Transact(begin), kDeviceNoMatchingReply);
    EXPECT_EQ(received, 0u);
    EXPECT_EQ(reply[CommandFrame::kCommandAt], 0);

    // And the next healthy transaction gets its own reply.
    EXPECT_EQ(Transact(ReadInfoRequest()), kDeviceDone);
    EXPECT_EQ(reply[CommandFrame::kCommandAt], 0x03);
}

// Whatever fails a frame (no reply, a busy status, a keyboard that is gone)
// fails the rest of its sequence without a try, so a keyboard plugged in
// again halfway never takes the tail of a sequence whose start it missed.
TEST_F(Transport, TheFirstFailedFrameEndsItsSequenceAndOnlyItsSequence) {
    keyboard.ShortenReplyWait(milliseconds(40));
    auto DevicesSeen = [&] { return keyboard.Connection().Service().CommandChannelDeviceCount(); };
    struct Case {
        const char* name;
        std::function<void()> fail;
        int result;
        std::size_t framesSent;
    };
    const Case cases[] = {
        {"no reply", [&] { keyboard.SetFault(TORVEX_SIM_FAULT_LOST_REPLY, 1000); },
         kDeviceNoMatchingReply, kTransactTries},
        {"busy", [&] { keyboard.SetFault(TORVEX_SIM_FAULT_BUSY_FE, 1000); }, kDeviceStatusFE,
         kTransactTries},
        {"unplugged",
         [&] {
             keyboard.Unplug();
             ASSERT_TRUE(EventuallyTrue([&] { return DevicesSeen() == 0; }));
         },
         kDeviceAbsent, 0},
    };
    std::array<uint8_t, kKeyBlockSize> block{};
    DeviceLink& link = keyboard.Link();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        keyboard.ClearFrameLog();
        TransferSequence sequence;
        c.fail();
        EXPECT_EQ(link.BeginTransfer(), c.result);
        // The keyboard is healthy again, yet nothing more of this sequence goes out.
        keyboard.SetFault(TORVEX_SIM_FAULT_LOST_REPLY, 0);
        keyboard.SetFault(TORVEX_SIM_FAULT_BUSY_FE, 0);
        if (DevicesSeen() == 0) {
            keyboard.Plug();
            ASSERT_TRUE(EventuallyTrue([&] { return DevicesSeen() > 0; }));
        }
        EXPECT_EQ(link.WriteKeyBlock(block, 0), c.result);
        EXPECT_EQ(link.EndTransfer(), c.result);
        EXPECT_TRUE(sequence.Failed());
        EXPECT_EQ(sequence.FirstFailure(), c.result);
        EXPECT_EQ(keyboard.CommandsReceived().size(), c.framesSent);
        {
            // An inner sequence is one of its own and still tries.
            TransferSequence inner;
            EXPECT_EQ(link.TestCommand(), kDeviceDone);
            EXPECT_FALSE(inner.Failed());
        }
        // Another thread's frames are not part of this sequence.
        std::thread other([&] { EXPECT_EQ(keyboard.Link().TestCommand(), kDeviceDone); });
        other.join();
    }
    // Outside a sequence every frame has its own tries again.
    keyboard.SetFault(TORVEX_SIM_FAULT_LOST_REPLY, 1);
    EXPECT_EQ(keyboard.Link().WriteKeyBlock(block, 0), kDeviceDone);
}

int RefuseWrite(const ChannelDescriptor*, DeviceCallback, uint32_t, const uint8_t*, int, uint32_t,
                int) {
    return 0;
}

TEST(TransportRefused, ARefusedFrameFailsAtOnceWithoutRetry) {
    ExportOverrides exports;
    exports.Replace("RequestWriteOne", &RefuseWrite);
    SimulatedKeyboardOptions options;
    options.exports = &exports;
    SimulatedKeyboard keyboard(options);
    std::array<uint8_t, 64> reply{};
    std::size_t received = 0;
    EXPECT_EQ(keyboard.Connection().Transport().Transact(
                  SealedRequest(DeviceCommand::TestCommand, 0, 0), reply, received),
              kDeviceRefused);
    EXPECT_EQ(keyboard.Link().EnterBootMode(), 0);
}

TEST_F(Transport, TwoThreadsIssuingCommandsNeverMixReplies) {
    // Distinct contents in two key blocks, read back by two threads at once.
    std::vector<uint8_t> first(kKeyBlockSize), second(kKeyBlockSize);
    for (std::size_t i = 0; i < kKeyBlockSize; ++i) {
        first[i] = static_cast<uint8_t>(i);
        second[i] = static_cast<uint8_t>(255 - i);
    }
    ASSERT_TRUE(keyboard.WriteArea(TORVEX_SIM_AREA_KEY_BLOCKS, 0, first));
    ASSERT_TRUE(keyboard.WriteArea(TORVEX_SIM_AREA_KEY_BLOCKS, kKeyBlockSize, second));

    std::atomic<int> mismatches{0};
    auto reader = [&](int block, const std::vector<uint8_t>& expected) {
        for (int round = 0; round < 25; ++round) {
            std::array<uint8_t, kKeyBlockSize> out{};
            if (keyboard.Link().ReadKeyBlock(out, block) != kDeviceDone ||
                !std::equal(out.begin(), out.end(), expected.begin())) {
                ++mismatches;
            }
        }
    };
    std::thread a(reader, 0, std::cref(first));
    std::thread b(reader, 1, std::cref(second));
    a.join();
    b.join();
    EXPECT_EQ(mismatches.load(), 0);
}

}  // namespace
}  // namespace tessel::test
