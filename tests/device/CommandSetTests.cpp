#include <gtest/gtest.h>

#include <array>
#include <numeric>
#include <vector>

#include "device/CommandFrame.h"
#include "device/DeviceResult.h"
#include "support/SimulatedKeyboard.h"

namespace tessel::test {
namespace {

struct SentFrame {
    uint8_t command;
    uint8_t length;
    uint16_t offset;
};

class CommandSet : public ::testing::Test {
protected:
    void SetUp() override { keyboard.ClearFrameLog(); }

    std::vector<SentFrame> Sent() {
        std::vector<SentFrame> frames;
        for (const TorvexSimFrame& f : keyboard.CommandsReceived()) {
            EXPECT_EQ(f.flags & TORVEX_SIM_FLAG_BAD_CHECKSUM, 0) << "command " << int(f.bytes[3]);
            frames.push_back(
                {f.bytes[3], f.bytes[4], static_cast<uint16_t>(f.bytes[5] | f.bytes[6] << 8)});
        }
        return frames;
    }
    std::vector<uint16_t> SentOffsets() {
        std::vector<uint16_t> offsets;
        for (const SentFrame& f : Sent()) offsets.push_back(f.offset);
        return offsets;
    }
    std::vector<uint8_t> SentLengths() {
        std::vector<uint8_t> lengths;
        for (const SentFrame& f : Sent()) lengths.push_back(f.length);
        return lengths;
    }

