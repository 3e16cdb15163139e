#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <numeric>
#include <set>

#include "device/CallCheck.h"
#include "device/Channels.h"
#include "device/CommandFrame.h"

namespace tessel {
namespace {

TEST(CallCheck, TableIsAPermutationAndTheSumWrapsAt32Bits) {
    const std::set<uint8_t> values(kCallCheckTable.begin(), kCallCheckTable.end());
    EXPECT_EQ(values.size(), 256u);
    EXPECT_EQ(kCallCheckTable[0], 13);
    EXPECT_EQ(kCallCheckTable[1], 180);
    EXPECT_EQ(kCallCheckTable[2], static_cast<uint8_t>(2 * 167 + 13));

    const std::array<uint8_t, 2> block{0x00, 0x01};
    EXPECT_EQ(ComputeCallCheck(0xFFFFFFFFu, block), 13u + 180u - 1u);
}

TEST(CallCheck, ChainsDescriptorArgumentsAndTheWholeDataBlock) {
    const auto descriptor = DescriptorBytes(kCommandChannel);
    // 0F 00 00 00 | 0F 32 | 0F 50 | 1C FF | 92 00 | 00 00 00 00
    EXPECT_EQ(descriptor, (std::array<uint8_t, 16>{0x0F, 0, 0, 0, 0x0F, 0x32, 0x0F, 0x50, 0x1C,
                                                   0xFF, 0x92, 0, 0, 0, 0, 0}));
    const uint32_t tag = static_cast<uint32_t>(ChannelTag::CONS);
    const std::array<uint8_t, 4> tagBytes{0x53, 0x4E, 0x4F, 0x43};
    const std::array<uint8_t, 4> secondBytes{0x78, 0x56, 0x34, 0x12};
    uint32_t expected = ComputeCallCheck(0, DescriptorBytes(kConsumerChannel));
    expected = ComputeCallCheck(expected, secondBytes);
    expected = ComputeCallCheck(expected, tagBytes);
    EXPECT_EQ(CallCheckValue(kConsumerChannel, 0x12345678u, tag), expected);

    // Zero padding is part of the frame and so of the value.
    std::array<uint8_t, 64> frame{};
    frame[0] = 0x04;
    frame[3] = 0x01;
    const uint32_t whole = CallCheckValue(kCommandChannel, 0, 0, frame);
    const uint32_t usedBytesOnly =
        CallCheckValue(kCommandChannel, 0, 0, std::span<const uint8_t>(frame).first(8));
    EXPECT_EQ(whole, usedBytesOnly + 56u * kCallCheckTable[0]);
}

TEST(CommandFrame, RequestLayoutAndChecksumOverBytes3To63) {
    CommandFrame frame = CommandFrame::Request(DeviceCommand::WriteKeyBlock, 24, 0x02E8);
    std::array<uint8_t, 24> payload{};
    std::iota(payload.begin(), payload.end(), uint8_t{1});
    frame.SetPayload(payload);
    frame.SealChecksum();

    const auto bytes = frame.Bytes();
    EXPECT_EQ(bytes[0], 0x04);
    EXPECT_EQ(bytes[3], 0x08);
    EXPECT_EQ(bytes[4], 24);
    EXPECT_EQ(bytes[5], 0xE8);
    EXPECT_EQ(bytes[6], 0x02);
    EXPECT_EQ(bytes[7], 0);
    EXPECT_EQ(bytes[8], 1);
    EXPECT_EQ(bytes[31], 24);
    EXPECT_EQ(bytes[32], 0);
    const unsigned sum = 0x08 + 24 + 0xE8 + 0x02 + (24 * 25) / 2;
    EXPECT_EQ(frame.Checksum(), sum);
    EXPECT_EQ(bytes[1], sum & 0xFF);
    EXPECT_EQ(bytes[2], sum >> 8);
}

TEST(CommandFrame, ChecksumCoversOffsetAndFullPayloadCutTo56Bytes) {
    CommandFrame frame = CommandFrame::Request(DeviceCommand::WriteMacroArea, 56, 0xFFFF);
    std::array<uint8_t, 60> payload{};
    payload.fill(0xFF);
    frame.SetPayload(payload);
    frame.SealChecksum();
    // 0x0A + 56 + 0xFF + 0xFF + 56 x 0xFF, modulo 65536.
    EXPECT_EQ(frame.Checksum(), (0x0A + 56 + 58u * 0xFF) & 0xFFFF);
    EXPECT_EQ(frame.Payload().size(), 56u);
    EXPECT_TRUE(std::all_of(frame.Payload().begin(), frame.Payload().end(),
                            [](uint8_t b) { return b == 0xFF; }));
}

}  // namespace
}  // namespace tessel
