// The lighting panel on a skinned dialog of its own controls, against the
// simulated keyboard: what each effect shows, what each action sends, the
// custom effect's painting, and the progress animation.

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include "QueuedKeyboardSession.h"

#include <functional>
#include <map>
#include <memory>

#include "SkinTestFolder.h"
#include "mainwindow/LightingPanel.h"
#include "mainwindow/LightingPanelControls.h"
#include "mainwindow/LightingProgress.h"
#include "model/LightingModel.h"
#include "skin/qt/CBaseDialog.h"
#include "skin/qt/CPngButton.h"
#include "storage/LightingFileStore.h"
#include "support/SimulatedKeyboard.h"
#include "widgets/CBitmapSlider.h"
#include "widgets/CSkinColorBtn.h"

namespace tessel {
namespace {

using testing_support::SkinTestFolder;
using testing_support::SolidImage;

constexpr uint8_t kWriteParametersCommand = 0x06;
constexpr uint8_t kWriteKeyColoursCommand = 0x11;
constexpr int kKeyQ = 1044;   // LED slot 18
constexpr int kKeyW = 1045;   // LED slot 19
constexpr int kKeyG8 = 1142;  // no LED slot
constexpr int kKeyQSlot = 18;
constexpr int kKeyWSlot = 19;

class FakeHost : public LightingPanelHost {
public:
    bool sceneAccepted = true;
    int sceneSwitches = 0;
    int resets = 0;
    int assignmentViews = 0;
    int colourViews = 0;
    int reportRate = -1;
    int switchesNotSaved = 0;
    std::vector<int> colourFilesNotSaved;

    bool SwitchToActiveScene() override {
        ++sceneSwitches;
        return sceneAccepted;
    }
    void ResetKeyLooks() override { ++resets; }
    void ShowAssignments() override { ++assignmentViews; }
    void ShowKeyColours() override { ++colourViews; }
    void ShowReportRate(int rate) override { reportRate = rate; }
    void TellLightingSwitchNotSaved() override { ++switchesNotSaved; }
    void TellColourFileNotSaved(int profile) override { colourFilesNotSaved.push_back(profile); }
};

// Every lighting picture, each in a colour of its own so a control's picture
// can be told by its first pixel.
std::vector<QString> LightingPictureNames() {
    std::vector<QString> names = {"dengup.bmp",  "dengdown.bmp",   "leftup.bmp",  "leftdown.bmp",
                                  "rightup.bmp", "rightdown.bmp",  "kuosan.bmp",  "kuosandown.bmp",
                                  "julong.bmp",  "julongdown.bmp", "upup.bmp",    "updown.bmp",
                                  "downup.bmp",  "downdown.bmp",   "sjsup.bmp",   "sjsdown.bmp",
                                  "user1up.bmp", "user1down.bmp",  "user2up.bmp", "user2down.bmp"};
    for (int i = 1; i <= 10; ++i) names.push_back(QStringLiteral("jdt%1.bmp").arg(i));
    for (int i = 0; i <= 25; ++i) names.push_back(QStringLiteral("%1.bmp").arg(i));
    return names;
}

QColor PictureColour(int index) {
    return QColor(index * 3, 255 - index * 3, 128);
}

// Direction caption and pictures: first and second place.
const char* const kMainIni = R"([SCREEN]
Main=bg.bmp
[BUTTONINFO]
CONTROL_BLFXStatic=10,200,80,18
CONTROL_BLFXLStaPic=10,220,30,30
CONTROL_BLFXRStaPic=50,220,30,30
CONTROL_BLFXStatic2=110,260,80,18
CONTROL_BLFXLStaPic2=110,280,30,30
CONTROL_BLFXRStaPic2=150,280,30,30
COLOR_R=400,10,40,20
[Control_Name]
Deng=Lighting
Color=Colour
DC=Colourful
[Control_Name1]
Deng=Lights
Color=Color
DC=Many colours
)";

class LightingPanelTest : public ::testing::Test {
protected:
    LightingPanelTest()
        : files_(folder_.File("Skins"), folder_.File("Data")), model_(session_, files_) {
        folder_.WriteImage("Skins/bg.bmp", SolidImage(640, 480, QColor(20, 20, 30)));
        folder_.WriteText("Skins/Main.ini", kMainIni);
        std::filesystem::create_directories(folder_.File("Data"));
        const auto names = LightingPictureNames();
        for (std::size_t i = 0; i < names.size(); ++i) {
            folder_.WriteImage("Skins/" + names[i].toStdString(),
                               SolidImage(40, 20, PictureColour(static_cast<int>(i))));
            pictureByColour_[PictureColour(static_cast<int>(i)).rgb()] = names[i];
        }
        controls_ = LightingPanelControls();
        for (int id : {kKeyQ, kKeyW, kKeyG8}) {
            controls_.push_back({id, Control<CPngButton>, {}, QRect(0, 0, 20, 20)});
        }
        template_ = DialogTemplate{102, u"Lighting", QSize(640, 480), controls_};
        OfferEffects({1, 2, 3, 4, 5, 6, 7, 8});
    }

