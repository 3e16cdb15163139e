#include "model/LightingModel.h"

#include <gtest/gtest.h>

#include <functional>
#include <mutex>
#include <optional>

#include "TempFolder.h"
#include "device/KeyboardSession.h"
#include "storage/LightingFileStore.h"
#include "support/SimulatedKeyboard.h"

namespace tessel {
namespace {

constexpr uint8_t kWriteParametersCommand = 0x06;
constexpr uint8_t kWriteKeyColoursCommand = 0x11;

struct WriteFrame {
    uint8_t command;
    int length;
    int offset;
    std::vector<uint8_t> payload;
};

class LightingModelTest : public ::testing::Test {
protected:
    LightingModelTest() : files_(skins_.Path(), data_.Path()), model_(session_, files_) {}

    // The keyboard has done what was asked and its answers reached the model,
    // on this thread as on the window's.
    void Settle() {
        session_.WaitUntilIdle();
        std::vector<std::function<void()>> calls;
        {
            std::lock_guard lock(deliveredLock_);
            calls.swap(delivered_);
        }
        for (auto& call : calls) {
            call();
        }
    }
    bool Load() {
        std::optional<bool> loaded;
        model_.LoadLighting([&](bool result) { loaded = result; });
        Settle();
        return loaded.value_or(false);
    }

    // Writes to the keyboard since the last call, without the transfer brackets.
    std::vector<WriteFrame> Writes() {
        Settle();
        std::vector<WriteFrame> writes;
        for (const TorvexSimFrame& frame : keyboard_.CommandsReceived()) {
            const uint8_t command = frame.bytes[3];
            if (command == kWriteParametersCommand || command == kWriteKeyColoursCommand) {
                const int length = frame.bytes[4];
                writes.push_back({command, length, frame.bytes[5] | (frame.bytes[6] << 8),
                                  std::vector<uint8_t>(frame.bytes + 8, frame.bytes + 8 + length)});
            }
        }
        keyboard_.ClearFrameLog();
        return writes;
    }

    std::vector<uint8_t> Parameters(int profile) {
        Settle();
        return keyboard_.ReadArea(TORVEX_SIM_AREA_PARAMETERS, profile * 64, 64);
    }
    std::vector<uint8_t> KeyColour(int profile, int slot) {
        Settle();
        return keyboard_.ReadArea(TORVEX_SIM_AREA_KEY_COLOURS, profile * 192 + slot * 3, 3);
    }
    void OfferEffects(std::vector<uint8_t> codes) {
        codes.resize(32, 0);
        keyboard_.WriteArea(TORVEX_SIM_AREA_DEVICE_INFO, 12, codes);
    }

