// The scene-mode manager on the shipped skin: its rows, the single check mark,
// Add, Load and Delete, and Apply, which makes the checked scene the keyboard's
// active profile and reloads the configuration from the keyboard.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QTableWidget>
#include <QTimer>

#include <filesystem>
#include <string>

#include "scene_TestBench.h"
#include "skin/qt/CPngButton.h"
#include "storage/ProfileSettings.h"

namespace tessel::scene_test {
namespace {

using ::testing::Contains;

class SceneManagerTest : public ::testing::Test {
protected:
    void SetUp() override { manager.OpenModeless(); }
    void TearDown() override { bench.scenes.CloseSceneManager(); }

    QTableWidget& List() { return *manager.List(); }
    QString Cell(int row, int column) { return List().item(row, column)->text(); }
    void ClickCheckBox(int row, Qt::CheckState state) { List().item(row, 0)->setCheckState(state); }
    bool ApplyEnabled() { return manager.GetDlgItem(CTessel_DlgProfile::kIdApply)->isEnabled(); }
    std::u16string Setting(const std::u16string& name) {
        return bench.settings.ReadString(kProfilesSettingsKey, name).value_or(u"<none>");
    }
    std::u16string InData(const std::string& name) {
        return (bench.dataFolder.Path() / name).u16string();
    }