    SimulatedKeyboard keyboard;
    DeviceLink& link = keyboard.Link();
};

std::vector<uint8_t> Pattern(std::size_t size, uint8_t seed) {
    std::vector<uint8_t> bytes(size);
    std::iota(bytes.begin(), bytes.end(), seed);
    return bytes;
}

TEST_F(CommandSet, KeyBlocksAreReadInFourChunksAtTheirBlockAddress) {
    const std::vector<uint8_t> content = Pattern(kKeyBlockSize, 7);
    ASSERT_TRUE(keyboard.WriteArea(TORVEX_SIM_AREA_KEY_BLOCKS, 3 * kKeyBlockSize, content));
    std::array<uint8_t, kKeyBlockSize> out{};
    EXPECT_EQ(link.ReadKeyBlock(out, 3), kDeviceDone);
    EXPECT_TRUE(std::equal(out.begin(), out.end(), content.begin()));
    EXPECT_EQ(SentOffsets(), (std::vector<uint16_t>{576, 632, 688, 744}));
    EXPECT_EQ(SentLengths(), (std::vector<uint8_t>{56, 56, 56, 24}));
    EXPECT_EQ(Sent().front().command, 0x07);
}

TEST_F(CommandSet, BlockNumbersOutsideTheFourBlocksSendNothing) {
    std::array<uint8_t, kKeyBlockSize> block{};
    EXPECT_EQ(link.ReadKeyBlock(block, 4), kDeviceOutOfRange);
    EXPECT_EQ(link.ReadKeyBlock(block, -1), kDeviceOutOfRange);
    EXPECT_EQ(link.WriteKeyBlock(block, 4), kDeviceOutOfRange);
    EXPECT_TRUE(Sent().empty());
}

TEST_F(CommandSet, AWrittenKeyBlockLandsInTheKeyboardsBlock) {
    const std::vector<uint8_t> content = Pattern(kKeyBlockSize, 40);
    std::array<uint8_t, kKeyBlockSize> data{};
    std::copy(content.begin(), content.end(), data.begin());
    EXPECT_EQ(link.WriteKeyBlock(data, 1), kDeviceDone);
    EXPECT_EQ(keyboard.ReadArea(TORVEX_SIM_AREA_KEY_BLOCKS, kKeyBlockSize, kKeyBlockSize), content);
    EXPECT_EQ(SentOffsets(), (std::vector<uint16_t>{192, 248, 304, 360}));
}

TEST_F(CommandSet, ABusyFrameEndsAMultiFrameTransfer) {
    keyboard.SetFault(TORVEX_SIM_FAULT_BUSY_FF, 3);
    EXPECT_EQ(link.WriteMacroArea(Pattern(112, 1)), kDeviceStatusFF);
    // The first chunk, tried three times; the second is never sent.
    EXPECT_EQ(SentOffsets(), (std::vector<uint16_t>{0, 0, 0}));
}

TEST_F(CommandSet, MacroAreaIsChunkedFromOffsetZero) {
    std::vector<uint8_t> out(57);
    EXPECT_EQ(link.ReadMacroArea(out), kDeviceDone);
    EXPECT_EQ(SentOffsets(), (std::vector<uint16_t>{0, 56}));
    EXPECT_EQ(SentLengths(), (std::vector<uint8_t>{56, 1}));

    keyboard.ClearFrameLog();
    EXPECT_EQ(link.WriteMacroArea({}), kDeviceDone);
    EXPECT_EQ(link.ReadMacroArea({}), kDeviceDone);
    EXPECT_TRUE(Sent().empty());

    const std::vector<uint8_t> image = Pattern(130, 3);
    EXPECT_EQ(link.WriteMacroArea(image), kDeviceDone);
    EXPECT_EQ(keyboard.ReadArea(TORVEX_SIM_AREA_MACRO, 0, 130), image);
    std::vector<uint8_t> back(130);
    EXPECT_EQ(link.ReadMacroArea(back), kDeviceDone);
    EXPECT_EQ(back, image);
}

TEST_F(CommandSet, ParametersAreAddressedByOffsetAndReadWhole) {
    const std::vector<uint8_t> fields{0x05, 0x03, 0x01};
    EXPECT_EQ(link.WriteParameters(fields, 2 * kParameterRecordSize + 1), kDeviceDone);
    EXPECT_EQ(keyboard.ReadArea(TORVEX_SIM_AREA_PARAMETERS, 2 * kParameterRecordSize + 1, 3),
              fields);

    std::array<uint8_t, kFramePayloadSize> out{};
    out.fill(0xEE);
    EXPECT_EQ(link.ReadParameters(out, 1, 2 * kParameterRecordSize), kDeviceDone);
    const std::vector<uint8_t> area =
        keyboard.ReadArea(TORVEX_SIM_AREA_PARAMETERS, 2 * kParameterRecordSize, kFramePayloadSize);
    // The whole payload is copied although one byte was asked for.
    EXPECT_TRUE(std::equal(out.begin() + 1, out.begin() + 4, fields.begin()));
    EXPECT_EQ(out[0], area[0]);
    EXPECT_NE(out[55], 0xEE);

    keyboard.ClearFrameLog();
    const std::vector<uint8_t> tooLong(57, 1);
    EXPECT_EQ(link.WriteParameters(tooLong, 0), kDeviceOutOfRange);
    EXPECT_EQ(link.ReadParameters(out, 57, 0), kDeviceOutOfRange);
    EXPECT_EQ(link.WriteParameters(fields, 0x10000), kDeviceOutOfRange);
    EXPECT_TRUE(Sent().empty());
}

TEST_F(CommandSet, KeyColoursUseTheCallersCurrentProfile) {
    const std::vector<uint8_t> colours = Pattern(54, 100);
    EXPECT_EQ(link.WriteKeyColours(2, colours, 18), kDeviceDone);
    EXPECT_EQ(SentOffsets(), (std::vector<uint16_t>{2 * 192 + 18 * 3}));
    EXPECT_EQ(keyboard.ReadArea(TORVEX_SIM_AREA_KEY_COLOURS, 2 * 192 + 54, 54), colours);

    keyboard.ClearFrameLog();
    EXPECT_EQ(link.WriteKeyColours(0, Pattern(30, 1), 54), kDeviceDone);  // the last 10 slots
    EXPECT_EQ(link.WriteKeyColours(4, colours, 0), kDeviceOutOfRange);
    EXPECT_EQ(link.WriteKeyColours(-1, colours, 0), kDeviceOutOfRange);
    EXPECT_EQ(link.WriteKeyColours(0, colours, 64), kDeviceOutOfRange);
    EXPECT_EQ(link.WriteKeyColours(0, Pattern(33, 1), 54), kDeviceOutOfRange);  // past slot 63
    EXPECT_EQ(Sent().size(), 1u);
}

TEST_F(CommandSet, DefaultKeyBlockAndDeviceInformation) {
    std::array<uint8_t, kKeyBlockSize> defaults{};
    EXPECT_EQ(link.ReadDefaultKeyBlock(defaults), kDeviceDone);
    const std::vector<uint8_t> expected =
        keyboard.ReadArea(TORVEX_SIM_AREA_DEFAULT_KEY_BLOCK, 0, kKeyBlockSize);
    EXPECT_TRUE(std::equal(defaults.begin(), defaults.end(), expected.begin()));
    EXPECT_EQ(SentOffsets(), (std::vector<uint16_t>{0, 56, 112, 168}));

    ASSERT_EQ(keyboard.SetFirmwareVersion(0x0101), 1);
    std::array<uint8_t, kDeviceInfoSize> info{};
    EXPECT_EQ(link.ReadDeviceInfo(info), kDeviceDone);
    EXPECT_EQ(info[8] | info[9] << 8, 0x0101);

    info[4] = 0x42;
    EXPECT_EQ(link.WriteDeviceInfo(info), kDeviceDone);
    EXPECT_EQ(keyboard.ReadArea(TORVEX_SIM_AREA_DEVICE_INFO, 4, 1), std::vector<uint8_t>{0x42});
}

TEST_F(CommandSet, TransferBracketsAndTestCommandAreSingleEmptyFrames) {
    EXPECT_EQ(link.BeginTransfer(), kDeviceDone);
    EXPECT_EQ(link.TestCommand(), kDeviceDone);
    EXPECT_EQ(link.EndTransfer(), kDeviceDone);
    const std::vector<SentFrame> sent = Sent();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0].command, 0x01);
    EXPECT_EQ(sent[1].command, 0x0D);
    EXPECT_EQ(sent[2].command, 0x02);
    for (const SentFrame& f : sent) EXPECT_EQ(f.length | f.offset, 0);
}

