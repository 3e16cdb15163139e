// The window of the application rules, used with real clicks at the centres
// of its skin entries: Add from the open applications or a typed name, a
// profile chooser per row, Remove, the switch and the choice for other
// applications, each stored at once. With TESSEL_SCREENSHOT_DIR set, the
// filled window is saved there as appprofiles.png.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QTableWidget>
#include <QTest>
#include <fstream>

#include "MainWindowFixture.h"
#include "appfocus/AppProfileSettings.h"
#include "editors/AppProfileDialog.h"
#include "mainwindow/MainWindowIds.h"
#include "platform/FocusWatcher.h"
#include "resident/FocusSwitchDriver.h"
#include "skin/SkinIni.h"

namespace tessel::testing {
namespace {

class OpenWindowsWatcher final : public FocusWatcher {
public:
    void Watch(FrontChanged) override {}
    std::vector<std::u16string> OpenApplications() override {
        return {u"org.kde.kate", u"firefox"};
    }
};

class AppProfileWindowTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        m_parts.focusWatchers = [] { return std::make_unique<OpenWindowsWatcher>(); };
    }
    static void Click(AppProfileDialog& dialog, std::u16string_view entry) {
        const SkinRect rect = ReadSkinRect(dialog.SkinIni(), kButtonInfoSection, entry);
        const QPoint centre(rect.left + rect.width / 2, rect.top + rect.height / 2);
        QWidget* target = dialog.childAt(centre);
        ASSERT_NE(target, nullptr)
            << "nothing at the centre of " << std::string(entry.begin(), entry.end());
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&dialog, centre));
    }
    AppProfileRules Stored() { return ReadAppProfileRules(m_parts.dataFolder / "wskb.ini").rules; }
};

TEST_F(AppProfileWindowTest, RulesAreMadeWithClicksAndStoredAtOnce) {
    CTesselDlg& window = StartWindowWithKeyboard();
    ASSERT_TRUE(ProcessEventsUntil([&] { return window.Core().FocusSwitch() != nullptr; }));
    // From the command menu, as the user opens it.
    window.SendCommand(kIdCommandMenu);
    window.CommandMenu()->actions().at(2)->trigger();
    window.CommandMenu()->hide();
    AppProfileDialog* dialog = window.Core().AppProfiles();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(dialog->IsOpen());

    auto* application = dialog->Item<QComboBox>(AppProfileDialog::kIdApplication);
    EXPECT_EQ(application->count(), 2) << "the applications with windows open now";
    application->setCurrentIndex(1);
    Click(*dialog, u"FUNC_ADD");
    application->setCurrentText(QStringLiteral("Gimp-2.10"));
    Click(*dialog, u"FUNC_ADD");
    EXPECT_EQ(Stored().Rules(), (std::vector<AppProfileRule>{{u"firefox", 0}, {u"Gimp-2.10", 0}}));

    auto* rules = dialog->Item<QTableWidget>(AppProfileDialog::kIdRules);
    ASSERT_EQ(rules->rowCount(), 2);
    qobject_cast<QComboBox*>(rules->cellWidget(1, 1))->setCurrentIndex(3);
    EXPECT_EQ(Stored().ProfileFor(u"gimp-2.10"), 3);
    dialog->Item<QComboBox>(AppProfileDialog::kIdOther)->setCurrentIndex(2);
    EXPECT_EQ(Stored().OtherApplications(), 1);
    rules->selectRow(0);
    Click(*dialog, u"FUNC_DELETE");
    EXPECT_EQ(Stored().Rules(), (std::vector<AppProfileRule>{{u"Gimp-2.10", 3}}));
    dialog->Item<QCheckBox>(AppProfileDialog::kIdSwitch)->click();
    EXPECT_FALSE(Stored().SwitchingOn());
    dialog->Item<QCheckBox>(AppProfileDialog::kIdSwitch)->click();
    application->setCurrentText(QStringLiteral("org.kde.kate"));
    Click(*dialog, u"FUNC_ADD");
    ASSERT_EQ(window.Core().FocusSwitch()->Rules(), Stored());

    if (const QByteArray folder = qgetenv("TESSEL_SCREENSHOT_DIR"); !folder.isEmpty()) {
        ProcessEventsFor(std::chrono::milliseconds(50));
        dialog->grab().save(QString::fromLocal8Bit(folder) + QStringLiteral("/appprofiles.png"));
    }
    Click(*dialog, u"CONTROL_OK");
    EXPECT_FALSE(dialog->IsOpen());
}

}  // namespace
}  // namespace tessel::testing
