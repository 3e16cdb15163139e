#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "RecordingListener.h"
#include "device/Channels.h"
#include "device/DeviceEvents.h"
#include "device/ReplySlot.h"
#include "support/SimulatedKeyboard.h"

namespace tessel::test {
namespace {

using std::chrono::milliseconds;

// A report record as the library builds it: the report pointer at offset 28.
struct FakeReport {
    explicit FakeReport(std::array<uint8_t, 2> bytes) : report(bytes) {
        const uint8_t* pointer = report.data();
        std::memcpy(record.data() + TORVEX_REPORT_POINTER_OFFSET, &pointer, sizeof(pointer));
    }
    std::array<uint8_t, 2> report;
    alignas(8) std::array<uint8_t, 40> record{};
};

int Deliver(ChannelTag tag, uint32_t kind, uint32_t count, const uint8_t* report = nullptr) {
    DeviceRequestRecord request{static_cast<uint32_t>(tag), count, nullptr, report};
    DeviceEventRecord event{kind, 0, &request};
    return OnDeviceEvent(&event);
}

class DeviceEventDispatch : public ::testing::Test {
protected:
    void SetUp() override { DeviceEventRouter::Instance().SetStatusListener(&listener); }
    void TearDown() override { DeviceEventRouter::Instance().SetStatusListener(nullptr); }
    RecordingListener listener;
};

TEST_F(DeviceEventDispatch, PresenceAndNotificationCodesReachTheListener) {
    FakeReport layerToggle({0xFF, 0x02});
    EXPECT_EQ(Deliver(ChannelTag::CTRL, TORVEX_EVENT_PRESENCE, 2), 1);
    EXPECT_EQ(Deliver(ChannelTag::CONS, TORVEX_EVENT_INPUT_REPORT, 2, layerToggle.record.data()),
              1);
    EXPECT_EQ(listener.Presence(), (std::vector<uint32_t>{2}));
    EXPECT_EQ(listener.Codes(), (std::vector<uint16_t>{0x02FF}));
}

TEST_F(DeviceEventDispatch, EverythingElseChangesNothingAndReturnsOne) {
    FakeReport report({0x01, 0x04});
    EXPECT_EQ(Deliver(ChannelTag::CONS, TORVEX_EVENT_PRESENCE, 1, report.record.data()), 1);
    EXPECT_EQ(Deliver(ChannelTag::LED, TORVEX_EVENT_INPUT_REPORT, 2, report.record.data()), 1);
    EXPECT_EQ(Deliver(ChannelTag::LED, TORVEX_EVENT_PRESENCE, 1), 1);
    EXPECT_EQ(Deliver(static_cast<ChannelTag>(0x41424344), TORVEX_EVENT_PRESENCE, 1), 1);
    EXPECT_EQ(Deliver(ChannelTag::CTRL, 7, 1), 1);
    // Consumer reports too short for a code, or without report bytes.
    EXPECT_EQ(Deliver(ChannelTag::CONS, TORVEX_EVENT_INPUT_REPORT, 1, report.record.data()), 1);
    EXPECT_EQ(Deliver(ChannelTag::CONS, TORVEX_EVENT_INPUT_REPORT, 2, nullptr), 1);
    EXPECT_EQ(OnDeviceEvent(nullptr), 1);
    DeviceEventRecord noRequest{TORVEX_EVENT_INPUT_REPORT, 0, nullptr};
    EXPECT_EQ(OnDeviceEvent(&noRequest), 1);

    EXPECT_TRUE(listener.Presence().empty());
    EXPECT_TRUE(listener.Codes().empty());
}

TEST(ReplySlotHandOff, OnlyAWaitingTransactionReceivesAndOnlyUpToItsCapacity) {
    ReplySlot slot;
    std::array<uint8_t, 6> report{1, 2, 3, 4, 5, 6};
    std::array<uint8_t, 4> destination{9, 9, 9, 9};

    slot.HandOffReply(report);  // nobody waits: dropped
    slot.Publish(destination);
    EXPECT_FALSE(slot.WaitForReply(milliseconds(0)));
    EXPECT_EQ(destination, (std::array<uint8_t, 4>{9, 9, 9, 9}));

    slot.Publish(destination);
    slot.HandOffReply(report);
    EXPECT_TRUE(slot.WaitForReply(milliseconds(0)));
    EXPECT_EQ(slot.ReceivedLength(), 4u);
    EXPECT_EQ(destination, (std::array<uint8_t, 4>{1, 2, 3, 4}));

    // The wait ended the flight: a second report no longer writes.
    slot.HandOffReply(std::array<uint8_t, 2>{7, 7});
    EXPECT_EQ(destination, (std::array<uint8_t, 4>{1, 2, 3, 4}));

    // A shorter reply leaves the rest as it was.
    slot.Publish(destination);
    slot.HandOffReply(std::array<uint8_t, 2>{7, 7});
    EXPECT_TRUE(slot.WaitForReply(milliseconds(0)));
    EXPECT_EQ(slot.ReceivedLength(), 2u);
    EXPECT_EQ(destination, (std::array<uint8_t, 4>{7, 7, 3, 4}));
}

TEST(DeviceEventsFromTheKeyboard, AttachRemovalAndCodesArriveOnTheLibrarysThread) {
    RecordingListener listener;
    SimulatedKeyboardOptions options;
    options.listener = &listener;
    SimulatedKeyboard keyboard(options);

    ASSERT_EQ(keyboard.Unplug(), 1);
    ASSERT_TRUE(EventuallyTrue([&] { return !listener.Presence().empty(); }));
    ASSERT_EQ(keyboard.Plug(), 1);
    ASSERT_TRUE(EventuallyTrue([&] { return listener.Presence().size() >= 2; }));
    EXPECT_EQ(listener.Presence().front(), 0u);
    EXPECT_EQ(listener.Presence().back(), 1u);

    ASSERT_EQ(keyboard.Notify(0x02FF), 1);
    ASSERT_EQ(keyboard.Notify(0x1811), 1);
    ASSERT_TRUE(EventuallyTrue([&] { return listener.Codes().size() >= 2; }));
    EXPECT_EQ(listener.Codes(), (std::vector<uint16_t>{0x02FF, 0x1811}));
}

TEST(DeviceEventsFromTheKeyboard, ProfileKeyReportsTheChangeAndTheNewProfileCanBeRead) {
    RecordingListener listener;
    SimulatedKeyboardOptions options;
    options.listener = &listener;
    SimulatedKeyboard keyboard(options);
    const int before = keyboard.Link().GetActiveProfile();
    ASSERT_GE(before, 0);

    ASSERT_EQ(keyboard.PressProfileKey(), 1);
    ASSERT_TRUE(EventuallyTrue([&] { return !listener.Codes().empty(); }));
    EXPECT_EQ(listener.Codes().front(), 0x0401);
    // The cache still holds the old profile until it is forgotten.
    EXPECT_EQ(keyboard.Link().GetActiveProfile(), before);
    keyboard.Link().ForgetActiveProfile();
    EXPECT_EQ(keyboard.Link().GetActiveProfile(), (before + 1) % 4);
}

}  // namespace
}  // namespace tessel::test