    SceneTestBench bench;
    CTessel_DlgProfile& manager = bench.scenes.Manager();
};

TEST_F(SceneManagerTest, OpensWithOneRowPerSceneAndTheActiveOneChecked) {
    ASSERT_TRUE(manager.IsOpen());
    ASSERT_EQ(List().rowCount(), 4);
    const QString folder =
        QString::fromStdU16String(bench.dataFolder.Path().u16string()) + QLatin1Char('/');
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(Cell(row, 1), QStringLiteral("$Profile0"));
        EXPECT_EQ(Cell(row, 2), folder);
    }
    EXPECT_EQ(manager.CheckedRow(), 0);
    EXPECT_FALSE(manager.IsModified());
    EXPECT_FALSE(ApplyEnabled());
    EXPECT_EQ(List().horizontalHeaderItem(0)->text(), QStringLiteral("激活"));
    EXPECT_EQ(List().columnWidth(2), 230);
    EXPECT_FALSE(manager.GetDlgItem(CTessel_DlgProfile::kIdTest)->isVisible());
}

TEST_F(SceneManagerTest, CheckingARowUnchecksTheOthersAndEnablesApply) {
    ClickCheckBox(2, Qt::Checked);
    EXPECT_EQ(manager.CheckedRow(), 2);
    EXPECT_EQ(List().item(0, 0)->checkState(), Qt::Unchecked);
    EXPECT_TRUE(ApplyEnabled());
    EXPECT_TRUE(manager.IsModified());

    // Taking the mark away is a change too.
    manager.SetModified(false);
    ClickCheckBox(2, Qt::Unchecked);
    EXPECT_EQ(manager.CheckedRow(), std::nullopt);
    EXPECT_TRUE(ApplyEnabled());
}

TEST_F(SceneManagerTest, ApplyMakesTheCheckedSceneActiveAndReloadsFromTheKeyboard) {
    bench.EditKeyA(0);
    bench.host.applyEnabled = true;
    bench.prompter.answer = PromptAnswer::No;
    ClickCheckBox(2, Qt::Checked);
    bench.log.clear();

    manager.SendCommand(CTessel_DlgProfile::kIdApply);

    EXPECT_EQ(bench.KeyboardProfile(), 2);
    // The main window's unapplied edit goes only once the user said so.
    EXPECT_FALSE(bench.HasEditOfKeyA(0));
    ASSERT_EQ(bench.prompter.shown.size(), 1u);
    EXPECT_THAT(bench.log, ::testing::ElementsAre("message", "disable apply", "set profile 2",
                                                  "refresh labels", "disable apply",
                                                  "scene button $Profile0"));
    EXPECT_FALSE(ApplyEnabled());
    EXPECT_TRUE(manager.IsOpen());
    EXPECT_EQ(Setting(u"PROFILE00"), u"4");
    EXPECT_EQ(Setting(u"PROFILE01"), InData("$Profile0.fwc"));
    EXPECT_EQ(Setting(u"PROFILE04"), InData("$Profile0.fwc"));
}

TEST_F(SceneManagerTest, AddWritesAFreshFileAndListsIt) {
    const std::u16string chosen = InData("Work.fwc");
    bench.prompter.fileAnswers.push_back(chosen);

    manager.SendCommand(CTessel_DlgProfile::kIdAdd);

    ASSERT_EQ(bench.prompter.dialogs.size(), 1u);
    EXPECT_EQ(bench.prompter.dialogs[0].initialPath, InData("The new contextual  mode"));
    EXPECT_EQ(std::filesystem::file_size(chosen), 32832u);
    ASSERT_EQ(List().rowCount(), 5);
    EXPECT_EQ(Cell(4, 1), QStringLiteral("Work"));
    EXPECT_TRUE(ApplyEnabled());

    manager.SendCommand(CTessel_DlgProfile::kIdApply);
    EXPECT_EQ(Setting(u"PROFILE00"), u"5");
    EXPECT_EQ(Setting(u"PROFILE05"), chosen);
}

TEST_F(SceneManagerTest, LoadListsTheChosenFileWithoutReadingIt) {
    bench.prompter.fileAnswers.push_back(InData("missing.fwc"));
    manager.SendCommand(CTessel_DlgProfile::kIdLoad);
    ASSERT_EQ(List().rowCount(), 5);
    EXPECT_EQ(Cell(4, 1), QStringLiteral("missing"));
    EXPECT_TRUE(ApplyEnabled());

    // Cancelled dialogs add nothing.
    manager.SetModified(false);
    manager.SendCommand(CTessel_DlgProfile::kIdLoad);
    manager.SendCommand(CTessel_DlgProfile::kIdAdd);
    EXPECT_EQ(List().rowCount(), 5);
    EXPECT_FALSE(ApplyEnabled());
}

TEST_F(SceneManagerTest, DeleteRemovesTheSelectedRowAndSelectsItsNeighbour) {
    manager.SendCommand(CTessel_DlgProfile::kIdDelete);
    EXPECT_EQ(List().rowCount(), 4);
    EXPECT_FALSE(ApplyEnabled());

    bench.prompter.fileAnswers.push_back(InData("other.fwc"));
    manager.SendCommand(CTessel_DlgProfile::kIdLoad);
    List().selectRow(1);
    manager.SendCommand(CTessel_DlgProfile::kIdDelete);
    ASSERT_EQ(List().rowCount(), 4);
    EXPECT_EQ(List().currentRow(), 1);
    EXPECT_TRUE(ApplyEnabled());

    List().selectRow(3);
    manager.SendCommand(CTessel_DlgProfile::kIdDelete);
    ASSERT_EQ(List().rowCount(), 3);
    EXPECT_EQ(List().currentRow(), 2);
    EXPECT_EQ(manager.Rows().size(), 3u);
    EXPECT_EQ(Cell(2, 1), QStringLiteral("$Profile0"));
}

TEST_F(SceneManagerTest, ACheckedFileRowSelectsNoProfile) {
    bench.link.SetActiveProfile(1);
    bench.prompter.fileAnswers.push_back(InData("other.fwc"));
    manager.SendCommand(CTessel_DlgProfile::kIdLoad);
    ClickCheckBox(4, Qt::Checked);
    bench.log.clear();

    manager.SendCommand(CTessel_DlgProfile::kIdApply);
    ASSERT_TRUE(bench.session.Settle());

    EXPECT_THAT(bench.log, ::testing::Not(Contains(::testing::StartsWith("set profile"))));
    EXPECT_EQ(bench.KeyboardProfile(), 1);
    EXPECT_FALSE(ApplyEnabled());
}

TEST_F(SceneManagerTest, OkAppliesAndCloses) {
    ClickCheckBox(3, Qt::Checked);
    manager.SendCommand(kIdOk);
    EXPECT_EQ(bench.KeyboardProfile(), 3);
    EXPECT_FALSE(manager.IsOpen());
    EXPECT_FALSE(manager.isVisible());
}

TEST_F(SceneManagerTest, CloseAllEditorsCancelsAnOpenManager) {
    ClickCheckBox(3, Qt::Checked);
    bench.log.clear();

    bench.scenes.CloseSceneManager();

    EXPECT_FALSE(manager.IsOpen());
    EXPECT_FALSE(manager.IsModified());
    EXPECT_FALSE(manager.isVisible());
    EXPECT_TRUE(bench.log.empty());
    EXPECT_EQ(bench.KeyboardProfile(), 0);
    EXPECT_EQ(Setting(u"PROFILE00"), u"<none>");

    // A second opening starts again from the four scenes.
    manager.OpenModeless();
    EXPECT_EQ(List().rowCount(), 4);
    EXPECT_EQ(manager.CheckedRow(), 0);
}

TEST_F(SceneManagerTest, ASwitchWhileOpenChecksTheNewSceneAndLeavesNothingToApply) {
    bench.scenes.SwitchScene(1);
    ASSERT_TRUE(bench.session.Settle());
    EXPECT_EQ(manager.CheckedRow(), 1);
    EXPECT_FALSE(ApplyEnabled());
}

// The keyboard pulled while the window's scene button runs the manager.
TEST(SceneManager, CloseAllEditorsEndsTheModalManager) {
    SceneTestBench bench;
    QTimer::singleShot(0, [&] { bench.scenes.CloseSceneManager(); });
    EXPECT_EQ(bench.scenes.OpenSceneManager(), kIdCancel);
    EXPECT_FALSE(bench.scenes.Manager().IsOpen());
}

TEST_F(SceneManagerTest, RowsAddedOrLoadedAreThereAgainAfterOkAndReopening) {
    bench.prompter.fileAnswers.push_back(InData("other.fwc"));
    manager.SendCommand(CTessel_DlgProfile::kIdLoad);
    bench.prompter.fileAnswers.push_back(InData("fresh.fwc"));
    manager.SendCommand(CTessel_DlgProfile::kIdAdd);
    manager.SendCommand(kIdOk);
    ASSERT_FALSE(manager.IsOpen());

    manager.OpenModeless();
    ASSERT_EQ(List().rowCount(), 6);
    EXPECT_EQ(Cell(4, 1), QStringLiteral("other"));
    EXPECT_EQ(Cell(5, 1), QStringLiteral("fresh"));
    EXPECT_EQ(manager.CheckedRow(), 0);
    EXPECT_FALSE(ApplyEnabled());

    // Deleted and applied: gone for good; cancelled: the applied list stays.
    List().selectRow(4);
    manager.SendCommand(CTessel_DlgProfile::kIdDelete);
    manager.SendCommand(CTessel_DlgProfile::kIdApply);
    bench.scenes.CloseSceneManager();
    manager.OpenModeless();
    ASSERT_EQ(List().rowCount(), 5);
    EXPECT_EQ(Cell(4, 1), QStringLiteral("fresh"));
    List().selectRow(4);
    manager.SendCommand(CTessel_DlgProfile::kIdDelete);
    manager.SendCommand(kIdCancel);
    manager.OpenModeless();
    EXPECT_EQ(List().rowCount(), 5);
}

TEST_F(SceneManagerTest, TitleAndIconButtonTooltipsComeFromTheLanguageFile) {
    EXPECT_EQ(manager.windowTitle(), QStringLiteral("text of IDS_PROFILE_TITLE"));
    const std::pair<int, const char*> tips[] = {
        {CTessel_DlgProfile::kIdAdd, "IDS_PROFILE_ADD_TIP"},
        {CTessel_DlgProfile::kIdLoad, "IDS_PROFILE_LOAD_TIP"},
        {CTessel_DlgProfile::kIdDelete, "IDS_PROFILE_DELETE_TIP"},
        {CTessel_DlgProfile::kIdApply, "IDS_PROFILE_APPLY_TIP"},
        {kIdOk, "IDS_PROFILE_OK_TIP"},
        {kIdCancel, "IDS_PROFILE_CANCEL_TIP"}};
    for (const auto& [id, key] : tips) {
        EXPECT_EQ(manager.Item<CPngButton>(id)->TooltipText(),
                  QStringLiteral("text of ") + QString::fromLatin1(key));
    }
}

}  // namespace
}  // namespace tessel::scene_test