    // Builds the window and panel and loads profile 0 with the given record bytes.
    void Open(std::map<int, uint8_t> record = {}, bool switchOn = true) {
        std::vector<uint8_t> bytes(64, 0);
        bytes[0] = 1;
        for (const auto& [offset, value] : record) bytes[static_cast<std::size_t>(offset)] = value;
        keyboard_.WriteArea(TORVEX_SIM_AREA_PARAMETERS, 0, bytes);
        files_.WriteLightingSwitch(switchOn);

        window_ = std::make_unique<CBaseDialog>(template_, nullptr, folder_.File("Skins/Main.ini"),
                                                folder_.File("Skins"));
        window_->Create();
        panel_ = std::make_unique<LightingPanel>(
            *window_, model_, files_, host_, folder_.Root(), folder_.File("Skins/Main.ini"),
            [](int code) { return u"Effect " + std::u16string(1, char16_t(u'0' + code)); });
        PlaceLightingPanel(*window_, folder_.File("Skins/Main.ini"));
        panel_->InitLightingPanel();
        ASSERT_TRUE(session_.Load(model_));
        panel_->LoadCustomModeList();
        panel_->FillLightingPanel();
        // The custom mode's colours have gone out before the log starts.
        session_.Settle();
        keyboard_.ClearFrameLog();
    }

    void OfferEffects(std::vector<uint8_t> codes) {
        codes.resize(32, 0);
        keyboard_.WriteArea(TORVEX_SIM_AREA_DEVICE_INFO, 12, codes);
    }
    std::vector<uint8_t> Record() {
        session_.Settle();
        return keyboard_.ReadArea(TORVEX_SIM_AREA_PARAMETERS, 0, 64);
    }
    std::vector<uint8_t> KeyColour(int slot) {
        session_.Settle();
        return keyboard_.ReadArea(TORVEX_SIM_AREA_KEY_COLOURS, slot * 3, 3);
    }
    // Parameter and key-colour writes the keyboard received since the last call.
    int Writes() {
        session_.Settle();
        int writes = 0;
        for (const TorvexSimFrame& frame : keyboard_.CommandsReceived()) {
            writes += frame.bytes[3] == kWriteParametersCommand ||
                      frame.bytes[3] == kWriteKeyColoursCommand;
        }
        keyboard_.ClearFrameLog();
        return writes;
    }

    QWidget* Item(int id) { return window_->GetDlgItem(id); }
    bool Shown(int id) { return !Item(id)->isHidden(); }
    bool GroupShown(LightingGroup group) {
        for (int id : ControlsOf(group)) {
            if (!Shown(id))
                return false;
        }
        return true;
    }
    QString PictureName(const QPixmap& pixmap) {
        if (pixmap.isNull())
            return "none";
        return pictureByColour_[pixmap.toImage().pixelColor(0, 0).rgb()];
    }
    QString Picture(int id) { return PictureName(window_->Item<QLabel>(id)->pixmap()); }
    QString SliderPicture(int id) {
        return PictureName(window_->Item<CBitmapSlider>(id)->Bitmap());
    }
    void SelectEffect(int code) {
        auto* list = window_->Item<QComboBox>(kIdEffectList);
        list->setCurrentIndex(list->findText(QStringLiteral("Effect %1").arg(code)));
    }
    void Click(int id) {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2),
                          Item(id)->mapToGlobal(QPointF(2, 2)), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(Item(id), &press);
    }
    CSkinColorBtn* ColourButton(int id) { return window_->Item<CSkinColorBtn>(id); }
    // Delivers the slider's queued position requests.
    void MoveSlider(int id, Qt::Key key) {
        QTest::keyClick(Item(id), key);
        QCoreApplication::processEvents();
    }

