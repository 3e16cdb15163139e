// The lighting panel on the default skin the build generates: every control
// has its entry, and the panel's pictures are all there.

#include <QLabel>

#include <gtest/gtest.h>

#include "QueuedKeyboardSession.h"

#include <filesystem>
#include <memory>

#include "mainwindow/LightingPanel.h"
#include "mainwindow/LightingPanelControls.h"
#include "model/LightingModel.h"
#include "skin/qt/CBaseDialog.h"
#include "storage/LightingFileStore.h"
#include "support/SimulatedKeyboard.h"
#include "support/TempFolder.h"
#include "widgets/CBitmapSlider.h"

namespace tessel {
namespace {

class NoHost : public LightingPanelHost {
public:
    bool SwitchToActiveScene() override { return true; }
    void ResetKeyLooks() override {}
    void ShowAssignments() override {}
    void ShowKeyColours() override {}
    void ShowReportRate(int) override {}
    void TellLightingSwitchNotSaved() override {}
    void TellColourFileNotSaved(int) override {}
};

TEST(LightingDefaultSkinTest, EveryPanelControlIsPlacedAndShowsItsPicture) {
    const std::filesystem::path program(TESSEL_PROGRAM_DIR);
    const std::filesystem::path mainIni = program / "Skins" / "Main.ini";
    ASSERT_TRUE(std::filesystem::exists(mainIni));
    const std::vector<ControlTemplate> controls = LightingPanelControls();
    const DialogTemplate dialogTemplate{102, u"Lighting", QSize(980, 600), controls};
    CBaseDialog window(dialogTemplate, nullptr, mainIni, program / "Skins");
    window.Create();
    PlaceLightingPanel(window, mainIni);
    for (const ControlTemplate& control : controls) {
        EXPECT_NE(window.GetDlgItem(control.id)->geometry(), QRect(1, 1, 1, 1))
            << "no skin entry for " << control.id;
    }

    test::SimulatedKeyboard keyboard;
    testing::TempFolder data;
    LightingFileStore files(data.Path(), data.Path());
    testing::QueuedKeyboardSession session(keyboard.Link());
    LightingModel model(session, files);
    NoHost host;
    LightingPanel panel(window, model, files, host, program, mainIni, {});
    panel.InitLightingPanel();
    ASSERT_TRUE(session.Load(model));
    panel.FillLightingPanel();
    for (int id : {kIdLightingSwitch, kIdDirectionLeft, kIdDirectionRight, kIdColourfulPictureA,
                   kIdColourfulPictureB, kIdToolPlain, kIdToolLinked, kIdProgressPicture}) {
        EXPECT_FALSE(window.Item<QLabel>(id)->pixmap().isNull()) << id;
    }
    const auto* slider = window.Item<CBitmapSlider>(kIdBrightnessSlider);
    EXPECT_FALSE(slider->Bitmap().isNull());
    EXPECT_EQ(slider->size(), slider->Bitmap().size());
}

}  // namespace
}  // namespace tessel
