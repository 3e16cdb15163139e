// Lock indicators and macro-key captions as the layer key changes them.

#include "mainwindow/LockIndicators.h"

#include <QPixmap>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "skin/qt/CPngButton.h"

namespace tessel {
namespace {

class LockIndicatorsTest : public ::testing::Test {
protected:
    LockIndicatorsTest() : normal(400, 200), over(400, 200) {
        normal.fill(Qt::darkGray);
        over.fill(Qt::white);
        for (CPngButton** slot : {&buttons.caps, &buttons.num, &buttons.scroll, &buttons.ab})
            *slot = Make(QRect(10 + 40 * static_cast<int>(owned.size()), 10, 30, 20));
        for (auto& key : buttons.macroKeys)
            key = Make(QRect(10 + 40 * static_cast<int>(owned.size() - 4), 60, 30, 30));
        for (CPngButton* lock : {buttons.caps, buttons.num, buttons.scroll})
            lock->SetImages(lock->x(), lock->y(), &normal, &normal, &normal, &normal, &normal);
    }

    CPngButton* Make(QRect geometry) {
        auto* button = new CPngButton(&window);
        button->setGeometry(geometry);
        owned.push_back(button);
        return button;
    }

    QWidget window;
    QPixmap normal, over;
    LockIndicatorButtons buttons;
    std::vector<CPngButton*> owned;
};

TEST_F(LockIndicatorsTest, LayerBShowsTheOverSheetAndBCaptionsAndLayerARestores) {
    LockIndicators indicators(buttons, &normal, &over);
    indicators.ShowLayer(MacroLayer::B);
    for (int picture = 0; picture < CPngButton::kPictureCount; ++picture)
        EXPECT_EQ(buttons.ab->StatePicture(static_cast<CPngButton::Picture>(picture)), &over);
    EXPECT_EQ(buttons.ab->SourceOffset(), buttons.ab->pos());
    EXPECT_EQ(buttons.macroKeys[0]->text(), "B1");
    EXPECT_EQ(buttons.macroKeys[4]->text(), "B5");
    EXPECT_EQ(buttons.macroKeys[5]->text(), "");

    indicators.ShowLayer(MacroLayer::A);
    EXPECT_EQ(buttons.ab->StatePicture(CPngButton::kOver), &normal);
    EXPECT_EQ(buttons.macroKeys[2]->text(), "A3");
    EXPECT_EQ(buttons.macroKeys[8]->text(), "");
}

TEST_F(LockIndicatorsTest, OnlyTheAbIndicatorChangesAndClicksDoNothing) {
    LockIndicators indicators(buttons, &normal, &over);
    indicators.DisableIndicators();
    indicators.ShowLayer(MacroLayer::B);
    for (CPngButton* lock : {buttons.caps, buttons.num, buttons.scroll}) {
        EXPECT_FALSE(lock->isEnabled());
        EXPECT_EQ(lock->StatePicture(CPngButton::kNormal), &normal);
    }
    EXPECT_FALSE(buttons.ab->isEnabled());

    QSignalSpy clicks(buttons.ab, &CPngButton::clicked);
    QTest::mouseClick(buttons.ab, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(LockIndicatorsTest, ButtonsNotPlacedYetAreSkipped) {
    LockIndicatorButtons none;
    LockIndicators indicators(none, &normal, &over);
    indicators.DisableIndicators();
    indicators.ShowLayer(MacroLayer::B);
    SUCCEED();
}

}  // namespace
}  // namespace tessel