    SkinTestFolder folder_;
    test::SimulatedKeyboard keyboard_;
    testing::QueuedKeyboardSession session_{keyboard_.Link()};
    LightingFileStore files_;
    LightingModel model_;
    FakeHost host_;
    std::vector<ControlTemplate> controls_;
    DialogTemplate template_{};
    std::unique_ptr<CBaseDialog> window_;
    std::unique_ptr<LightingPanel> panel_;
    std::map<QRgb, QString> pictureByColour_;
};

TEST_F(LightingPanelTest, EachEffectShowsItsGroupsAndIsSentAtOnce) {
    Open();
    EXPECT_EQ(window_->Item<QComboBox>(kIdEffectList)->count(), 8);
    EXPECT_EQ(window_->Item<QComboBox>(kIdEffectList)->currentText(), "Effect 1");

    SelectEffect(2);
    EXPECT_EQ(Record()[0], 2);
    EXPECT_TRUE(GroupShown(LightingGroup::Effect));
    EXPECT_TRUE(GroupShown(LightingGroup::Speed));
    for (auto group : {LightingGroup::Direction, LightingGroup::ColourA, LightingGroup::ColourB,
                       LightingGroup::Custom}) {
        for (int id : ControlsOf(group)) EXPECT_FALSE(Shown(id)) << id;
    }

    SelectEffect(4);
    EXPECT_EQ(Record()[0], 4);
    EXPECT_TRUE(GroupShown(LightingGroup::Effect));
    EXPECT_TRUE(GroupShown(LightingGroup::Direction));
    EXPECT_FALSE(Shown(kIdSpeedSlider));
    EXPECT_EQ(Picture(kIdDirectionLeft), "kuosan.bmp");
    EXPECT_EQ(Picture(kIdDirectionRight), "julongdown.bmp");
    EXPECT_EQ(Item(kIdDirectionLeft)->pos(), QPoint(10, 220));

    SelectEffect(6);
    EXPECT_TRUE(GroupShown(LightingGroup::ColourB));
    EXPECT_FALSE(Shown(kIdColourButtonA));

    SelectEffect(1);
    EXPECT_TRUE(GroupShown(LightingGroup::ColourA));
    EXPECT_EQ(Picture(kIdDirectionLeft), "leftup.bmp");
    EXPECT_EQ(Item(kIdDirectionLeft)->pos(), QPoint(110, 280)) << "second place for effect 1";
    EXPECT_EQ(Item(kIdDirectionLeft)->size(), QSize(30, 30)) << "moved, size kept";
    EXPECT_EQ(host_.resets, 4);
}

TEST_F(LightingPanelTest, AnEffectTheProfileCannotHoldSendsNothingAndHidesThePanel) {
    Open({{0, 3}});
    SelectEffect(8);
    EXPECT_EQ(Writes(), 0);
    EXPECT_EQ(model_.Current().effect, 3) << "the previous effect stays";
    for (auto group : kLightingGroups) {
        for (int id : ControlsOf(group)) EXPECT_FALSE(Shown(id)) << id;
    }
    EXPECT_TRUE(Shown(kIdLightingSwitch));
    EXPECT_TRUE(Shown(kIdRedEdit));
}

