// The simulated keyboard through the real library: the command set, the areas
// and their addressing, notifications and presence.

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <thread>

#include "TorvexLibrary.h"

namespace torvex_test {
namespace {

class SimulatedKeyboard : public ::testing::Test {
protected:
    const TorvexLibrary& lib = Library();
    uint32_t commandUnit = 0;
    uint32_t consumerUnit = 0;

    void SetUp() override {
        setenv("TORVEX_BACKEND", "sim", 1);
        unsetenv("TORVEX_SIM_STATE");
        unsetenv("TORVEX_SIM_CONTROL");
        lib.SimReset();
        ASSERT_EQ(lib.Init(0), 1);
        Recorder::Instance().Clear();
        ASSERT_EQ(lib.RequestAsyncRead(&kCommandChannel, RecordingCallback, kTagCtrl,
                                       CallCheck(kCommandChannel, RecordingCallback, kTagCtrl),
                                       &commandUnit),
                  1);
        ASSERT_EQ(lib.RequestAsyncRead(&kConsumerChannel, RecordingCallback, kTagCons,
                                       CallCheck(kConsumerChannel, RecordingCallback, kTagCons),
                                       &consumerUnit),
                  1);
        lib.SimClearFrameLog();
    }
    void TearDown() override { lib.End(); }

