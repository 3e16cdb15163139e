#include <gtest/gtest.h>

#include <array>

#include "model/AssignmentEdits.h"
#include "model/KeyButtons.h"
#include "model/ProfileImage.h"
#include "model/TextTable.h"

namespace tessel {
namespace {

std::array<uint8_t, kImageHeaderSize> HeaderBytes(const ImageHeader& header) {
    std::array<uint8_t, kImageHeaderSize> bytes{};
    EncodeImageHeader(header, bytes);
    return bytes;
}

TEST(ImageHeader, NewImageFillsSizesAndCheckByte) {
    ImageHeader header;
    NewImage(header, 2, 40, 0);
    EXPECT_EQ(header.totalSize, 65896u);
    const auto bytes = HeaderBytes(header);
    const std::array<uint8_t, 31> expected = {0x46, 0x44, 32, 0, 3, 0,  1, 0, 0x68, 0x01, 0x01,
                                              0,    0x00, 8,  2, 0, 40, 0, 0, 0,    0,    0,
                                              0,    0,    0,  0, 0, 0,  0, 0, 0};
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), bytes.begin()));
    unsigned sum = 0;
    for (int i = 0; i < 31; ++i) {
        sum += bytes[i];
    }
    EXPECT_EQ(bytes[31], sum & 0xFF);
    EXPECT_EQ(HeaderCheckByte(bytes), bytes[31]);

    NewImage(header, 0, 0, 1);
    EXPECT_EQ(header.totalSize, 32832u);
    EXPECT_EQ(header.flag, 1);
    EXPECT_EQ(DecodeImageHeader(HeaderBytes(header)), header);
}

TEST(ProfileImage, DefaultImageHasIdentityAndGKeysOfProfileZeroOnly) {
    auto image = DefaultImage();
    EXPECT_EQ(image->header.macroCount, 0);
    EXPECT_EQ(image->header.totalSize, kProfileImageSize);
    EXPECT_EQ(image->identity[0], 0x4B);
    EXPECT_EQ(image->identity[16], 0x0F);  // vendor id 0x320F
    EXPECT_EQ(image->identity[17], 0x32);
    EXPECT_EQ(image->identity[19], 0x50);
    EXPECT_EQ(image->identity[20], 0x4F);
    EXPECT_EQ(EntryFor(*image, 0, 256)->auxiliary, 0x0301);
    EXPECT_EQ(EntryFor(*image, 0, 264)->auxiliary, 0x0309);
    EXPECT_EQ(EntryFor(*image, 0, 265)->auxiliary, 0x1301);
    EXPECT_EQ(EntryFor(*image, 0, 274)->auxiliary, 0);
    EXPECT_EQ(EntryFor(*image, 1, 256)->auxiliary, 0);
}

TEST(ProfileImage, EntriesAreAddressedAndBounded) {
    auto image = DefaultImage();
    EXPECT_EQ(EntryIndex(3, 511), 2047);
    EXPECT_EQ(EntryFor(*image, 1, 5), &image->entries[517]);
    EXPECT_EQ(EntryFor(*image, 4, 0), nullptr);
    EXPECT_EQ(EntryFor(*image, -1, 0), nullptr);
    EXPECT_EQ(EntryFor(*image, 0, 512), nullptr);
}

TEST(ProfileImage, BytesRoundTripInLittleEndianOrder) {
    auto image = DefaultImage();
    image->entries[517] = {2, 0x1234, 0xAABBCCDD, 1, 0x01020304};
    image->header.reserved24 = 7;  // kept as read
    std::vector<uint8_t> bytes(kProfileImageSize);
    EncodeProfileImage(*image, std::span<uint8_t, kProfileImageSize>(bytes));
    const std::size_t at = 64 + 517 * 16;
    EXPECT_EQ(bytes[at], 2);
    EXPECT_EQ(bytes[at + 2], 0x34);
    EXPECT_EQ(bytes[at + 4], 0xDD);
    EXPECT_EQ(bytes[at + 7], 0xAA);
    EXPECT_EQ(bytes[at + 8], 1);
    EXPECT_EQ(bytes[at + 12], 0x04);
    EXPECT_EQ(bytes[24], 7);
    auto back = DecodeProfileImage(std::span<const uint8_t, kProfileImageSize>(bytes));
    EXPECT_EQ(back->header, image->header);
    EXPECT_EQ(back->identity, image->identity);
    EXPECT_EQ(back->entries, image->entries);
}

