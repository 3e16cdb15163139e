// Switching scene modes through the real library and the simulated keyboard:
// the editor-open refusal, the question about unapplied edits and its guard,
// the menu's commands and the scene button's text.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QMenu>

#include <algorithm>
#include <string>

#include "scene_TestBench.h"

namespace tessel::scene_test {
namespace {

using ::testing::ElementsAre;

const std::u16string kQuestion = u"text of IDS_PROFILE_SELECT_PROMPT";

int CheckedPosition(const SceneMenu& menu) {
    const QList<QAction*> items = menu.Items();
    for (int i = 0; i < items.size(); ++i) {
        if (items[i]->isChecked()) {
            return i;
        }
    }
    return -1;
}

int Count(const EventLog& log, const std::string& event) {
    return static_cast<int>(std::count(log.begin(), log.end(), event));
}

TEST(SceneSwitch, OpenKeyEditorRefusesTheSwitchAndChangesNothing) {
    SceneTestBench bench;
    bench.link.SetActiveProfile(1);
    bench.host.keyEditorOpen = true;
    bench.host.applyEnabled = true;
    bench.log.clear();

    EXPECT_EQ(bench.scenes.SwitchScene(2), 0);

    ASSERT_EQ(bench.prompter.shown.size(), 1u);
    // Shown as the table holds it, not looked up as a text key.
    EXPECT_EQ(bench.prompter.shown[0].text, bench.table.Value(TextEntry::PROFILE_SEELCT_PROMPT2));
    EXPECT_EQ(bench.prompter.shown[0].buttons, PromptButtons::Ok);
    EXPECT_THAT(bench.log, ElementsAre("message"));
    EXPECT_EQ(bench.KeyboardProfile(), 1);
    EXPECT_TRUE(bench.host.applyEnabled);
}

TEST(SceneSwitch, AnswerNoRestoresTheEditStoreFromTheSceneFileBeforeTheProfileChanges) {
    SceneTestBench bench;
    bench.EditKeyA(0);
    bench.host.applyEnabled = true;
    bench.prompter.answer = PromptAnswer::No;
    bool editGoneBeforeSwitch = false;
    bench.link.beforeProfileChange = [&](int) { editGoneBeforeSwitch = !bench.HasEditOfKeyA(0); };
    bench.log.clear();

    EXPECT_EQ(bench.scenes.SwitchScene(2), 1);
    ASSERT_TRUE(bench.session.Settle());

    ASSERT_EQ(bench.prompter.shown.size(), 1u);
    EXPECT_EQ(bench.prompter.shown[0].text, kQuestion);
    EXPECT_EQ(bench.prompter.shown[0].buttons, PromptButtons::YesNoDefaultNo);
    EXPECT_TRUE(editGoneBeforeSwitch);
    EXPECT_FALSE(bench.HasEditOfKeyA(0));
    EXPECT_THAT(bench.log, ElementsAre("message", "disable apply", "set profile 2",
                                       "refresh labels", "scene button $Profile0"));
    EXPECT_EQ(bench.KeyboardProfile(), 2);
}

TEST(SceneSwitch, AnswerYesAppliesTheEditsToTheOldProfileFirst) {
    SceneTestBench bench;
    bench.EditKeyA(0);
    bench.host.applyEnabled = true;
    bench.prompter.answer = PromptAnswer::Yes;
    int profileWhileApplying = -1;
    bench.host.onApply = [&] { profileWhileApplying = bench.KeyboardProfile(); };
    bench.log.clear();

    EXPECT_EQ(bench.scenes.SwitchScene(3), 1);
    ASSERT_TRUE(bench.session.Settle());

    EXPECT_EQ(profileWhileApplying, 0);
    EXPECT_TRUE(bench.HasEditOfKeyA(0));
    EXPECT_THAT(bench.log, ElementsAre("message", "apply", "set profile 3", "refresh labels",
                                       "scene button $Profile0"));
    EXPECT_EQ(bench.KeyboardProfile(), 3);
}

TEST(SceneSwitch, WithoutUnappliedEditsNoQuestionIsAsked) {
    SceneTestBench bench;
    bench.EditKeyA(0);  // changed, but nothing says it is pending
    bench.log.clear();

    EXPECT_EQ(bench.scenes.SwitchScene(1), 1);
    ASSERT_TRUE(bench.session.Settle());

    EXPECT_TRUE(bench.prompter.shown.empty());
    EXPECT_TRUE(bench.HasEditOfKeyA(0));
    EXPECT_THAT(bench.log,
                ElementsAre("set profile 1", "refresh labels", "scene button $Profile0"));
    EXPECT_EQ(bench.KeyboardProfile(), 1);
}

TEST(SceneSwitch, UnappliedChangesOfTheManagerAlsoAsk) {
    SceneTestBench bench;
    CTessel_DlgProfile& manager = bench.scenes.Manager();
    manager.OpenModeless();
    manager.SetModified(true);
    bench.prompter.answer = PromptAnswer::No;

    EXPECT_EQ(bench.scenes.SwitchScene(1), 1);
    ASSERT_TRUE(bench.session.Settle());

    EXPECT_EQ(bench.prompter.shown.size(), 1u);
    manager.SendCommand(kIdCancel);
}

TEST(SceneSwitch, RequestsDuringTheQuestionSwitchWithoutAskingAgain) {
    SceneTestBench bench;
    bench.host.applyEnabled = true;
    bench.prompter.answer = PromptAnswer::No;
    std::vector<int> innerResults;
    bench.prompter.whileShown = [&] {
        // The keyboard's profile key, pressed twice while the box is up.
        innerResults.push_back(bench.scenes.SwitchScene(1));
        innerResults.push_back(bench.scenes.SwitchScene(3));
    };
    bench.log.clear();

    EXPECT_EQ(bench.scenes.SwitchScene(2), 1);
    ASSERT_TRUE(bench.session.Settle());

    EXPECT_EQ(bench.prompter.shown.size(), 1u);
    EXPECT_THAT(innerResults, ElementsAre(1, 1));
    EXPECT_EQ(Count(bench.log, "set profile 1"), 1);
    EXPECT_EQ(Count(bench.log, "set profile 3"), 1);
    EXPECT_EQ(bench.log.back(), "scene button $Profile0");
    // The request that asked finishes last.
    EXPECT_EQ(bench.KeyboardProfile(), 2);

    // The guard is down again: the next request with pending edits asks.
    bench.host.applyEnabled = true;
    bench.scenes.SwitchScene(0);
    ASSERT_TRUE(bench.session.Settle());
    EXPECT_EQ(bench.prompter.shown.size(), 2u);
}

TEST(SceneSwitch, DefaultItemChangesNoProfileButRefreshesAndRebuilds) {
    SceneTestBench bench;
    bench.scenes.BuildSceneMenu(true);
    bench.link.SetActiveProfile(3);
    bench.host.applyEnabled = true;
    bench.prompter.answer = PromptAnswer::No;
    bench.EditKeyA(3);
    bench.log.clear();

    EXPECT_TRUE(bench.scenes.OnSceneCommand(9000));
    ASSERT_TRUE(bench.session.Settle());

    // The question and the discarding still run.
    EXPECT_EQ(bench.prompter.shown.size(), 1u);
    EXPECT_FALSE(bench.HasEditOfKeyA(3));
    EXPECT_EQ(bench.KeyboardProfile(), 3);
    EXPECT_EQ(Count(bench.log, "refresh labels"), 1);
    EXPECT_EQ(Count(bench.log, "scene button $Profile0"), 1);
    EXPECT_EQ(CheckedPosition(*bench.scenes.Menu()), 5);
}

TEST(SceneSwitch, SceneCommandsSelectTheSceneOfTheirItem) {
    SceneTestBench bench;
    EXPECT_FALSE(bench.scenes.OnSceneCommand(8999));
    EXPECT_FALSE(bench.scenes.OnSceneCommand(9201));
    EXPECT_TRUE(bench.log.empty());

    EXPECT_TRUE(bench.scenes.OnSceneCommand(9003));
    ASSERT_TRUE(bench.session.Settle());
    EXPECT_EQ(bench.KeyboardProfile(), 2);
    // Numbers beyond the scenes mean the first one.
    EXPECT_TRUE(bench.scenes.OnSceneCommand(9200));
    ASSERT_TRUE(bench.session.Settle());
    EXPECT_EQ(bench.KeyboardProfile(), 0);
    bench.link.SetActiveProfile(2);
    EXPECT_EQ(bench.scenes.SwitchScene(4), 1);
    ASSERT_TRUE(bench.session.Settle());
    EXPECT_EQ(bench.KeyboardProfile(), 0);
}

TEST(SceneMenu, ItemsNameTheSceneFileAndCheckTheActiveProfile) {
    SceneTestBench bench;
    bench.link.SetActiveProfile(1);
    bench.scenes.BuildSceneMenu(true);

    const QList<QAction*> items = bench.scenes.Menu()->Items();
    ASSERT_EQ(items.size(), 6);
    EXPECT_EQ(items[0]->text(), QStringLiteral("text of IDS_DEFAULT_PROFILE_NAME"));
    EXPECT_TRUE(items[1]->isSeparator());
    for (int i = 2; i < 6; ++i) {
        EXPECT_EQ(items[i]->text(), QStringLiteral("$Profile0"));
    }
    EXPECT_EQ(CheckedPosition(*bench.scenes.Menu()), 3);
    EXPECT_EQ(bench.host.caption, QStringLiteral("$Profile0"));
    EXPECT_EQ(bench.host.tooltip, QStringLiteral("The current contextual  mode: $Profile0"));
}

TEST(SceneMenu, UnknownProfileChecksTheDefaultItemAndLabelsTheButtonWithIt) {
    SceneTestBench bench;
    bench.scenes.BuildSceneMenu(true);
    bench.keyboard.Unplug();
    bench.link.ForgetActiveProfile();

    bench.scenes.BuildSceneMenu(false);

    EXPECT_EQ(bench.scenes.Menu()->Items().size(), 6);
    EXPECT_EQ(CheckedPosition(*bench.scenes.Menu()), 0);
    EXPECT_EQ(bench.host.caption, QStringLiteral("text of IDS_DEFAULT_PROFILE_NAME"));
    EXPECT_EQ(bench.host.tooltip,
              QStringLiteral("The current contextual  mode: text of IDS_DEFAULT_PROFILE_NAME"));
}

TEST(SceneMenu, ChoosingAnItemSwitchesAndRebuildsTheMenuUnderIt) {
    SceneTestBench bench;
    bench.scenes.BuildSceneMenu(true);
    QMenu* menu = bench.scenes.Menu()->Menu();

    bench.scenes.Menu()->Items()[4]->trigger();
    ASSERT_TRUE(bench.session.Settle());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    EXPECT_EQ(bench.KeyboardProfile(), 2);
    EXPECT_EQ(bench.scenes.Menu()->Menu(), menu);
    EXPECT_EQ(bench.scenes.Menu()->Items().size(), 6);
    EXPECT_EQ(CheckedPosition(*bench.scenes.Menu()), 4);
}

}  // namespace
}  // namespace tessel::scene_test