TEST_F(LightingPanelTest, SlidersShowTheirPictureAndSendOnlyChanges) {
    Open({{1, 2}, {2, 2}});
    EXPECT_EQ(SliderPicture(kIdBrightnessSlider), "2.bmp");
    EXPECT_EQ(SliderPicture(kIdSpeedSlider), "7.bmp");

    MoveSlider(kIdSpeedSlider, Qt::Key_Home);
    EXPECT_EQ(SliderPicture(kIdSpeedSlider), "5.bmp");
    EXPECT_EQ(Record()[2], 4);
    MoveSlider(kIdSpeedSlider, Qt::Key_End);
    EXPECT_EQ(SliderPicture(kIdSpeedSlider), "9.bmp");
    EXPECT_EQ(Record()[2], 0);

    MoveSlider(kIdBrightnessSlider, Qt::Key_Right);
    EXPECT_EQ(SliderPicture(kIdBrightnessSlider), "3.bmp");
    EXPECT_EQ(Record()[1], 3);
    Writes();

    // A request for the position the value already has, or out of range.
    window_->Send({kSliderMovedMessage, kIdBrightnessSlider, 3});
    window_->Send({kSliderMovedMessage, kIdSpeedSlider, 4});
    window_->Send({kSliderMovedMessage, kIdSpeedSlider, 9});
    window_->Send({kSliderMovedMessage, kIdBrightnessSlider, -1});
    EXPECT_EQ(Writes(), 0);
    EXPECT_EQ(SliderPicture(kIdSpeedSlider), "9.bmp");
}

TEST_F(LightingPanelTest, PickingAColourTurnsColourfulOffOnTheKeyboardAndInBothPictures) {
    Open({{4, 1}});
    EXPECT_EQ(Picture(kIdColourfulPictureA), "sjsdown.bmp");
    EXPECT_EQ(Picture(kIdColourfulPictureB), "sjsdown.bmp");

    ColourButton(kIdColourButtonA)->Choose(QColor(10, 20, 30));
    EXPECT_EQ(Record()[4], 0);
    const auto record = Record();
    EXPECT_EQ(std::vector<uint8_t>(record.begin() + 5, record.begin() + 8),
              (std::vector<uint8_t>{10, 20, 30}));
    EXPECT_EQ(Picture(kIdColourfulPictureA), "sjsup.bmp");
    EXPECT_EQ(Picture(kIdColourfulPictureB), "sjsup.bmp") << "no picture may claim colourful";
    EXPECT_EQ(ColourButton(kIdColourButtonB)->Color(), QColor(10, 20, 30));

    Click(kIdColourfulPictureB);
    EXPECT_EQ(Record()[4], 1);
    EXPECT_EQ(Picture(kIdColourfulPictureA), "sjsdown.bmp");
    ColourButton(kIdColourButtonB)->Choose(QColor(200, 0, 5));
    EXPECT_EQ(Record()[4], 0);
    EXPECT_EQ(Record()[5], 200);
    EXPECT_EQ(ColourButton(kIdColourButtonA)->Color(), QColor(200, 0, 5));
}

TEST_F(LightingPanelTest, DirectionPicturesFollowTheChosenSide) {
    Open({{3, 0}});
    EXPECT_EQ(Picture(kIdDirectionLeft), "leftup.bmp");
    EXPECT_EQ(Picture(kIdDirectionRight), "rightdown.bmp");
    Click(kIdDirectionLeft);
    EXPECT_EQ(Record()[3], 255);
    EXPECT_EQ(Picture(kIdDirectionLeft), "leftdown.bmp");
    EXPECT_EQ(Picture(kIdDirectionRight), "rightup.bmp");
    SelectEffect(4);
    Click(kIdDirectionRight);
    EXPECT_EQ(Record()[3], 0);
    EXPECT_EQ(Picture(kIdDirectionLeft), "kuosan.bmp");
    EXPECT_EQ(Picture(kIdDirectionRight), "julongdown.bmp");
}

TEST_F(LightingPanelTest, KeysArePaintedOnlyWithTheCustomEffect) {
    Open({{0, 3}});
    const auto before = KeyColour(kKeyQSlot);
    EXPECT_FALSE(panel_->PaintKey(kKeyQ));
    EXPECT_EQ(Writes(), 0);
    EXPECT_FALSE(window_->Item<CPngButton>(kKeyQ)->HasOutline());
    EXPECT_EQ(KeyColour(kKeyQSlot), before);
}