TEST(TextTable, KeepsTotalAndCutsLongTexts) {
    TextTable texts;
    EXPECT_TRUE(texts.Set(3, u"abc"));
    EXPECT_TRUE(texts.Set(2047, std::u16string(300, u'x')));
    EXPECT_EQ(texts.ByteLength(3), 8u);
    EXPECT_EQ(texts.ByteLength(2047), 520u);
    EXPECT_EQ(texts.Total(), 528u);
    texts.Set(3, u"a");
    EXPECT_EQ(texts.Total(), 524u);
    texts.Clear(2047);
    EXPECT_EQ(texts.Total(), 4u);
    EXPECT_FALSE(texts.Set(2048, u"x"));
    EXPECT_FALSE(texts.Set(-1, u"x"));
    EXPECT_EQ(texts.Text(2048), nullptr);
    EXPECT_EQ(texts.ByteLength(5), 0u);
}

TEST(TextTable, PacksTextsOfTextEntriesInEntryOrder) {
    auto image = DefaultImage();
    TextTable texts;
    image->entries[10].type = static_cast<uint16_t>(AssignmentType::TextBlock);
    image->entries[4].type = static_cast<uint16_t>(AssignmentType::LaunchProgram);
    image->entries[7].type = static_cast<uint16_t>(AssignmentType::Key);  // text ignored
    texts.Set(10, u"hi");
    texts.Set(4, u"/bin/x");
    texts.Set(7, u"zz");
    const auto area = PackTextArea(*image, texts, 20);
    ASSERT_EQ(area.size(), 20u);
    EXPECT_EQ(image->entries[4].value, 0u);
    EXPECT_EQ(image->entries[10].value, 14u);
    EXPECT_EQ(area[0], u'/');
    EXPECT_EQ(area[12], 0);  // terminator of the first text
    EXPECT_EQ(area[14], u'h');

    TextTable back;
    UnpackTextArea(*image, area, back);
    EXPECT_EQ(*back.Text(4), u"/bin/x");
    EXPECT_EQ(*back.Text(10), u"hi");
    EXPECT_EQ(back.Text(7), nullptr);
    EXPECT_EQ(back.Total(), 20u);
}

TEST(TextTable, TextsThatDoNotFitAreLeftOut) {
    auto image = DefaultImage();
    TextTable texts;
    image->entries[1].type = static_cast<uint16_t>(AssignmentType::TextBlock);
    image->entries[2].type = static_cast<uint16_t>(AssignmentType::TextBlock);
    texts.Set(1, u"abcdef");
    texts.Set(2, u"x");
    image->entries[3].type = static_cast<uint16_t>(AssignmentType::LaunchProgram);
    image->entries[3].value = 2;  // no text: the old offset must not stay
    const auto area = PackTextArea(*image, texts, 6);
    EXPECT_EQ(image->entries[2].value, 0u);
    EXPECT_EQ(area[0], u'x');
    EXPECT_EQ(image->entries[1].value, kNoTextOffset);
    EXPECT_EQ(image->entries[3].value, kNoTextOffset);
}

TEST(TextTable, UnpackChecksOffsetsAndTerminators) {
    auto image = DefaultImage();
    const std::vector<uint8_t> area = {'a', 0, 0, 0, 'b', 0, 'c', 0};
    auto setText = [&](int slot, uint32_t offset) {
        image->entries[slot].type = static_cast<uint16_t>(AssignmentType::TextBlock);
        image->entries[slot].value = offset;
    };
    setText(0, 1);    // odd: rounded down to 0
    setText(1, 4);    // no terminator before the end
    setText(2, 800);  // outside the area
    TextTable texts;
    UnpackTextArea(*image, area, texts);
    EXPECT_EQ(*texts.Text(0), u"a");
    EXPECT_EQ(texts.Text(1), nullptr);
    EXPECT_EQ(texts.Text(2), nullptr);
}

// The program can use 259 characters of a text: a longer one, terminated or
// not, is read up to there and no further.
TEST(TextTable, UnpackReadsNoMoreThanAUsableText) {
    auto image = DefaultImage();
    std::vector<uint8_t> area(1 << 20, 'x');  // one large text without terminators
    const std::vector<uint8_t> shortText = {'o', 0, 'k', 0, 0, 0};
    std::copy(shortText.begin(), shortText.end(), area.begin() + 10000);
    for (int slot = 0; slot < kEntryCount; ++slot) {
        image->entries[slot].type = static_cast<uint16_t>(AssignmentType::LaunchProgram);
        image->entries[slot].value = static_cast<uint32_t>(slot * 2);
    }
    image->entries[7].value = 10000;
    image->entries[8].value = static_cast<uint32_t>(area.size() - 2 * 200);  // ends unterminated
    TextTable texts;
    UnpackTextArea(*image, area, texts);
    const std::u16string usable(kMaxEntryTextChars, u'\x7878');  // two 'x' bytes
    EXPECT_EQ(*texts.Text(0), usable);
    EXPECT_EQ(*texts.Text(kEntryCount - 1), usable);
    EXPECT_EQ(*texts.Text(7), u"ok");
    EXPECT_EQ(texts.Text(8), nullptr);
}

