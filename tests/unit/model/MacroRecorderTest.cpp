#include <gtest/gtest.h>

#include <vector>

#include "model/MacroActionRows.h"
#include "model/MacroRecorder.h"

namespace tessel {
namespace {

constexpr uint16_t kA = 0x01E;
constexpr uint16_t kB = 0x030;
constexpr uint16_t kPrint = 0x137;
constexpr uint16_t kLeftWin = 0x15B;
constexpr uint16_t kMute = 0x120;

// Drives a recorder with a hand-set clock into the rows the way the page does:
// every recorded action goes in after the selected row and becomes the selection.
class Recording : public ::testing::Test {
protected:
    Recording() : recorder([this] { return now; }) {}

    void Start(uint32_t at) {
        now = at;
        recorder.Start();
    }

    bool Key(uint16_t code, bool release, uint32_t at, bool repeat = false) {
        now = at;
        const RecorderDecision decision = recorder.OnKey({code, release, repeat});
        for (const MacroAction& action : decision.actions) {
            rows.Add(action, {.afterSelection = true, .select = true});
        }
        return decision.swallow;
    }

    std::vector<MacroAction> Rows() const { return {rows.Rows().begin(), rows.Rows().end()}; }

    uint32_t now = 0;
    MacroRecorder recorder;
    MacroActionRows rows;
};

TEST_F(Recording, FixedDelaysWhenTheOptionIsOffMeasuredGapsWhenOn) {
    recorder.SetRecordDelays(false);
    Start(1000);
    Key(kA, false, 1400);
    Key(kA, true, 1480);
    Key(kB, false, 1700);
    Key(kB, true, 1750);
    EXPECT_EQ(Rows(),
              (std::vector<MacroAction>{
                  {50, kA, kKeyDown}, {50, kA, kKeyUp}, {50, kB, kKeyDown}, {0, kB, kKeyUp}}));

    rows.Clear();
    recorder.SetRecordDelays(true);
    Start(1000);
    Key(kA, false, 1400);  // the wait before the first key is not kept
    Key(kA, true, 1480);
    Key(kB, false, 1700);
    Key(kB, true, 1750);
    EXPECT_EQ(Rows(),
              (std::vector<MacroAction>{
                  {80, kA, kKeyDown}, {220, kA, kKeyUp}, {50, kB, kKeyDown}, {0, kB, kKeyUp}}));
}

TEST_F(Recording, GapsAreClampedAndSurviveTheTickCountWrapping) {
    recorder.SetRecordDelays(true);
    Start(0xFFFFFF00u);
    Key(kA, false, 0xFFFFFF80u);
    Key(kA, true, 0x00000040u);   // 0xC0 ms later, across the wrap
    Key(kB, false, 0x00100000u);  // over a quarter of an hour later
    Key(kB, true, 0x00100010u);
    EXPECT_EQ(Rows(), (std::vector<MacroAction>{{0xC0, kA, kKeyDown},
                                                {kMaxRecordedGap, kA, kKeyUp},
                                                {0x10, kB, kKeyDown},
                                                {0, kB, kKeyUp}}));
}

TEST_F(Recording, AHeldKeyGivesOnePressAndOneRelease) {
    Start(0);
    EXPECT_TRUE(Key(kA, false, 10));
    for (uint32_t t = 500; t < 2000; t += 30) {  // X11 repeats as release and press pairs
        EXPECT_TRUE(Key(kA, true, t, true));
        EXPECT_TRUE(Key(kA, false, t, true));
    }
    EXPECT_TRUE(Key(kA, true, 2100));
    EXPECT_EQ(Rows(), (std::vector<MacroAction>{{50, kA, kKeyDown}, {0, kA, kKeyUp}}));
}

TEST_F(Recording, PrintScreenGivesAPressAndAReleaseWhicheverWayItArrives) {
    recorder.SetRecordDelays(true);
    Start(0);
    Key(kA, false, 100);
    Key(kPrint, true, 400);  // only the release, as Windows delivers it
    EXPECT_EQ(Rows(), (std::vector<MacroAction>{{300, kA, kKeyDown},
                                                {kPresslessPressDelay, kPrint, kKeyDown},
                                                {0, kPrint, kKeyUp}}));

    rows.Clear();
    Start(0);
    Key(kPrint, false, 100);  // both ways, as X11 delivers it
    Key(kPrint, true, 160);
    EXPECT_EQ(Rows(), (std::vector<MacroAction>{{60, kPrint, kKeyDown}, {0, kPrint, kKeyUp}}));
}

TEST_F(Recording, ARepeatedWindowsKeyPressIsIgnoredUntilItsRelease) {
    Start(0);
    Key(kLeftWin, false, 10);
    EXPECT_TRUE(Key(kLeftWin, false, 500));
    Key(kLeftWin, true, 600);
    Key(kLeftWin, false, 700);
    EXPECT_EQ(rows.Count(), 3);
    EXPECT_EQ(rows.Row(2), (MacroAction{0, kLeftWin, kKeyDown}));
}

TEST_F(Recording, MultimediaKeysAndUnknownKeysPassAndAreNotRecorded) {
    Start(0);
    EXPECT_FALSE(Key(kMute, false, 10));
    EXPECT_FALSE(Key(0, false, 20));
    recorder.Stop();
    EXPECT_FALSE(Key(kA, false, 30));
    EXPECT_TRUE(rows.IsEmpty());
}

TEST_F(Recording, ASecondRecordingGoesInAfterTheSelectedRow) {
    rows.Load(std::vector<MacroAction>{
        {10, kA, kKeyDown}, {20, kA, kKeyUp}, {30, kB, kKeyDown}, {40, kB, kKeyUp}});
    rows.Select(2);
    recorder.SetRecordDelays(true);
    Start(0);
    Key(kA, false, 100);
    Key(kA, true, 170);
    // The third row's delay now leads to the first new row; its old 30 ms
    // moves to the last new row, which leads to the old fourth row.
    EXPECT_EQ(Rows(), (std::vector<MacroAction>{{10, kA, kKeyDown},
                                                {20, kA, kKeyUp},
                                                {100, kB, kKeyDown},
                                                {70, kA, kKeyDown},
                                                {30, kA, kKeyUp},
                                                {40, kB, kKeyUp}}));
    EXPECT_EQ(rows.Selected(), 4);
}

TEST(MacroActionRows, TheTwoThousandFirstActionIsDropped) {
    MacroActionRows rows;
    for (int i = 0; i < kMaxMacroActions; ++i) {
        ASSERT_TRUE(rows.Add({50, kA, kKeyDown}, {}).has_value());
    }
    EXPECT_FALSE(rows.Add({50, kB, kKeyDown}, {}).has_value());
    EXPECT_EQ(rows.Count(), kMaxMacroActions);
}

TEST(MacroActionRows, DeleteAndMoveKeepEachActionsDelayAndFollowTheSelection) {
    MacroActionRows rows;
    rows.Load(std::vector<MacroAction>{{1, kA, 0}, {2, kA, 1}, {3, kB, 0}, {4, kB, 1}});
    rows.Select(1);
    EXPECT_TRUE(rows.MoveSelected(RowMove::Bottom));
    EXPECT_EQ(rows.Selected(), 3);
    EXPECT_FALSE(rows.MoveSelected(RowMove::Down));
    EXPECT_TRUE(rows.MoveSelected(RowMove::Up));
    EXPECT_TRUE(rows.MoveSelected(RowMove::Top));
    EXPECT_EQ(rows.Rows()[0], (MacroAction{2, kA, 1}));
    EXPECT_EQ(rows.Rows()[3], (MacroAction{4, kB, 1}));

    rows.Select(3);
    EXPECT_TRUE(rows.DeleteSelected());
    EXPECT_EQ(rows.Selected(), 2);  // the last row went: the one before it
    rows.Select(0);
    EXPECT_TRUE(rows.DeleteSelected());
    EXPECT_EQ(rows.Selected(), 0);  // the row after it
    EXPECT_EQ(rows.Rows()[0], (MacroAction{1, kA, 0}));
    rows.SetRelease(0, 7);
    EXPECT_EQ(rows.Row(0).release, kKeyDown);
}

TEST(DelayCell, TypedDelaysAreLimitedAndRoundedDown) {
    struct Case {
        std::u16string typed;
        std::optional<uint32_t> delay;
        bool capped;
    };
    const Case cases[] = {
        {u"40009", 40000, true},
        {u"129", 120, false},
        {u"123456789012345678901234567890", 40000, true},
        {u"4294967296", 40000, true},
        {u"40000", 40000, false},
        {u"7", 0, false},
        {u"", std::nullopt, false},
        {u"12a", std::nullopt, false},
    };
    for (const Case& c : cases) {
        const DelayCellResult result = ReadDelayCell(c.typed);
        EXPECT_EQ(result.delay, c.delay);
        EXPECT_EQ(result.capped, c.capped);
    }
}

}  // namespace
}  // namespace tessel