TEST_F(LightingPanelTest, KeysPaintedWithTheLinkedToolFollowTheLinkedColour) {
    Open({{0, 7}});
    EXPECT_TRUE(GroupShown(LightingGroup::Custom));
    Click(kIdToolLinked);
    EXPECT_EQ(Picture(kIdToolPlain), "user1up.bmp");
    EXPECT_EQ(Picture(kIdToolLinked), "user2down.bmp");
    ColourButton(kIdLinkedColourButton)->Choose(QColor(0, 0, 255));
    ASSERT_TRUE(panel_->PaintKey(kKeyQ));
    EXPECT_EQ(KeyColour(kKeyQSlot), (std::vector<uint8_t>{0, 0, 255}));
    EXPECT_EQ(window_->Item<CPngButton>(kKeyQ)->LinkedFlag(0), 1);

    Click(kIdToolPlain);
    ColourButton(kIdPlainColourButton)->Choose(QColor(9, 9, 9));
    ASSERT_TRUE(panel_->PaintKey(kKeyW));
    EXPECT_EQ(KeyColour(kKeyWSlot), (std::vector<uint8_t>{9, 9, 9}));

    ColourButton(kIdLinkedColourButton)->Choose(QColor(255, 128, 0));
    EXPECT_EQ(KeyColour(kKeyQSlot), (std::vector<uint8_t>{255, 128, 0}));
    EXPECT_EQ(window_->Item<CPngButton>(kKeyQ)->OutlineColour(), QColor(255, 128, 0));
    EXPECT_EQ(KeyColour(kKeyWSlot), (std::vector<uint8_t>{9, 9, 9})) << "painted with tool 0";
    EXPECT_EQ(window_->Item<CPngButton>(kKeyW)->OutlineColour(), QColor(9, 9, 9));

    // G8 has no LED: its outline shows the colour, the keyboard gets nothing.
    Writes();
    EXPECT_FALSE(panel_->PaintKey(kKeyG8));
    EXPECT_TRUE(window_->Item<CPngButton>(kKeyG8)->HasOutline());
    EXPECT_EQ(Writes(), 0);
}

TEST_F(LightingPanelTest, TurningTheSwitchOnWithTheCustomEffectShowsTheCustomGroup) {
    Open({{0, 7}}, false);
    EXPECT_FALSE(Shown(kIdEffectList));
    EXPECT_EQ(Picture(kIdLightingSwitch), "dengup.bmp");

    Click(kIdLightingSwitch);
    EXPECT_EQ(host_.sceneSwitches, 1);
    EXPECT_TRUE(panel_->LightingSwitchOn());
    EXPECT_TRUE(files_.ReadLightingSwitch());
    EXPECT_EQ(Picture(kIdLightingSwitch), "dengdown.bmp");
    EXPECT_TRUE(GroupShown(LightingGroup::Custom));
    EXPECT_TRUE(Shown(kIdCustomModeList));
    EXPECT_EQ(host_.colourViews, 1);

    Click(kIdLightingSwitch);
    EXPECT_FALSE(files_.ReadLightingSwitch());
    EXPECT_FALSE(Shown(kIdCustomModeList));
    EXPECT_EQ(host_.resets, 1);
    EXPECT_EQ(host_.assignmentViews, 1);
}

// A data folder that cannot be written (a regular file in its place, so root
// cannot write it either): every click still switches, and says it was not kept.
TEST_F(LightingPanelTest, ASwitchSettingThatCannotBeSavedIsTold) {
    Open({{0, 2}}, false);
    std::filesystem::remove_all(folder_.File("Data"));
    folder_.WriteText("Data", "");
    Click(kIdLightingSwitch);
    EXPECT_TRUE(panel_->LightingSwitchOn());
    EXPECT_EQ(host_.switchesNotSaved, 1);
    Click(kIdLightingSwitch);
    EXPECT_FALSE(panel_->LightingSwitchOn());
    EXPECT_EQ(host_.switchesNotSaved, 2);
}