    testing::TempFolder skins_;
    testing::TempFolder data_;
    test::SimulatedKeyboard keyboard_;
    std::mutex deliveredLock_;
    std::vector<std::function<void()>> delivered_;
    KeyboardSession session_{keyboard_.Link(), [this](std::function<void()> call) {
                                 std::lock_guard lock(deliveredLock_);
                                 delivered_.push_back(std::move(call));
                             }};
    LightingFileStore files_;
    LightingModel model_;
};

const LightingButton kKeyQ{LightingButtonKind::Key, 16};  // slot 18
const LightingButton kKeyH{LightingButtonKind::Key, 7};   // no LED of its own: slot 63
const LightingButton kKeyJ{LightingButtonKind::Key, 9};   // slot 63 as well
const LightingButton kG1{LightingButtonKind::GKey, 0};    // slot 39
const LightingButton kG8{LightingButtonKind::GKey, 7};    // no slot
const LightingButton kFn{LightingButtonKind::Fn, 0};      // slot 42

TEST_F(LightingModelTest, LoadDecodesTheCurrentProfileWithItsReadAsRules) {
    std::vector<uint8_t> record(64, 0);
    record[0] = 5;
    record[2] = 1;
    record[15] = 9;
    record[17] = 7;
    keyboard_.WriteArea(TORVEX_SIM_AREA_PARAMETERS, 64, record);
    OfferEffects({1, 0, 7, 8});
    files_.WriteLightingSwitch(true);

    model_.SetCurrentProfile(1);
    ASSERT_TRUE(Load());

    EXPECT_EQ(model_.Current().effect, 5);
    EXPECT_EQ(model_.Current().speedPosition, 3);
    EXPECT_EQ(model_.Current().reportRate, 3);
    EXPECT_EQ(model_.Current().colourVariant, 0);
    EXPECT_EQ(model_.ParameterRecord(1)[17], 0);
    EXPECT_EQ(model_.OfferedEffectCodes(), (std::vector<int>{1, 7, 8}));
    EXPECT_TRUE(model_.LightingSwitch());
}

TEST_F(LightingModelTest, LoadWithoutKeyboardGivesUpAndKeepsTheMirror) {
    OfferEffects({1, 2});
    ASSERT_TRUE(Load());
    keyboard_.ShortenReplyWait(std::chrono::milliseconds(20));
    keyboard_.Unplug();
    EXPECT_FALSE(Load());
    EXPECT_EQ(model_.OfferedEffectCodes(), (std::vector<int>{1, 2}));
}

// The load's frames go out before the write's, but its answer arrives after
// the user moved the slider: the slider's value stays, on screen and keyboard.
TEST_F(LightingModelTest, ALoadAskedBeforeAWriteDoesNotUndoIt) {
    ASSERT_TRUE(Load());
    model_.SetCurrentProfile(2);
    const int changed =
        (model_.Current().brightness + 1) % (LightingSettings::kMaxSliderPosition + 1);
    model_.LoadLighting({});
    model_.SetBrightness(changed);
    Settle();
    EXPECT_EQ(model_.Current().brightness, changed);
    EXPECT_EQ(model_.ParameterRecord(2)[LightingSettings::kBrightnessOffset], changed);
    EXPECT_EQ(Parameters(2)[LightingSettings::kBrightnessOffset], changed);
}

TEST_F(LightingModelTest, FieldWritesAddressTheCurrentProfile) {
    const auto otherProfile = Parameters(0);
    model_.SetCurrentProfile(2);
    Writes();

    model_.SetSpeedPosition(0);
    EXPECT_EQ(Parameters(2)[2], 4);
    model_.SetSpeedPosition(4);
    EXPECT_EQ(Parameters(2)[2], 0);
    model_.SetReportRate(2);
    EXPECT_EQ(Parameters(2)[15], 2);

    model_.SetColourful(true);
    Writes();
    model_.SetColour(MakeColourRef(10, 20, 30));
    const auto writes = Writes();
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0].offset, 2 * 64 + 4);
    EXPECT_EQ(writes[0].payload, std::vector<uint8_t>{0});
    EXPECT_EQ(writes[1].offset, 2 * 64 + 5);
    EXPECT_EQ(writes[1].payload, (std::vector<uint8_t>{10, 20, 30}));
    EXPECT_FALSE(model_.Current().colourful);
    EXPECT_EQ(Parameters(0), otherProfile);
}

TEST_F(LightingModelTest, SelectEffectSendsOnlySelectableCodes) {
    Writes();
    EXPECT_FALSE(model_.SelectEffect(8));
    EXPECT_FALSE(model_.SelectEffect(0));
    EXPECT_TRUE(keyboard_.CommandsReceived().empty());

    model_.SetColourful(true);
    Writes();
    ASSERT_TRUE(model_.SelectEffect(3));
    auto writes = Writes();
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0].payload, std::vector<uint8_t>{3});
    EXPECT_EQ(writes[1].offset, 4);
    EXPECT_EQ(writes[1].payload, std::vector<uint8_t>{1});

    ASSERT_TRUE(model_.SelectEffect(6));
    writes = Writes();
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].offset, 0);
    EXPECT_EQ(model_.Current().effect, 6);
}

TEST_F(LightingModelTest, UploadSendsTheWholeProfileInFourFrames) {
    model_.SetCurrentProfile(3);
    model_.ApplyCustomMode(3, 0);  // no colour file: every LED red
    Writes();
    model_.UploadKeyColours();

    const auto writes = Writes();
    ASSERT_EQ(writes.size(), 4u);
    const int lengths[] = {54, 54, 54, 30};
    const int slots[] = {0, 18, 36, 54};
    int total = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(writes[i].command, kWriteKeyColoursCommand);
        EXPECT_EQ(writes[i].length, lengths[i]);
        EXPECT_EQ(writes[i].offset, 3 * 192 + slots[i] * 3);
        total += writes[i].length;
    }
    EXPECT_EQ(total, 192);
    EXPECT_EQ(KeyColour(3, 18), (std::vector<uint8_t>{255, 0, 0}));
    EXPECT_EQ(KeyColour(3, 39), (std::vector<uint8_t>{255, 0, 0})) << "G1";
    EXPECT_EQ(KeyColour(3, 42), (std::vector<uint8_t>{255, 0, 0})) << "Fn";
}

