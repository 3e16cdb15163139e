// The skinned dialog base: shape and size from the skin, controls from the
// template, commands and requests through the message map, dragging.

#include "SkinTestFolder.h"
#include "skin/qt/CBaseDialog.h"
#include "skin/qt/CPngButton.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace tessel {
namespace {

using testing_support::SkinTestFolder;
using testing_support::SolidImage;

constexpr int kApplyId = 1006;
constexpr int kCaptionId = 1207;
constexpr int kHiddenId = 1008;
constexpr uint32_t kPingMessage = 0x5045;

const ControlTemplate kControls[] = {
    {kIdOk, Control<CPngButton>, u"OK", QRect(10, 10, 40, 20)},
    {kApplyId, Control<CPngButton>, u"Apply", QRect(60, 10, 40, 20)},
    {kCaptionId, Control<QLabel>, u"RGB", QRect(10, 40, 40, 20)},
    {kHiddenId, Control<CPngButton>, u"", QRect(0, 0, 5, 5), false},
};
const DialogTemplate kTemplate{900, u"Test window", QSize(100, 100), kControls};
const DialogTemplate kHiddenTemplate{901, u"Tray window", QSize(100, 100), kControls, false};

class TestDialog : public CBaseDialog {
public:
    using CBaseDialog::CBaseDialog;

    int applyClicks = 0;
    std::atomic<QThread*> handlerThread{nullptr};

    void OnApply() { ++applyClicks; }
    intptr_t OnPing(uintptr_t wParam, intptr_t lParam) {
        handlerThread = QThread::currentThread();
        return static_cast<intptr_t>(wParam) + lParam;
    }

protected:
    bool OnInitDialog() override {
        CBaseDialog::OnInitDialog();
        using Entry = MessageEntry<TestDialog>;
        static const Entry kMessages[] = {
            Entry::Command(kApplyId, &TestDialog::OnApply),
            Entry::Request(kPingMessage, &TestDialog::OnPing),
        };
        BindMessageMap<TestDialog>(this, kMessages);
        return true;
    }
};

class BaseDialogTest : public testing::Test {
protected:
    // A 300 x 150 background whose left third is white.
    void WriteSkin(const std::string& screen) {
        QImage background = SolidImage(300, 150, QColor(30, 30, 40));
        QPainter(&background).fillRect(0, 0, 100, 150, Qt::white);
        folder_.WriteImage("Skins/bg.bmp", background);
        folder_.WriteText("Skins/Test.ini", "[SCREEN]\n" + screen);
    }
    std::unique_ptr<TestDialog> MakeDialog(const DialogTemplate& dialogTemplate = kTemplate) {
        return std::make_unique<TestDialog>(dialogTemplate, nullptr, folder_.File("Skins/Test.ini"),
                                            folder_.File("Skins"));
    }

    SkinTestFolder folder_;
};

TEST_F(BaseDialogTest, BackgroundSizesTheWindowAndWithoutMaskShapesIt) {
    WriteSkin("Main=bg.bmp\n");
    auto dialog = MakeDialog();
    dialog->move(40, 30);
    dialog->Create();
    EXPECT_EQ(dialog->size(), QSize(300, 150)) << "not the template's 100 x 100";
    EXPECT_EQ(dialog->pos(), QPoint(40, 30));
    EXPECT_FALSE(dialog->isVisible()) << "shown later by whoever shows it";
    EXPECT_TRUE(dialog->WindowShape().xored(QRegion(100, 0, 200, 150)).isEmpty())
        << "white is cut away";

    const QImage painted = dialog->grab().toImage();
    EXPECT_EQ(painted.pixelColor(250, 140), QColor(30, 30, 40));
}

// The hidden window holds no picture: size from the header at creation, the
// pixels and the shape when it is shown, the background given back on hide.
TEST_F(BaseDialogTest, PicturesAreDecodedWhenShownAndTheBackgroundReleasedOnHide) {
    WriteSkin("Main=bg.bmp\nMask=mask.bmp\n");
    QImage mask = SolidImage(300, 150, Qt::white);
    QPainter(&mask).fillRect(0, 0, 50, 150, Qt::black);
    folder_.WriteImage("Skins/mask.bmp", mask);
    auto dialog = MakeDialog();
    dialog->Create();
    EXPECT_EQ(dialog->size(), QSize(300, 150));
    EXPECT_TRUE(dialog->Background().isNull());
    EXPECT_TRUE(dialog->mask().isEmpty()) << "no shape before it is shown";

    dialog->show();
    EXPECT_EQ(dialog->Background().size(), QSize(300, 150));
    EXPECT_TRUE(dialog->mask().xored(QRegion(0, 0, 50, 150)).isEmpty());
    dialog->hide();
    EXPECT_TRUE(dialog->Background().isNull());
    EXPECT_TRUE(dialog->mask().xored(QRegion(0, 0, 50, 150)).isEmpty()) << "the shape stays";

    // Shown again, the same object holds the picture again, for buttons that draw it.
    const QPixmap* held = &dialog->Background();
    dialog->show();
    EXPECT_EQ(held->toImage().pixelColor(250, 140), QColor(30, 30, 40));
}

TEST_F(BaseDialogTest, AllWhiteMaskLeavesAnEmptyShape) {
    WriteSkin("Main=bg.bmp\nMask=white.bmp\n");
    folder_.WriteImage("Skins/white.bmp", SolidImage(300, 150, Qt::white));
    auto dialog = MakeDialog();
    dialog->Create();
    EXPECT_TRUE(dialog->WindowShape().isEmpty());
    EXPECT_FALSE(dialog->mask().isEmpty()) << "an empty Qt mask would show the whole window";
    EXPECT_FALSE(dialog->mask().intersects(dialog->rect()));
}

TEST_F(BaseDialogTest, MissingBackgroundEndsTheProgramWithAFailureStatus) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    WriteSkin("Main=absent.bmp\n");
    EXPECT_EXIT(MakeDialog()->Create(), testing::ExitedWithCode(1), "absent.bmp");
    WriteSkin("Main=\n");
    EXPECT_EXIT(MakeDialog()->Create(), testing::ExitedWithCode(1), "no background");
    WriteSkin("Main=bg.bmp\nMask=nomask.bmp\n");
    EXPECT_EXIT(MakeDialog()->Create(), testing::ExitedWithCode(1), "nomask.bmp");
}