// Profile 0's colour file a folder, which root cannot write either: each action
// says so once, however many writes it makes.
TEST_F(LightingPanelTest, CustomModeChangesThatCannotBeSavedAreToldOncePerAction) {
    Open({{0, 7}});
    const auto file = files_.Colours().FileOf(0);
    std::filesystem::create_directory(file);
    auto* modes = window_->Item<QComboBox>(kIdCustomModeList);
    const std::pair<const char*, std::function<void()>> actions[] = {
        {"tool", [&] { Click(kIdToolLinked); }},
        {"plain colour", [&] { ColourButton(kIdPlainColourButton)->Choose(QColor(1, 2, 3)); }},
        {"linked colour, repainting every linked key",
         [&] { ColourButton(kIdLinkedColourButton)->Choose(QColor(4, 5, 6)); }},
        {"painted key", [&] { panel_->PaintKey(kKeyQ); }},
        {"mode", [&] { modes->setCurrentIndex(3); }},
        {"name typed key by key", [&] { QTest::keyClicks(modes->lineEdit(), "Eve"); }},
    };
    for (const auto& [what, action] : actions) {
        host_.colourFilesNotSaved.clear();
        action();
        EXPECT_EQ(host_.colourFilesNotSaved, std::vector<int>{0}) << what;
    }

    // Once a write of the name succeeds, the next failure is told again.
    std::filesystem::remove(file);
    QTest::keyClicks(modes->lineEdit(), "n");
    std::filesystem::remove(file);
    std::filesystem::create_directory(file);
    host_.colourFilesNotSaved.clear();
    QTest::keyClicks(modes->lineEdit(), "t");
    EXPECT_EQ(host_.colourFilesNotSaved, std::vector<int>{0});
}

TEST_F(LightingPanelTest, ARefusedSceneSwitchLeavesTheSwitchOnWithoutThePanel) {
    Open({{0, 2}}, false);
    host_.sceneAccepted = false;
    Click(kIdLightingSwitch);
    EXPECT_TRUE(panel_->LightingSwitchOn());
    EXPECT_FALSE(files_.ReadLightingSwitch()) << "not saved";
    EXPECT_FALSE(Shown(kIdEffectList));

    // The next click turns it off without asking for the scene again.
    Click(kIdLightingSwitch);
    EXPECT_FALSE(panel_->LightingSwitchOn());
    EXPECT_EQ(host_.sceneSwitches, 1);
    EXPECT_EQ(host_.assignmentViews, 1);

    panel_->TurnLightingSwitchOff();
    EXPECT_EQ(host_.assignmentViews, 1) << "already off";
}

TEST_F(LightingPanelTest, CustomModesAreListedChosenAndRenamed) {
    files_.WriteModeName(0, 2, u"Racing");
    ModeTools tools;
    tools.tool = 1;
    tools.linkedColour = MakeColourRef(1, 2, 3);
    files_.WriteModeTools(0, 2, tools);
    files_.WriteSlotColour(0, 2, kKeyQSlot, {MakeColourRef(7, 8, 9), false});
    Open({{0, 7}});
    auto* modes = window_->Item<QComboBox>(kIdCustomModeList);
    ASSERT_EQ(modes->count(), 10);
    EXPECT_EQ(modes->itemText(2), "Racing");

    modes->setCurrentIndex(2);
    EXPECT_EQ(files_.ReadPresentMode(0), 2);
    EXPECT_EQ(KeyColour(kKeyQSlot), (std::vector<uint8_t>{7, 8, 9}));
    EXPECT_EQ(ColourButton(kIdLinkedColourButton)->Color(), QColor(1, 2, 3));
    EXPECT_EQ(Picture(kIdToolLinked), "user2down.bmp");
    EXPECT_GE(host_.colourViews, 1);

    QTest::keyClicks(modes->lineEdit(), "X");
    EXPECT_EQ(modes->currentIndex(), 2);
    EXPECT_EQ(modes->itemText(2), "RacingX");
    EXPECT_EQ(files_.ReadModeName(0, 2), u"RacingX");
}