TEST_F(LightingModelTest, PaintingNeedsTheCustomEffectAndASlot) {
    model_.SelectEffect(3);
    Writes();
    EXPECT_FALSE(model_.PaintKey(kKeyQ));
    EXPECT_TRUE(Writes().empty());

    model_.SelectEffect(7);
    Writes();
    EXPECT_FALSE(model_.PaintKey(kG8));
    EXPECT_TRUE(Writes().empty());

    model_.SetPlainCustomColour(MakeColourRef(1, 2, 3));
    ASSERT_TRUE(model_.PaintKey(kKeyQ));
    const auto writes = Writes();
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].offset, 18 * 3);
    EXPECT_EQ(writes[0].payload, (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_FALSE(model_.IsLinked(kKeyQ));
    const KeyColourEntry stored = files_.ReadSlotColour(0, model_.PresentMode(), 18);
    EXPECT_EQ(stored.colour, MakeColourRef(1, 2, 3));
    EXPECT_FALSE(stored.linked);
}

TEST_F(LightingModelTest, KeysWithoutTheirOwnLedShareTheLastSlot) {
    model_.SetKeyColour(kKeyH, MakeColourRef(9, 9, 9), false);
    model_.SetKeyColour(kKeyJ, MakeColourRef(7, 7, 7), false);
    EXPECT_EQ(KeyColour(0, 63), (std::vector<uint8_t>{7, 7, 7}));
    EXPECT_EQ(model_.ButtonColour(kKeyH), MakeColourRef(7, 7, 7));
    EXPECT_FALSE(model_.ButtonColour(kG8).has_value());
}

TEST_F(LightingModelTest, LinkedColourChangeRepaintsOnlyLinkedKeys) {
    model_.SelectEffect(7);
    model_.ChooseTool(1);
    model_.SetLinkedColour(MakeColourRef(0, 0, 200));
    model_.PaintKey(kKeyQ);
    model_.PaintKey(kG1);
    model_.PaintKey(kFn);
    model_.ChooseTool(0);
    model_.SetPlainCustomColour(MakeColourRef(5, 5, 5));
    model_.PaintKey(kKeyH);

    model_.SetLinkedColour(MakeColourRef(0, 100, 0));

    for (int slot : {18, 39, 42}) {
        EXPECT_EQ(KeyColour(0, slot), (std::vector<uint8_t>{0, 100, 0})) << slot;
        EXPECT_EQ(files_.ReadSlotColour(0, 0, slot).colour, MakeColourRef(0, 100, 0)) << slot;
    }
    EXPECT_EQ(KeyColour(0, 63), (std::vector<uint8_t>{5, 5, 5}));
    EXPECT_EQ(files_.ReadModeTools(0, 0).linkedColour, MakeColourRef(0, 100, 0));

    Writes();
    model_.SetLinkedColour(MakeColourRef(0, 100, 0));  // unchanged: nothing to do
    EXPECT_TRUE(Writes().empty());
}

TEST_F(LightingModelTest, CustomModeLoadsColoursFlagsAndToolsFromTheFile) {
    files_.WriteModeTools(1, 4, {1, MakeColourRef(1, 1, 1), MakeColourRef(2, 2, 2)});
    files_.WriteSlotColour(1, 4, 18, {MakeColourRef(3, 3, 3), false});
    files_.WriteSlotColour(1, 4, 39, {MakeColourRef(4, 4, 4), true});
    model_.SetCurrentProfile(1);

    model_.SelectCustomMode(4);

    EXPECT_EQ(files_.ReadPresentMode(1), 4);
    EXPECT_EQ(model_.Tools().tool, 1);
    EXPECT_EQ(model_.Tools().plainColour, MakeColourRef(2, 2, 2));
    EXPECT_EQ(KeyColour(1, 18), (std::vector<uint8_t>{3, 3, 3}));
    EXPECT_FALSE(model_.IsLinked(kKeyQ));
    EXPECT_EQ(KeyColour(1, 39), (std::vector<uint8_t>{4, 4, 4}));
    EXPECT_TRUE(model_.IsLinked(kG1));
    EXPECT_TRUE(model_.IsLinked(kFn)) << "absent entries are red and linked";
}

TEST_F(LightingModelTest, RestoreDefaultsCopiesProfileThreeAndSendsTheDefaultRecord) {
    OfferEffects({1, 7});
    model_.SetCurrentProfile(2);
    ASSERT_TRUE(Load());
    ColourFiles colours(skins_.Path());
    colours.WriteModeName(3, 0, u"Ocean");
    colours.WriteSlotColour(3, 0, 18, {MakeColourRef(0, 0, 9), false});
    colours.WriteModeName(2, 0, u"Lost");
    model_.SetColour(MakeColourRef(1, 2, 3));

    model_.RestoreLightingDefaults();

    EXPECT_EQ(model_.ModeNames()[0], u"Ocean");
    EXPECT_EQ(KeyColour(2, 18), (std::vector<uint8_t>{0, 0, 9}));
    const auto record = Parameters(2);
    const auto expected = DefaultLightingRecord(2);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), record.begin()));
    EXPECT_EQ(model_.Current().effect, 3);
    EXPECT_TRUE(model_.Current().colourful);
    EXPECT_EQ(model_.Current().colour, kLightingGreen);
}

}  // namespace
}  // namespace tessel