TEST_F(BaseDialogTest, ControlsComeFromTheTemplateAndAreFoundById) {
    WriteSkin("Main=bg.bmp\n");
    auto dialog = MakeDialog();
    dialog->Create();
    auto* ok = dialog->Item<CPngButton>(kIdOk);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    EXPECT_EQ(ok->geometry(), QRect(10, 10, 40, 20));
    EXPECT_EQ(dialog->Item<QLabel>(kCaptionId)->text(), QStringLiteral("RGB"));
    EXPECT_TRUE(dialog->GetDlgItem(kHiddenId)->isHidden());
    EXPECT_EQ(dialog->Item<QLabel>(kIdOk), nullptr) << "wrong class";
    EXPECT_EQ(dialog->GetDlgItem(4242), nullptr);
}

TEST_F(BaseDialogTest, ClicksAndKeysReachTheMessageMap) {
    WriteSkin("Main=bg.bmp\n");
    auto dialog = MakeDialog();
    dialog->Create();
    dialog->Item<CPngButton>(kApplyId)->click();
    EXPECT_EQ(dialog->applyClicks, 1);

    // OK has no entry of its own: the dialog's OK ends it with 1.
    dialog->show();
    QTest::keyClick(dialog.get(), Qt::Key_Return);
    EXPECT_EQ(dialog->result(), kIdOk);
    EXPECT_FALSE(dialog->isVisible());
    dialog->show();
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_EQ(dialog->result(), kIdCancel);
}

TEST_F(BaseDialogTest, DoModalRunsUntilEndDialogAndKeepsATrayWindowHidden) {
    WriteSkin("Main=bg.bmp\n");
    auto dialog = MakeDialog(kHiddenTemplate);
    bool wasVisible = true;
    QTimer::singleShot(0, dialog.get(), [&] {
        wasVisible = dialog->isVisible();
        dialog->EndDialog(7);
    });
    EXPECT_EQ(dialog->DoModal(), 7);
    EXPECT_FALSE(wasVisible);
}

TEST_F(BaseDialogTest, RequestsFromAnyThreadRunOnTheWindowThreadUntilClosed) {
    WriteSkin("Main=bg.bmp\n");
    auto dialog = MakeDialog();
    dialog->Create();
    EXPECT_EQ(dialog->Send({kPingMessage, 40, 2}), 42);
    EXPECT_EQ(dialog->Send({0x4D4B, 40, 2}), 0) << "unmapped message";

    std::atomic<intptr_t> workerResult{-1};
    std::thread worker([&] { workerResult = dialog->Send({kPingMessage, 1, 2}); });
    EXPECT_TRUE(QTest::qWaitFor([&] { return workerResult != -1; }, 5000));
    worker.join();
    EXPECT_EQ(workerResult, 3);
    EXPECT_EQ(dialog->handlerThread.load(), QThread::currentThread());

    dialog->Post({kPingMessage, 0, 0});
    dialog->handlerThread = nullptr;
    dialog->Requests().Close();
    QApplication::processEvents();
    std::thread late([&] { workerResult = dialog->Send({kPingMessage, 1, 2}); });
    late.join();
    EXPECT_EQ(workerResult, 0);
    EXPECT_EQ(dialog->handlerThread.load(), nullptr) << "nothing reached the closed window";
}

TEST_F(BaseDialogTest, PressingTheBodyDragsTheWindow) {
    WriteSkin("Main=bg.bmp\n");
    auto dialog = MakeDialog();
    dialog->Create();
    dialog->move(100, 100);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    const QPoint start = dialog->pos();

    auto send = [&](QEvent::Type type, QPoint local, Qt::MouseButtons held) {
        QMouseEvent event(type, local, dialog->mapToGlobal(local), Qt::LeftButton, held,
                          Qt::NoModifier);
        QApplication::sendEvent(dialog.get(), &event);
    };
    send(QEvent::MouseButtonPress, QPoint(200, 100), Qt::LeftButton);
    send(QEvent::MouseMove, QPoint(230, 120), Qt::LeftButton);
    send(QEvent::MouseButtonRelease, QPoint(230, 120), Qt::NoButton);
    EXPECT_EQ(dialog->pos(), start + QPoint(30, 20));
}

}  // namespace
}  // namespace tessel