TEST_F(LightingPanelTest, LinkedFlagsAreRecomputedFromEachProfilesColours) {
    ModeTools tools;
    tools.linkedColour = MakeColourRef(5, 5, 5);
    files_.WritePresentMode(3, 4);
    files_.WriteModeTools(3, 4, tools);
    files_.WriteSlotColour(3, 4, kKeyQSlot, {MakeColourRef(5, 5, 5), false});
    files_.WriteSlotColour(3, 4, kKeyWSlot, {MakeColourRef(5, 5, 6), true});
    Open();
    panel_->RecomputeLinkedFlags();
    EXPECT_EQ(window_->Item<CPngButton>(kKeyQ)->LinkedFlag(3), 1);
    EXPECT_EQ(window_->Item<CPngButton>(kKeyW)->LinkedFlag(3), 0);
}

TEST_F(LightingPanelTest, ColourValuesAboveTheByteRangeBecome255) {
    Open();
    auto* red = window_->Item<QLineEdit>(kIdRedEdit);
    EXPECT_EQ(red->geometry(), QRect(400, 10, 40, 20));
    QTest::keyClicks(red, "300");
    EXPECT_EQ(red->text(), "255");
    red->clear();
    QTest::keyClicks(red, "2a5");
    EXPECT_EQ(red->text(), "25") << "digits only";
    EXPECT_EQ(Writes(), 0);
}

TEST_F(LightingPanelTest, CaptionsComeFromTheSkinSectionOfTheLanguageSelector) {
    Open();
    EXPECT_EQ(window_->Item<QLabel>(kIdLightingCaption)->text(), "Lighting") << "no language.ini";
    EXPECT_EQ(window_->Item<QLabel>(kIdColourCaptionB)->text(), "Colour");
    EXPECT_EQ(window_->Item<QLabel>(kIdPlainColourCaption)->text(), "Colour");
    folder_.WriteText("Skins/language.ini", "[LANGUAGE]\nlanguage=1\n");
    panel_->LoadLightingCaptions();
    EXPECT_EQ(window_->Item<QLabel>(kIdColourfulCaptionB)->text(), "Many colours");
    EXPECT_EQ(window_->Item<QLabel>(kIdSpeedCaption)->text(), "") << "absent key: empty";
    panel_->FillLightingPanel();
    EXPECT_EQ(window_->Item<QComboBox>(kIdEffectList)->itemText(6), "Effect 7")
        << "effects are named from the language file whichever table is chosen";
    folder_.WriteText("Skins/language.ini", "[LANGUAGE]\nlanguage=2\n");
    panel_->LoadLightingCaptions();
    EXPECT_EQ(window_->Item<QLabel>(kIdLightingCaption)->text(), "Lights") << "left as it was";
    EXPECT_EQ(window_->Item<QComboBox>(kIdEffectList)->count(), 8);
}

TEST_F(LightingPanelTest, ProgressRunsThroughItsFramesAndStopsWithoutBlocking) {
    Open();
    QLabel* progress = window_->Item<QLabel>(kIdProgressPicture);
    EXPECT_FALSE(Shown(kIdProgressPicture));
    panel_->StartProgress();
    EXPECT_FALSE(Shown(kIdProgressPicture)) << "not before 100 ms";
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel_->Progress().Counter() >= 2; }, 3000));
    EXPECT_TRUE(Shown(kIdProgressPicture));
    EXPECT_TRUE(panel_->Progress().IsAnimating());
    EXPECT_TRUE(PictureName(progress->pixmap()).startsWith("jdt"));

    panel_->StopProgress();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !panel_->Progress().IsAnimating(); }, 3000));
    EXPECT_FALSE(Shown(kIdProgressPicture));

    // A stop right after the start leaves nothing running, and a panel going
    // away mid-animation takes its timers along.
    panel_->StartProgress();
    panel_->StopProgress();
    QTest::qWait(300);
    EXPECT_FALSE(panel_->Progress().IsAnimating());
    EXPECT_FALSE(Shown(kIdProgressPicture));
    panel_->StartProgress();
    QTest::qWait(200);
    panel_.reset();
    QTest::qWait(120);
}

}  // namespace
}  // namespace tessel