    std::vector<uint8_t> Area(int area) {
        std::vector<uint8_t> bytes(static_cast<std::size_t>(lib.SimAreaSize(area)));
        lib.SimReadArea(area, 0, bytes.data(), static_cast<uint32_t>(bytes.size()));
        return bytes;
    }
};

TEST_F(SimulatedKeyboard, DeviceInformationDescribesTheKeyboard) {
    auto reply = Exchange(RequestFrame(0x03, 0x2C, 0));
    ASSERT_TRUE(reply);
    ASSERT_EQ(reply->size(), 64u);
    EXPECT_EQ((*reply)[3], 0x03);
    EXPECT_EQ((*reply)[7], 0x00);
    const uint8_t* info = reply->data() + 8;
    EXPECT_EQ(info[8] | (info[9] << 8), 0x0102);
    EXPECT_EQ(info[10], 0);
    EXPECT_EQ(info[11], 64);  // 8 KiB of macro memory
    for (int code = 1; code <= 7; ++code) {
        EXPECT_EQ(info[11 + code], code);
    }
    EXPECT_EQ(info[19], 0);
    EXPECT_EQ(lib.SimAreaSize(TORVEX_SIM_AREA_MACRO), 64 * 128);
}

TEST_F(SimulatedKeyboard, RepliesArriveOnTheLibrarysThreadAndInTheReportRecord) {
    auto frame = RequestFrame(0x0D, 0, 0);
    uint32_t check = CallCheck(kCommandChannel, nullptr, 0, frame.data(), 64);
    ASSERT_EQ(lib.RequestWriteOne(&kCommandChannel, nullptr, 0, frame.data(), 64, check, 0), 1);
    auto delivery = Recorder::Instance().WaitFor(kTagCtrl, TORVEX_EVENT_INPUT_REPORT);
    ASSERT_TRUE(delivery);
    EXPECT_NE(delivery->thread, std::this_thread::get_id());
    EXPECT_EQ(delivery->count, 64u);
    EXPECT_EQ(delivery->report, delivery->data);
    EXPECT_EQ(delivery->data[3], 0x0D);
}

TEST_F(SimulatedKeyboard, KeyBlocksStartFromTheBuiltInDefaultsAndAreAddressedByBlock) {
    auto defaults = Area(TORVEX_SIM_AREA_DEFAULT_KEY_BLOCK);
    ASSERT_EQ(defaults.size(), 192u);
    // A few slots of the keyboard's own defaults: macro slot, Esc, left Shift, Space, slot 53.
    EXPECT_EQ(std::vector<uint8_t>(defaults.begin(), defaults.begin() + 3),
              (std::vector<uint8_t>{5, 0, 0}));
    EXPECT_EQ(std::vector<uint8_t>(defaults.begin() + 24, defaults.begin() + 27),
              (std::vector<uint8_t>{2, 2, 0x29}));
    EXPECT_EQ(std::vector<uint8_t>(defaults.begin() + 36, defaults.begin() + 39),
              (std::vector<uint8_t>{2, 1, 0x02}));
    EXPECT_EQ(std::vector<uint8_t>(defaults.begin() + 111, defaults.begin() + 114),
              (std::vector<uint8_t>{2, 2, 0x2C}));
    EXPECT_EQ(std::vector<uint8_t>(defaults.begin() + 159, defaults.begin() + 162),
              (std::vector<uint8_t>{5, 2, 2}));
    EXPECT_EQ(std::vector<uint8_t>(defaults.begin() + 189, defaults.end()),
              (std::vector<uint8_t>{0, 0, 0}));

    auto blocks = Area(TORVEX_SIM_AREA_KEY_BLOCKS);
    ASSERT_EQ(blocks.size(), 768u);
    for (int block = 0; block < 4; ++block) {
        EXPECT_TRUE(std::equal(defaults.begin(), defaults.end(), blocks.begin() + block * 192));
    }

    // The last chunk of block 3 (24 bytes at 3 * 192 + 168) is written and read back.
    std::vector<uint8_t> chunk(24);
    for (int i = 0; i < 24; ++i) {
        chunk[i] = static_cast<uint8_t>(0xA0 + i);
    }
    auto written = Exchange(RequestFrame(0x08, 24, 744, chunk));
    ASSERT_TRUE(written);
    EXPECT_EQ((*written)[7], 0);
    auto read = Exchange(RequestFrame(0x07, 24, 744));
    ASSERT_TRUE(read);
    EXPECT_EQ(std::vector<uint8_t>(read->begin() + 8, read->begin() + 32), chunk);
    blocks = Area(TORVEX_SIM_AREA_KEY_BLOCKS);
    EXPECT_EQ(std::vector<uint8_t>(blocks.begin() + 744, blocks.end()), chunk);
}

TEST_F(SimulatedKeyboard, RangesOutsideAnAreaAreRefusedAndChangeNothing) {
    auto before = Area(TORVEX_SIM_AREA_KEY_BLOCKS);
    // Block 4 does not exist.
    auto reply = Exchange(RequestFrame(0x08, 56, 768, std::vector<uint8_t>(56, 0x11)));
    ASSERT_TRUE(reply);
    EXPECT_EQ((*reply)[3], 0x08);
    EXPECT_EQ((*reply)[7], 0xFF);
    // A chunk that runs past the end of the area.
    reply = Exchange(RequestFrame(0x08, 56, 744, std::vector<uint8_t>(56, 0x11)));
    ASSERT_TRUE(reply);
    EXPECT_EQ((*reply)[7], 0xFF);
    // More than a frame can carry.
    reply = Exchange(RequestFrame(0x06, 57, 0));
    ASSERT_TRUE(reply);
    EXPECT_EQ((*reply)[7], 0xFF);
    // An unknown command.
    reply = Exchange(RequestFrame(0x33, 0, 0));
    ASSERT_TRUE(reply);
    EXPECT_EQ((*reply)[3], 0x33);
    EXPECT_EQ((*reply)[7], 0xFF);
    EXPECT_EQ(Area(TORVEX_SIM_AREA_KEY_BLOCKS), before);
}

TEST_F(SimulatedKeyboard, ParametersAndKeyColoursAreWrittenWhereAddressed) {
    auto reply = Exchange(RequestFrame(0x06, 3, 2 * 64 + 5, {0x12, 0x34, 0x56}));
    ASSERT_TRUE(reply);
    EXPECT_EQ((*reply)[7], 0);
    reply = Exchange(RequestFrame(0x11, 3, 1 * 192 + 63 * 3, {7, 8, 9}));
    ASSERT_TRUE(reply);
    EXPECT_EQ((*reply)[7], 0);

    auto parameters = Area(TORVEX_SIM_AREA_PARAMETERS);
    EXPECT_EQ(parameters[133], 0x12);
    EXPECT_EQ(parameters[135], 0x56);
    auto colours = Area(TORVEX_SIM_AREA_KEY_COLOURS);
    EXPECT_EQ(std::vector<uint8_t>(colours.begin() + 381, colours.begin() + 384),
              (std::vector<uint8_t>{7, 8, 9}));

    // A parameter read always carries 56 bytes, whatever length was asked for.
    reply = Exchange(RequestFrame(0x05, 1, 128));
    ASSERT_TRUE(reply);
    EXPECT_TRUE(std::equal(reply->begin() + 8, reply->end(), parameters.begin() + 128));
}

TEST_F(SimulatedKeyboard, DefaultLightingRecordsPerProfile) {
    auto parameters = Area(TORVEX_SIM_AREA_PARAMETERS);
    const uint8_t effects[4] = {1, 2, 3, 5};
    for (int profile = 0; profile < 4; ++profile) {
        const uint8_t* record = parameters.data() + profile * 64;
        EXPECT_EQ(record[0], effects[profile]);
        EXPECT_EQ(record[1], 4);
        EXPECT_EQ(record[4], 0xFF);
        EXPECT_EQ(record[6], 255);  // green
    }
}

TEST_F(SimulatedKeyboard, MacroAreaStartsAsAnEmptyImageAndReadsBackInChunks) {
    auto header = Exchange(RequestFrame(0x09, 16, 0));
    ASSERT_TRUE(header);
    EXPECT_EQ((*header)[8], 0xAA);
    EXPECT_EQ((*header)[9], 0x55);
    EXPECT_EQ((*header)[10], 16);
    EXPECT_EQ((*header)[12], 0);  // no macros

    auto written = Exchange(RequestFrame(0x0A, 1, 56, {0x42}));
    ASSERT_TRUE(written);
    auto read = Exchange(RequestFrame(0x09, 1, 56));
    ASSERT_TRUE(read);
    EXPECT_EQ((*read)[8], 0x42);
    // The last byte of the capacity can be written, the one after it cannot.
    const int capacity = lib.SimAreaSize(TORVEX_SIM_AREA_MACRO);
    auto last = Exchange(RequestFrame(0x0A, 1, static_cast<uint16_t>(capacity - 1), {1}));
    ASSERT_TRUE(last);
    EXPECT_EQ((*last)[7], 0);
    auto beyond = Exchange(RequestFrame(0x0A, 1, static_cast<uint16_t>(capacity), {1}));
    ASSERT_TRUE(beyond);
    EXPECT_EQ((*beyond)[7], 0xFF);
}

TEST_F(SimulatedKeyboard, WriteDeviceInfoSetsTheActiveProfileButNotTheKeyboardsOwnFields) {
    auto info = Exchange(RequestFrame(0x03, 0x2C, 0));
    ASSERT_TRUE(info);
    std::vector<uint8_t> block(info->begin() + 8, info->begin() + 52);
    block[10] = 2;
    block[8] = 0x99;  // firmware version
    block[11] = 1;    // macro capacity
    block[12] = 9;    // effect list
    auto reply = Exchange(RequestFrame(0x04, 0x2C, 0, block));
    ASSERT_TRUE(reply);
    EXPECT_EQ((*reply)[7], 0);
    auto stored = Area(TORVEX_SIM_AREA_DEVICE_INFO);
    EXPECT_EQ(stored[10], 2);
    EXPECT_EQ(stored[8], 0x02);
    EXPECT_EQ(stored[11], 64);
    EXPECT_EQ(stored[12], 1);

    block[10] = 4;  // no such profile
    reply = Exchange(RequestFrame(0x04, 0x2C, 0, block));
    ASSERT_TRUE(reply);
    EXPECT_EQ((*reply)[7], 0xFF);
    EXPECT_EQ(Area(TORVEX_SIM_AREA_DEVICE_INFO)[10], 2);
}

TEST_F(SimulatedKeyboard, WrongChecksumIsLoggedAndRefused) {
    auto frame = RequestFrame(0x06, 1, 0, {0x77});
    frame[1] ^= 0x01;
    auto reply = Exchange(frame);
    ASSERT_TRUE(reply);
    EXPECT_EQ((*reply)[7], 0xFF);
    EXPECT_NE(Area(TORVEX_SIM_AREA_PARAMETERS)[0], 0x77);
    TorvexSimFrame logged{};
    ASSERT_EQ(lib.SimFrameLogEntry(0, &logged), 1);
    EXPECT_EQ(logged.direction, TORVEX_SIM_TO_KEYBOARD);
    EXPECT_TRUE(logged.flags & TORVEX_SIM_FLAG_BAD_CHECKSUM);
}

TEST_F(SimulatedKeyboard, BootModeFrameWithoutChecksumTakesTheKeyboardAway) {
    std::vector<uint8_t> frame(64, 0);
    frame[0] = 0x04;
    frame[3] = 0xEE;
    frame[4] = 0xEE;
    uint32_t check = CallCheck(kCommandChannel, nullptr, 0, frame.data(), 64);
    EXPECT_EQ(lib.RequestWriteOne(&kCommandChannel, nullptr, 0, frame.data(), 64, check, 0), 1);
    auto presence = Recorder::Instance().WaitFor(kTagCtrl, TORVEX_EVENT_PRESENCE);
    ASSERT_TRUE(presence);
    EXPECT_EQ(presence->count, 0u);
    TorvexSimFrame logged{};
    ASSERT_EQ(lib.SimFrameLogEntry(0, &logged), 1);
    EXPECT_FALSE(logged.flags & TORVEX_SIM_FLAG_BAD_CHECKSUM);
    EXPECT_EQ(lib.SimFrameLogCount(), 1);  // no reply
}

TEST_F(SimulatedKeyboard, NotificationCodesTravelOnTheConsumerChannel) {
    ASSERT_EQ(lib.SimNotify(0x02FF), 1);
    auto code = Recorder::Instance().WaitFor(kTagCons, TORVEX_EVENT_INPUT_REPORT);
    ASSERT_TRUE(code);
    ASSERT_GE(code->report.size(), 2u);
    EXPECT_EQ(code->report[0] | (code->report[1] << 8), 0x02FF);
    // Nothing of it reaches the command channel's read.
    EXPECT_FALSE(Recorder::Instance().WaitFor(kTagCtrl, TORVEX_EVENT_INPUT_REPORT, 100));
}

TEST_F(SimulatedKeyboard, ProfileKeyMovesToTheNextProfileAndSays0401) {
    uint8_t profile3 = 3;
    ASSERT_EQ(lib.SimWriteArea(TORVEX_SIM_AREA_DEVICE_INFO, 10, &profile3, 1), 1);
    ASSERT_EQ(lib.SimPressProfileKey(), 1);
    auto code = Recorder::Instance().WaitFor(kTagCons, TORVEX_EVENT_INPUT_REPORT);
    ASSERT_TRUE(code);
    EXPECT_EQ(code->report[0] | (code->report[1] << 8), 0x0401);
    EXPECT_EQ(Area(TORVEX_SIM_AREA_DEVICE_INFO)[10], 0);  // wraps from 3 to 0
}

TEST_F(SimulatedKeyboard, PresenceChangesReachEveryStandingRead) {
    ASSERT_EQ(lib.SimUnplug(), 1);
    auto ctrlGone = Recorder::Instance().WaitFor(kTagCtrl, TORVEX_EVENT_PRESENCE);
    auto consGone = Recorder::Instance().WaitFor(kTagCons, TORVEX_EVENT_PRESENCE);
    ASSERT_TRUE(ctrlGone && consGone);
    EXPECT_EQ(ctrlGone->count, 0u);
    EXPECT_EQ(consGone->count, 0u);
    EXPECT_EQ(lib.RequestGetDeviceCount(&kCommandChannel, nullptr, 0,
                                        CallCheck(kCommandChannel, nullptr, 0), 0),
              0);
    // Unplugged, frames are not taken and codes are not sent.
    EXPECT_EQ(SendFrame(RequestFrame(0x0D, 0, 0)), 0);
    EXPECT_EQ(lib.SimNotify(0x0401), 0);

    ASSERT_EQ(lib.SimPlug(), 1);
    auto back = Recorder::Instance().WaitFor(kTagCtrl, TORVEX_EVENT_PRESENCE);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->count, 1u);
    EXPECT_EQ(lib.RequestGetDeviceCount(&kCommandChannel, nullptr, 0,
                                        CallCheck(kCommandChannel, nullptr, 0), 0),
              1);
}

TEST_F(SimulatedKeyboard, IndicatorStateIsLoggedOnItsChannel) {
    const uint8_t state[2] = {0x05, 0x03};
    uint32_t unit = 0;
    ASSERT_EQ(lib.RequestStatusWrite(
                  &kIndicatorChannel, RecordingCallback, kTagLed, state, 2,
                  CallCheck(kIndicatorChannel, RecordingCallback, kTagLed, state, 2), &unit),
              1);
    EXPECT_NE(unit, 0u);
    TorvexSimFrame logged{};
    ASSERT_EQ(lib.SimFrameLogEntry(0, &logged), 1);
    EXPECT_EQ(logged.channel, TORVEX_SIM_CHANNEL_INDICATOR);
    EXPECT_EQ(logged.length, 2);
    EXPECT_EQ(logged.bytes[1], 0x03);
    EXPECT_EQ(lib.DeleteRequestFromUnitId(unit), 1);
}

TEST_F(SimulatedKeyboard, EveryFrameAndItsReplyCarryTheLabelOfTheSendingThread) {
    constexpr int kFramesEach = 40;
    // Each sender reads its own parameter offset, which the replies echo;
    // label 0 leaves the thread as it starts.
    const std::map<uint16_t, uint32_t> labelOfOffset = {{0, 7}, {8, 0xFFFFFFFFu}, {16, 0}};
    std::vector<std::thread> senders;
    for (const auto& [offset, label] : labelOfOffset) {
        senders.emplace_back([this, offset = offset, label = label] {
            if (label != 0) {
                EXPECT_EQ(lib.SimLabelFrames(label), 1);
            }
            for (int i = 0; i < kFramesEach; ++i) {
                EXPECT_EQ(SendFrame(RequestFrame(0x05, 8, offset)), 1);
            }
        });
    }
    for (std::thread& sender : senders) {
        sender.join();
    }

    std::map<std::pair<uint16_t, uint8_t>, int> counted;
    for (int i = 0; i < lib.SimFrameLogCount(); ++i) {
        TorvexSimFrame frame{};
        ASSERT_EQ(lib.SimFrameLogEntry(i, &frame), 1);
        const uint16_t offset = static_cast<uint16_t>(frame.bytes[5] | (frame.bytes[6] << 8));
        ASSERT_TRUE(labelOfOffset.contains(offset)) << "frame " << frame.sequence;
        EXPECT_EQ(frame.label, labelOfOffset.at(offset))
            << "frame " << frame.sequence << (frame.direction ? " (reply)" : "");
        ++counted[{offset, frame.direction}];
    }
    for (const auto& [offset, label] : labelOfOffset) {
        EXPECT_EQ((counted[{offset, TORVEX_SIM_TO_KEYBOARD}]), kFramesEach) << label;
        EXPECT_EQ((counted[{offset, TORVEX_SIM_FROM_KEYBOARD}]), kFramesEach) << label;
    }
}

}  // namespace
}  // namespace torvex_test