TEST_F(CommandSet, BootModeFrameCarriesNoChecksumAndIsNotAwaited) {
    EXPECT_EQ(link.EnterBootMode(), 1);
    const std::vector<TorvexSimFrame> sent = keyboard.CommandsReceived();
    ASSERT_EQ(sent.size(), 1u);
    std::array<uint8_t, 64> expected{};
    expected[0] = 0x04;
    expected[3] = 0xEE;
    expected[4] = 0xEE;
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), sent[0].bytes));
}

TEST_F(CommandSet, ActiveProfileIsCachedAndFollowsSuccessfulSwitches) {
    EXPECT_EQ(link.GetActiveProfile(), 0);
    keyboard.ClearFrameLog();
    EXPECT_EQ(link.GetActiveProfile(), 0);  // from the cache
    EXPECT_TRUE(Sent().empty());

    EXPECT_EQ(link.SetActiveProfile(2), kDeviceDone);
    EXPECT_EQ(keyboard.ReadArea(TORVEX_SIM_AREA_DEVICE_INFO, 10, 1), std::vector<uint8_t>{2});
    EXPECT_EQ(link.GetActiveProfile(), 2);

    keyboard.ClearFrameLog();
    EXPECT_EQ(link.SetActiveProfile(-1), kDeviceOutOfRange);
    EXPECT_EQ(link.SetActiveProfile(4), kDeviceOutOfRange);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(link.GetActiveProfile(), 2);

    // The information block is read, but the keyboard is pulled while it is
    // written back: the profile is unknown from then on.
    keyboard.ShortenReplyWait(std::chrono::milliseconds(50));
    keyboard.SetFault(TORVEX_SIM_FAULT_REMOVE, 1);
    EXPECT_NE(link.SetActiveProfile(1), kDeviceDone);
    EXPECT_EQ(link.GetActiveProfile(), -1);
    const std::vector<SentFrame> sent = Sent();
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ(sent[0].command, 0x03);
    EXPECT_EQ(sent[1].command, 0x04);
}

TEST_F(CommandSet, FailedReadsLeaveTheActiveProfileUnknown) {
    keyboard.Unplug();
    EXPECT_EQ(link.SetActiveProfile(1), kDeviceAbsent);
    EXPECT_EQ(link.GetActiveProfile(), -1);
    keyboard.Plug();
    ASSERT_TRUE(keyboard.WriteArea(TORVEX_SIM_AREA_DEVICE_INFO, 10, {3}));
    EXPECT_EQ(link.GetActiveProfile(), 3);
}

}  // namespace
}  // namespace tessel::test
