// The shipped texts as a user sees them: every language the program can choose
// names every control, the effects have names, and F1 and the help button open
// the shipped help page.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "mainwindow/CAboutDlg.h"
#include "mainwindow/LightingPanelControls.h"
#include "mainwindow/MainWindowIds.h"
#include "platform/ShellOpen.h"
#include "skin/qt/CPngButton.h"

namespace tessel {
namespace {

using namespace tessel::testing;
using ShippedTextsTest = MainWindowTest;

constexpr std::u16string_view kLanguageKey = u"Software\\Zerkon_PX5";
constexpr std::u16string_view kLanguageValue = u"dwLanguageId";
const QString kMissing = QStringLiteral("#Error");

// Every text a user can see on `window` and its visible controls: captions,
// tooltips, list entries.
std::vector<std::pair<QString, QString>> VisibleTexts(QWidget& window) {
    std::vector<std::pair<QString, QString>> texts{{"window title", window.windowTitle()}};
    QList<QWidget*> widgets = window.findChildren<QWidget*>();
    widgets.prepend(&window);
    for (QWidget* widget : widgets) {
        if (!widget->isVisibleTo(&window) && widget != &window) {
            continue;
        }
        const QString name =
            QStringLiteral("%1 %2").arg(widget->metaObject()->className(), widget->objectName());
        texts.emplace_back(name + " tooltip", widget->toolTip());
        if (auto* button = qobject_cast<CPngButton*>(widget)) {
            texts.emplace_back(name + " tooltip", button->TooltipText());
        }
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            texts.emplace_back(name, button->text());
        } else if (auto* label = qobject_cast<QLabel*>(widget)) {
            texts.emplace_back(name, label->text());
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            texts.emplace_back(name, edit->text());
        } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
            for (int i = 0; i < list->count(); ++i) {
                texts.emplace_back(name + " entry", list->itemText(i));
            }
        }
    }
    return texts;
}

std::string Missing(const std::vector<std::pair<QString, QString>>& texts) {
    std::string found;
    for (const auto& [where, text] : texts) {
        if (text.contains(kMissing)) {
            found += "\n  " + where.toStdString() + ": " + text.toStdString();
        }
    }
    return found;
}

// The presence worker counts the keyboard a moment after it shows the
// keyboard's tray icon; until then the window refuses to show.
bool Show(CTesselDlg& window) {
    return ProcessEventsUntil([&] {
        window.Core().ShowWindow();
        return window.isVisible();
    });
}

TEST_F(ShippedTextsTest, AFrenchUserSeesNoMissingText) {
    ASSERT_TRUE(m_registry.WriteDword(kLanguageKey, kLanguageValue, 0x040C));
    CTesselDlg& window = StartWindowWithKeyboard();
    ASSERT_TRUE(Show(window));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Paramètres du clavier PX5"))
        << "the French file is the one read";

    std::vector<std::pair<QString, QString>> texts = VisibleTexts(window);
    texts.emplace_back("tray tooltip", window.Core().TrayIcon()->toolTip());
    ASSERT_NE(window.Core().TrayMenu(), nullptr);
    emit window.Core().TrayMenu()->aboutToShow();
    for (QAction* item : window.Core().TrayMenu()->actions()) {
        texts.emplace_back("tray menu", item->text());
    }
    window.Core().ShowAboutBox();
    if (CAboutDlg* about = window.Core().AboutBox()) {
        const auto aboutTexts = VisibleTexts(*about);
        texts.insert(texts.end(), aboutTexts.begin(), aboutTexts.end());
    }
    EXPECT_GT(texts.size(), 100u);
    EXPECT_EQ(Missing(texts), "");
}

TEST_F(ShippedTextsTest, TheEffectListNamesTheSevenEffectsWithTheShippedTable) {
    CTesselDlg& window = StartWindowWithKeyboard();
    auto* effects = window.Item<QComboBox>(kIdEffectList);
    ASSERT_NE(effects, nullptr);
    QStringList names;
    for (int i = 0; i < effects->count(); ++i) {
        names << effects->itemText(i);
    }
    EXPECT_EQ(names, QStringList({"Wave", "Spectrum cycle", "Breathing", "Flow", "Ripple", "Static",
                                  "Custom"}));
}

struct OpenedDocument {
    std::filesystem::path target;
    std::filesystem::path folder;
};

// What the program asks the shell to open while it lives; nothing is started.
class ShellOpenRecorder {
public:
    ShellOpenRecorder() {
        ReplaceShellOpen([this](const std::filesystem::path& target, std::u16string_view,
                                const std::filesystem::path& folder, ShowCommand) {
            opened.push_back({target, folder});
            return kShellOpenStarted;
        });
    }
    ~ShellOpenRecorder() { ReplaceShellOpen({}); }
    ShellOpenRecorder(const ShellOpenRecorder&) = delete;
    ShellOpenRecorder& operator=(const ShellOpenRecorder&) = delete;

    std::vector<OpenedDocument> opened;
};

TEST_F(ShippedTextsTest, F1AndTheHelpButtonOpenTheShippedHelpPage) {
    ShellOpenRecorder shell;
    CTesselDlg& window = StartWindowWithKeyboard();
    ASSERT_TRUE(Show(window));

    QWidget* focus = window.focusWidget() ? window.focusWidget() : &window;
    QTest::keyClick(focus, Qt::Key_F1);
    QWidget* help = window.GetDlgItem(kIdHelp);
    ASSERT_NE(help, nullptr);
    QWidget* clicked = window.childAt(help->geometry().center());
    ASSERT_EQ(clicked, help) << "the help button takes a click at its centre";
    QTest::mouseClick(clicked, Qt::LeftButton);

    ASSERT_EQ(shell.opened.size(), 2u);
    for (const OpenedDocument& document : shell.opened) {
        EXPECT_EQ(document.folder, m_paths.helpFolder);
        const std::filesystem::path page = document.folder / document.target;
        EXPECT_EQ(page.filename(), "index.html");
        EXPECT_TRUE(std::filesystem::is_regular_file(page)) << page << " ships";
    }
}

// One page, readable offline: every address on it is a section of the page or
// a file beside it in the program folder.
TEST(HelpPage, ReadsOfflineWithItsPicturesBesideIt) {
    const std::filesystem::path folder = std::filesystem::path(TESSEL_PROGRAM_DIR) / "Help";
    std::ifstream in(folder / "index.html", std::ios::binary);
    ASSERT_TRUE(in) << "the help page ships";
    const std::string page((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(page.find("@import"), std::string::npos);
    EXPECT_EQ(page.find("url("), std::string::npos);
    const std::regex address("(src|href)\\s*=\\s*\"([^\"]*)\"");
    int pictures = 0;
    for (std::sregex_iterator it(page.begin(), page.end(), address), end; it != end; ++it) {
        const std::string target = (*it)[2].str();
        if (target.starts_with('#')) {
            EXPECT_NE(page.find("id=\"" + target.substr(1) + "\""), std::string::npos) << target;
            continue;
        }
        EXPECT_EQ(target.find(':'), std::string::npos) << target << " leaves the computer";
        EXPECT_FALSE(target.starts_with('/')) << target;
        EXPECT_TRUE(std::filesystem::is_regular_file(folder / target)) << target;
        pictures += (*it)[1] == "src";
    }
    EXPECT_GE(pictures, 1) << "the window at a glance";
}

}  // namespace
}  // namespace tessel
