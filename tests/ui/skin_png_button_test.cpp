// The skinned image button: which picture and text colour each state draws,
// outline mode, clicks, the redraw callback and the tooltip.

#include "skin/qt/CPngButton.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPixmap>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

namespace tessel {
namespace {

constexpr QRect kButtonRect(10, 10, 60, 30);

// A window-sized sheet: black, with the button's own rectangle in `colour`,
// so a button that cuts at the wrong offset shows black.
QPixmap Sheet(QColor colour) {
    QPixmap sheet(200, 100);
    sheet.fill(Qt::black);
    QImage image = sheet.toImage();
    for (int y = kButtonRect.top(); y <= kButtonRect.bottom(); ++y) {
        for (int x = kButtonRect.left(); x <= kButtonRect.right(); ++x) {
            image.setPixelColor(x, y, colour);
        }
    }
    return QPixmap::fromImage(image);
}

bool ImageContains(const QImage& image, QColor colour) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == colour) {
                return true;
            }
        }
    }
    return false;
}

void SendMouse(QWidget& widget, QEvent::Type type, Qt::MouseButton button) {
    const QPointF at(5, 5);
    const Qt::MouseButtons held = (type == QEvent::MouseButtonRelease || type == QEvent::MouseMove)
                                      ? Qt::NoButton
                                      : Qt::MouseButtons(button);
    QMouseEvent event(type, at, widget.mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

void Hover(QWidget& widget) {
    SendMouse(widget, QEvent::MouseMove, Qt::NoButton);
}

void Leave(QWidget& widget) {
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&widget, &leave);
}

class PngButtonTest : public testing::Test {
protected:
    PngButtonTest()
        : normal_(Sheet(Qt::red)),
          over_(Sheet(Qt::green)),
          down_(Sheet(Qt::blue)),
          disabled_(Sheet(Qt::gray)),
          checked_(Sheet(Qt::yellow)),
          button_(&window_) {
        window_.resize(200, 100);
        button_.setGeometry(kButtonRect);
        button_.SetImages(kButtonRect.x(), kButtonRect.y(), &normal_, &over_, &down_, &disabled_,
                          &checked_, false);
    }

    // Paints the button and returns the picture it drew.
    const QPixmap* Drawn() {
        drawn_ = button_.grab().toImage();
        return button_.LastPicture();
    }
    QColor DrawnCentre() const { return drawn_.pixelColor(drawn_.rect().center()); }

    void UseLargeText() {
        button_.setText(QStringLiteral("MWMW"));
        button_.SetTextStyle(true, 14, QStringLiteral("DejaVu Sans"), kNormalText, kOverText,
                             kPressedText, kDisabledText, Qt::white, 37);
        button_.SetTextRotation(0, true);
    }

    static constexpr QColor kNormalText{222, 222, 222};
    static constexpr QColor kOverText{255, 0, 255};
    static constexpr QColor kPressedText{131, 42, 38};
    static constexpr QColor kDisabledText{83, 96, 68};

    QPixmap normal_, over_, down_, disabled_, checked_;
    QWidget window_;
    CPngButton button_;
    QImage drawn_;
};

TEST_F(PngButtonTest, RestingButtonCutsItsNormalPictureAtItsOwnPosition) {
    EXPECT_EQ(Drawn(), &normal_);
    EXPECT_EQ(drawn_.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(drawn_.pixelColor(59, 29), QColor(Qt::red));
}

TEST_F(PngButtonTest, DisabledWinsOverEveryOtherStateWithPictureAndTextColour) {
    UseLargeText();
    button_.SetChecked(true, false);
    Hover(button_);
    button_.setDown(true);
    button_.setEnabled(false);

    EXPECT_EQ(Drawn(), &disabled_);
    EXPECT_EQ(drawn_.pixelColor(0, 0), QColor(Qt::gray));
    EXPECT_TRUE(ImageContains(drawn_, kDisabledText));
    EXPECT_FALSE(ImageContains(drawn_, kOverText));
    EXPECT_FALSE(ImageContains(drawn_, kPressedText));
}

TEST_F(PngButtonTest, StatePrecedencePressedThenHoverThenChecked) {
    UseLargeText();
    button_.SetChecked(true, false);
    EXPECT_EQ(Drawn(), &checked_);
    EXPECT_TRUE(ImageContains(drawn_, kOverText)) << "checked uses the over colour";

    Hover(button_);
    EXPECT_TRUE(button_.IsHovering());
    EXPECT_EQ(Drawn(), &over_) << "hover wins over checked";

    button_.setDown(true);
    EXPECT_EQ(Drawn(), &down_);
    EXPECT_TRUE(ImageContains(drawn_, kPressedText));

    button_.setDown(false);
    Leave(button_);
    EXPECT_FALSE(button_.IsHovering());
    EXPECT_EQ(Drawn(), &checked_);

    button_.SetChecked(false, false);
    EXPECT_EQ(Drawn(), &normal_);
    EXPECT_TRUE(ImageContains(drawn_, kNormalText));
}

TEST_F(PngButtonTest, AlternativeSwitchIgnoresHoverAndPress) {
    const QPixmap first = Sheet(Qt::cyan);
    const QPixmap second = Sheet(Qt::magenta);
    button_.SetAltSources(&first, &second, true, false, false);
    EXPECT_EQ(Drawn(), &first);

    Hover(button_);
    EXPECT_EQ(Drawn(), &first);
    button_.setDown(true);
    EXPECT_EQ(Drawn(), &first);
    button_.setDown(false);

    button_.SetAltSources(&first, &second, true, true, false);
    EXPECT_EQ(Drawn(), &second);

    button_.setEnabled(false);
    EXPECT_EQ(Drawn(), &disabled_) << "disabled still wins";

    button_.setEnabled(true);
    button_.SetAltSources(&first, &second, false, true, false);
    EXPECT_EQ(Drawn(), &normal_);
}

TEST_F(PngButtonTest, NewPicturesClearHoverAndPress) {
    Hover(button_);
    button_.setDown(true);
    button_.SetStateImages(&normal_, &over_, &down_, &disabled_, &checked_, false);
    EXPECT_FALSE(button_.IsHovering());
    EXPECT_FALSE(button_.isDown());
    EXPECT_EQ(Drawn(), &normal_);
    // Tracking was reset too: the next move is a new hover.
    Hover(button_);
    EXPECT_EQ(Drawn(), &over_);
}

TEST_F(PngButtonTest, AWindowHiddenUnderTheMouseOpensAgainWithoutHover) {
    window_.show();
    Hover(button_);
    ASSERT_TRUE(button_.IsHovering());
    window_.hide();  // closed by a click on this button: no leave event comes
    window_.show();
    EXPECT_FALSE(button_.IsHovering());
    EXPECT_EQ(Drawn(), &normal_);
}

TEST_F(PngButtonTest, OutlineReplacesThePicture) {
    button_.SetOutline(QColor(0, 200, 100), 250, true);
    EXPECT_EQ(button_.OutlineStrength(), 100);
    Drawn();
    EXPECT_EQ(drawn_.pixelColor(1, 15), QColor(0, 200, 100));
    EXPECT_EQ(drawn_.pixelColor(58, 15), QColor(0, 200, 100));
    EXPECT_NE(DrawnCentre(), QColor(Qt::red)) << "no picture inside the frame";

    button_.SetOutline(QColor(0, 200, 100), 250, false);
    EXPECT_EQ(button_.OutlineStrength(), 250) << "only limited while the outline is on";
    Drawn();
    EXPECT_EQ(DrawnCentre(), QColor(Qt::red));
}

TEST_F(PngButtonTest, ButtonWithoutPicturesStillDrawsItsText) {
    CPngButton bare(&window_);
    bare.resize(kButtonRect.size());
    bare.setText(QStringLiteral("MWMW"));
    bare.SetTextStyle(true, 14, QStringLiteral("DejaVu Sans"), kNormalText, kOverText, kPressedText,
                      kDisabledText, Qt::white, 37);
    bare.SetTextRotation(0, true);
    const QImage image = bare.grab().toImage();
    EXPECT_EQ(bare.LastPicture(), nullptr);
    EXPECT_TRUE(ImageContains(image, kNormalText));
}

TEST_F(PngButtonTest, DoubleClickCountsAsASecondClick) {
    QSignalSpy clicks(&button_, &QAbstractButton::clicked);
    SendMouse(button_, QEvent::MouseButtonPress, Qt::LeftButton);
    SendMouse(button_, QEvent::MouseButtonRelease, Qt::LeftButton);
    SendMouse(button_, QEvent::MouseButtonDblClick, Qt::LeftButton);
    SendMouse(button_, QEvent::MouseButtonRelease, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(PngButtonTest, RedrawCallbackSaysWhetherTheNormalPictureWasDrawn) {
    std::vector<bool> reports;
    button_.SetRedrawCallback([&](QWidget* button, bool drewNormal) {
        EXPECT_EQ(button, &button_);
        reports.push_back(drewNormal);
    });
    window_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    reports.clear();

    button_.Redraw();
    Hover(button_);
    button_.Redraw();
    ASSERT_GE(reports.size(), 2u);
    EXPECT_TRUE(reports.front());
    EXPECT_FALSE(reports.back());
}

TEST_F(PngButtonTest, TooltipAppearsAfterHoverAndGoesOnLeave) {
    button_.SetTooltip(QString(), true);
    EXPECT_FALSE(button_.TooltipActive()) << "an empty text creates no tooltip";

    button_.SetTooltip(QStringLiteral("Minimise"), false);
    EXPECT_FALSE(button_.TooltipActive());
    window_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));

    Hover(button_);
    EXPECT_TRUE(button_.TooltipActive()) << "hovering sets the tooltip up again, activated";
    EXPECT_TRUE(QTest::qWaitFor([] { return QToolTip::isVisible(); }, 2000));
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Minimise"));

    Leave(button_);
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));
}

TEST_F(PngButtonTest, LinkedFlagsIgnoreProfilesOutOfRange) {
    button_.SetLinkedFlag(3, 1);
    button_.SetLinkedFlag(4, 1);
    button_.SetLinkedFlag(-1, 1);
    EXPECT_EQ(button_.LinkedFlag(3), 1);
    EXPECT_EQ(button_.LinkedFlag(0), 0);
    EXPECT_EQ(button_.LinkedFlag(4), 0);
}

}  // namespace
}  // namespace tessel
