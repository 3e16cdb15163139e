// The tray icon's menu and the Qt message boxes of the core.

#include "platform/qt/QtPrompter.h"
#include "widgets/CTrayIcon.h"
#include "widgets/LazyFileIcon.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace tessel {
namespace {

TEST(TrayIcon, MenuItemsCarryTheirCommandsAndAreLocalisedBeforeShowing) {
    CTrayIcon tray;
    tray.AddMenuItem(32771, QStringLiteral("Open(&O)"));
    tray.AddMenuItem(32774, QStringLiteral("Exit(&X)"));
    tray.SetMenuDefaultItem(32771);
    EXPECT_EQ(tray.Menu().defaultAction(), tray.MenuItem(32771));
    EXPECT_EQ(tray.MenuItem(4242), nullptr);

    int localised = 0;
    tray.SetMenuLocaliser([&](QMenu& menu) {
        ++localised;
        menu.actions().at(1)->setText(QStringLiteral("Quit"));
    });
    emit tray.Menu().aboutToShow();
    EXPECT_EQ(localised, 1);
    EXPECT_EQ(tray.MenuItem(32774)->text(), QStringLiteral("Quit"));

    QSignalSpy commands(&tray, &CTrayIcon::Command);
    tray.MenuItem(32774)->trigger();
    ASSERT_EQ(commands.count(), 1);
    EXPECT_EQ(commands.at(0).at(0).toInt(), 32774);
}

// Answers the next message box by pressing `button`.
void AnswerNextBox(QMessageBox::StandardButton button, QString* seenTitle) {
    QTimer::singleShot(0, [button, seenTitle] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        *seenTitle = box->windowTitle();
        box->button(button)->click();
    });
}

// The file is read when the icon is first drawn, not when it is made.
TEST(LazyFileIcon, ShowsThePictureTheFileHoldsWhenFirstDrawn) {
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("icon.png"));
    QImage picture(16, 16, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(file));
    const QIcon icon = LazyFileIcon(file);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(file));

    EXPECT_FALSE(icon.isNull());
    EXPECT_EQ(icon.availableSizes(), QList<QSize>{QSize(16, 16)});
    EXPECT_EQ(icon.pixmap(16, 16).toImage().pixelColor(8, 8), QColor(Qt::blue));
}

TEST(QtPrompter, AnswersFollowTheButtonPressed) {
    QtPrompter prompter;
    QString title;
    AnswerNextBox(QMessageBox::Cancel, &title);
    EXPECT_EQ(prompter.ShowMessage(u"The current version is too low!", u"Version update",
                                   PromptButtons::OkCancel, PromptIcon::Question),
              PromptAnswer::Cancel);
    EXPECT_EQ(title, QStringLiteral("Version update"));

    QApplication::setApplicationDisplayName(QStringLiteral("Keyboard utility"));
    AnswerNextBox(QMessageBox::Yes, &title);
    EXPECT_EQ(prompter.ShowMessage(u"Apply?", u"", PromptButtons::YesNo, PromptIcon::None),
              PromptAnswer::Yes);
    EXPECT_EQ(title, QStringLiteral("Keyboard utility")) << "no caption: the program's name";
}

TEST(QtPrompter, AQuestionThatRisksTheUsersWorkPreselectsNo) {
    QtPrompter prompter;
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        // Enter presses the preselected button.
        box->defaultButton()->click();
    });
    EXPECT_EQ(prompter.ShowMessage(u"Restore the defaults?", u"", PromptButtons::YesNoDefaultNo,
                                   PromptIcon::Question),
              PromptAnswer::No);
}

}  // namespace
}  // namespace tessel
