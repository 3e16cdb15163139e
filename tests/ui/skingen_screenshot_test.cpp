// Screenshot mode: its switches, where it hovers, and what the picture holds.

#include <QApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/ScreenshotMode.h"
#include "skin/SkinIni.h"
#include "skin/qt/CPngButton.h"

namespace tessel {
namespace {

const std::filesystem::path kMainIni =
    std::filesystem::path(TESSEL_PROGRAM_DIR) / "Skins" / "Main.ini";

TEST(SkingenScreenshot, SwitchesNameTheFileAndTheHoveredControl) {
    const std::vector<std::string> plain = {"/Start", "--screenshot", "shot.png"};
    const auto request = ScanScreenshotRequest(plain);
    ASSERT_TRUE(request);
    EXPECT_EQ(request->file, "shot.png");
    EXPECT_TRUE(request->hover.isEmpty());

    const std::vector<std::string> hovered = {"--hover", "FUNC_PROFILE2", "--screenshot", "a.png"};
    EXPECT_EQ(ScanScreenshotRequest(hovered)->hover, "FUNC_PROFILE2");

    // Without a file there is nothing to write.
    EXPECT_FALSE(ScanScreenshotRequest(std::vector<std::string>{"--screenshot"}));
    EXPECT_FALSE(ScanScreenshotRequest(std::vector<std::string>{"--hover", "KEY_01E"}));
    EXPECT_FALSE(ScanScreenshotRequest(std::vector<std::string>{}));
}

TEST(SkingenScreenshot, HoverPointIsACoordinateOrTheCentreOfASkinEntry) {
    EXPECT_EQ(HoverPoint("120, 45", kMainIni), QPoint(120, 45));
    const auto centre = HoverPoint("KEY_01E", kMainIni);
    ASSERT_TRUE(centre);
    const SkinRect a = ReadSkinRect(kMainIni, kButtonInfoSection, u"KEY_01E");
    EXPECT_EQ(*centre, QPoint(a.left + a.width / 2, a.top + a.height / 2));
    // An entry the skin does not place, or no text, gives nothing to hover.
    EXPECT_FALSE(HoverPoint("NO_SUCH_ENTRY", kMainIni));
    EXPECT_FALSE(HoverPoint("", kMainIni));
}

class Painted : public QWidget {
public:
    using QWidget::QWidget;
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), Qt::red); }
};

TEST(SkingenScreenshot, PictureHoldsTheChildrenAndIsTransparentOutsideTheShape) {
    Painted window;
    window.resize(100, 80);
    window.setMask(QRegion(10, 10, 60, 50));
    auto* child = new QWidget(&window);
    child->setAutoFillBackground(true);
    QPalette palette = child->palette();
    palette.setColor(QPalette::Window, Qt::blue);
    child->setPalette(palette);
    child->setGeometry(20, 20, 10, 10);

    const QImage picture = RenderWindowPicture(window);
    ASSERT_EQ(picture.size(), QSize(100, 80));
    EXPECT_EQ(qAlpha(picture.pixel(2, 2)), 0);
    EXPECT_EQ(qAlpha(picture.pixel(90, 70)), 0);
    EXPECT_EQ(picture.pixel(50, 50), qRgb(255, 0, 0));
    EXPECT_EQ(picture.pixel(25, 25), qRgb(0, 0, 255));

    // A window without a shape is kept whole.
    window.clearMask();
    EXPECT_EQ(RenderWindowPicture(window).pixel(2, 2), qRgb(255, 0, 0));
}

TEST(SkingenScreenshot, HoverReachesTheButtonUnderThePointOnly) {
    QWidget window;
    window.resize(200, 100);
    auto* left = new CPngButton(&window);
    left->setGeometry(10, 10, 50, 30);
    auto* right = new CPngButton(&window);
    right->setGeometry(100, 10, 50, 30);
    window.show();
    QApplication::processEvents();

    HoverAt(window, QPoint(120, 20));
    QApplication::processEvents();
    EXPECT_TRUE(right->IsHovering());
    EXPECT_FALSE(left->IsHovering());
}

TEST(SkingenScreenshot, ArmedScreenshotWaitsForTheWindowThenWritesThePicture) {
    QTemporaryDir folder;
    const QString file = folder.filePath("shot.png");
    Painted window;
    window.resize(64, 48);
    bool initialised = false;
    int status = -1;
    ArmScreenshot(
        window, {file, {}, {}, {}}, kMainIni, [&] { return initialised; },
        [&](int s) { status = s; });
    QTimer::singleShot(300, [&] { initialised = true; });
    for (int i = 0; i < 60 && status < 0; ++i) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(50);
    }
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(window.isVisible());
    const QImage shot(file);
    ASSERT_EQ(shot.size(), QSize(64, 48));
    EXPECT_EQ(shot.pixel(30, 30), qRgb(255, 0, 0));
}

TEST(SkingenScreenshot, ArmedScreenshotReportsAFileItCannotWrite) {
    Painted window;
    window.resize(20, 20);
    int status = -1;
    ArmScreenshot(
        window, {"/proc/no-such-folder/shot.png", {}, {}, {}}, kMainIni, [] { return true; },
        [&](int s) { status = s; });
    for (int i = 0; i < 60 && status < 0; ++i) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(50);
    }
    EXPECT_EQ(status, 1);
}

}  // namespace
}  // namespace tessel