class EditStore : public ::testing::Test {
protected:
    EditStore() { edit.SetImage(DefaultImage()); }
    ConfigStore edit;
};

TEST_F(EditStore, EditingAKeyKeepsTheColourFlagAndFreesTheText) {
    KeyAssignment& entry = *EntryFor(*edit.Image(), 1, 30);
    entry = {6, 0, 0, 1, 9};
    edit.Texts().Set(EntryIndex(1, 30), u"text");
    ASSERT_TRUE(EditKeyAssignment(edit, 1, 30, 4, 3, 12));
    EXPECT_EQ(entry, (KeyAssignment{4, 3, 12, 1, 9}));
    EXPECT_EQ(edit.Texts().Total(), 0u);
    EXPECT_FALSE(EditKeyAssignment(edit, -1, 30, 4, 3, 12));
    EXPECT_FALSE(EditKeyAssignment(edit, 0, 512, 4, 3, 12));

    EXPECT_EQ(EntryAuxiliary(266, 4, 3), 0x1302);  // a G key keeps its identifier
    EXPECT_EQ(EntryAuxiliary(30, 4, 3), 3);
    EXPECT_EQ(EntryAuxiliary(30, 2, 3), 0);
}

TEST_F(EditStore, ClearProfileKeysClearsButtonsAndTheCurrentBankOnly) {
    for (KeyAssignment& entry : edit.Image()->entries) {
        entry = {2, 0x55, 0x1E, 1, 0};
    }
    ASSERT_TRUE(ClearProfileKeys(edit, 2, true));
    for (const KeyButton& button : kKeyButtons) {
        EXPECT_EQ(*EntryFor(*edit.Image(), 2, button.KeyIndex()), KeyAssignment{});
        EXPECT_NE(EntryFor(*edit.Image(), 1, button.KeyIndex())->type, 0);
    }
    EXPECT_EQ(*EntryFor(*edit.Image(), 2, 265), KeyAssignment{});
    EXPECT_EQ(*EntryFor(*edit.Image(), 2, 273), KeyAssignment{});
    EXPECT_NE(EntryFor(*edit.Image(), 2, 256)->type, 0);    // bank A untouched
    EXPECT_NE(EntryFor(*edit.Image(), 2, 0x070)->type, 0);  // no button for ROMA
    EXPECT_FALSE(ClearProfileKeys(edit, -1, false));
}

// The flags live at the buttons' positions: A (position 0) keeps its flag in
// entry 0, whatever key index 0 stands for, and every position is cleared.
TEST_F(EditStore, ClearProfileKeysClearsTheColourFlagOfEveryButtonPosition) {
    for (int index = 0; index < kEntriesPerProfile; ++index) {
        EntryFor(*edit.Image(), 1, index)->colourSelection = 1;
        EntryFor(*edit.Image(), 2, index)->colourSelection = 1;
    }
    ASSERT_TRUE(ClearProfileKeys(edit, 1, false));
    for (int position = 0; position < kKeyButtonCount; ++position) {
        EXPECT_EQ(EntryFor(*edit.Image(), 1, position)->colourSelection, 0u) << position;
        EXPECT_EQ(EntryFor(*edit.Image(), 2, position)->colourSelection, 1u) << position;
    }
}

TEST_F(EditStore, MacroInUseAnywhereInTheImage) {
    EXPECT_FALSE(IsMacroInUse(edit, 5));
    EXPECT_TRUE(EditKeyAssignment(edit, 3, 511, 4, 1, 5));
    EXPECT_TRUE(IsMacroInUse(edit, 5));
    EXPECT_FALSE(IsMacroInUse(edit, 6));
    EXPECT_TRUE(EditKeyAssignment(edit, 3, 511, 2, 0, 5));  // a key, not a macro
    EXPECT_FALSE(IsMacroInUse(edit, 5));
    EXPECT_TRUE(EditKeyAssignment(edit, 0, 256, 4, 1, 5));  // the entry that was skipped
    EXPECT_TRUE(IsMacroInUse(edit, 5));
}

}  // namespace
}  // namespace tessel
