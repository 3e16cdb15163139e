// skinpreview [--screenshot FILE [--hover ENTRY]]: the main window's default
// skin on the program's own skinned dialog, buttons and placement, in one
// representative state (lighting on with effect 1, some keys assigned, Num
// Lock lit). Lets a skin designer look at a skin without a keyboard, and
// renders documentation pictures through the screenshot mode.

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "../MainWindowLayout.h"
#include "app/ScreenshotMode.h"
#include "platform/ModuleFileName.h"
#include "skin/SkinIni.h"
#include "skin/qt/CBaseDialog.h"
#include "skin/qt/CPngButton.h"
#include "skin/qt/SkinPictures.h"
#include "skin/qt/SkinPlacement.h"

namespace {

using namespace tessel;
using skingen::Art;
using skingen::Role;

const DialogTemplate kPreviewTemplate{102, u"Skin preview", QSize(640, 480), {}, true};

enum Sheet { kNormal, kOver, kDown, kDisabled, kColour0, kColour1, kSheetCount };
const std::array<std::u16string_view, kSheetCount> kSheetFiles{
    u"Skins\\main_normal.jpg",  u"Skins\\main_over.jpg",   u"Skins\\main_down.jpg",
    u"Skins\\main_disable.jpg", u"Skins\\main_color0.jpg", u"Skins\\main_color1.jpg"};

// The sheets each kind of button draws its five states from.
std::array<Sheet, 5> PicturesOf(Role role) {
    switch (role) {
        case Role::Key:
        case Role::Toggle:
            return {kNormal, kOver, kDown, kNormal, kDisabled};
        case Role::Apply:
            return {kNormal, kOver, kDown, kDisabled, kNormal};
        case Role::Link:
            return {kNormal, kOver, kDisabled, kNormal, kNormal};
        case Role::Indicator:
            return {kNormal, kNormal, kNormal, kNormal, kOver};
        case Role::Static:
            return {kNormal, kNormal, kNormal, kNormal, kNormal};
        case Role::Command:
            break;
    }
    return {kNormal, kOver, kDown, kNormal, kNormal};
}

// Texts the program draws on its plates, in English.
const std::pair<const char*, const char*> kPlateTexts[] = {
    {"FUNC_PROFILE1", "Profile 1"}, {"FUNC_PROFILE2", "Profile 2"}, {"FUNC_PROFILE3", "Profile 3"},
    {"FUNC_PROFILE4", "Profile 4"}, {"FUNC_MACRO", "Macro"},        {"FUNC_DEFAULT", "Default"},
    {"CONTROL_OK", "OK"},           {"CONTROL_CANCEL", "Cancel"},   {"CONTROL2_APPLY", "Apply"},
    {"FUNC_PROFILES", "$Profile0"}, {"VANTIX_VER", "Version 1.0.0"}};

// What effect 1 with the lighting switch on shows of the panel.
const std::set<std::string> kShownPanel = {"CONTROL_UsbStatic",
                                           "CONTROL_RGBStatic",
                                           "CONTROL_DengStatic",
                                           "CONTROL_DengStaPic",
                                           "CONTROL_XGcombox",
                                           "CONTROL_LightStatic",
                                           "CONTROL_LightSlider",
                                           "CONTROL_SpeedStatic",
                                           "CONTROL_SpeedSlider",
                                           "CONTROL_BLFXStatic2",
                                           "CONTROL_BLFXLStaPic2",
                                           "CONTROL_BLFXRStaPic2",
                                           "CONTROL_HXysStatic",
                                           "CONTROL_HXysButton",
                                           "CONTROL_HXsjsStatic",
                                           "CONTROL_HXsjsStaPic",
                                           "COLOR_R",
                                           "COLOR_G",
                                           "COLOR_B",
                                           "CONTROL_Network",
                                           "CONTROL_Facebook",
                                           "CONTROL_twitter"};

const std::pair<const char*, const char*> kPanelPictures[] = {
    {"CONTROL_DengStaPic", "dengdown.bmp"},  {"CONTROL_LightSlider", "3.bmp"},
    {"CONTROL_SpeedSlider", "7.bmp"},        {"CONTROL_BLFXLStaPic2", "leftdown.bmp"},
    {"CONTROL_BLFXRStaPic2", "rightup.bmp"}, {"CONTROL_HXsjsStaPic", "sjsdown.bmp"}};

const std::pair<const char*, const char*> kCaptions[] = {
    {"CONTROL_UsbStatic", "Usb"},     {"CONTROL_DengStatic", "Deng"},
    {"CONTROL_LightStatic", "Light"}, {"CONTROL_SpeedStatic", "Speed"},
    {"CONTROL_BLFXStatic2", "FX"},    {"CONTROL_HXysStatic", "Color"},
    {"CONTROL_HXsjsStatic", "DC"}};

class SkinPreview : public CBaseDialog {
public:
    explicit SkinPreview(const std::filesystem::path& programFolder)
        : CBaseDialog(kPreviewTemplate, nullptr, programFolder / "Skins" / "Main.ini",
                      programFolder / "Skins"),
          m_programFolder(programFolder) {}

protected:
    bool OnInitDialog() override {
        CBaseDialog::OnInitDialog();
        for (int i = 0; i < kSheetCount; ++i) {
            std::unique_ptr<QImage> picture = LoadSkinPicture(m_programFolder, kSheetFiles[i]);
            RenderSkinPicture(m_sheets[i], *picture, *this);
        }
        std::unique_ptr<QImage> arrows = LoadSkinPicture(m_programFolder, u"Skins\\Arrow.jpg");
        RenderSkinPicture(m_arrows, *arrows, *this);
        for (const skingen::Element& element : skingen::MainWindowSkin().elements) {
            if (element.art != Art::None) {
                AddButton(element);
            } else {
                AddPanelControl(element.entry.toStdString());
            }
        }
        return true;
    }

private:
    static std::u16string U16(const QString& text) { return text.toStdU16String(); }

    void AddButton(const skingen::Element& element) {
        auto* button = new CPngButton(this);
        const auto p = PicturesOf(element.role);
        PlaceSkinButton(*button, SkinIni(), kButtonInfoSection, U16(element.entry), &m_sheets[p[0]],
                        &m_sheets[p[1]], &m_sheets[p[2]], &m_sheets[p[3]], &m_sheets[p[4]]);
        for (const auto& [entry, text] : kPlateTexts) {
            if (element.entry == QLatin1String(entry)) {
                button->setText(QString::fromLatin1(text));
                button->SetTextStyle(true, 10, QStringLiteral("Arial Unicode MS"),
                                     QColor(222, 222, 222), QColor(255, 0, 0), QColor(131, 42, 38),
                                     QColor(83, 96, 68), QColor(200, 200, 200), 37);
            }
        }
        if (element.entry == QLatin1String("FUNC_PROFILES")) {
            button->SetTextStyle(true, 10, QStringLiteral("Arial Unicode MS"),
                                 QColor(222, 222, 222), QColor(255, 0, 0), QColor(131, 42, 38),
                                 QColor(83, 96, 68), QColor(200, 200, 200), 0x28);
            button->SetTextRotation(268, true);
        }
        // A representative state: profile 1, 1000 Hz, a few assigned keys, Num Lock lit.
        static const std::set<QString> checked = {
            QStringLiteral("FUNC_PROFILE1"), QStringLiteral("FUNC_REPORT1"),
            QStringLiteral("LOCK_NUM"),      QStringLiteral("FUNC_G1"),
            QStringLiteral("FUNC_G2"),       QStringLiteral("KEY_01E"),
            QStringLiteral("KEY_011")};
        button->SetChecked(checked.count(element.entry) > 0);
        if (element.entry == QLatin1String("CONTROL2_APPLY"))
            button->setEnabled(false);
    }

    void AddPanelControl(const std::string& entry) {
        const std::u16string name = U16(QString::fromStdString(entry));
        if (entry == "LEFT_ARROW" || entry == "RIGHT_ARROW") {
            auto* arrow = new CPngButton(this);
            PlaceArrow(*arrow, SkinIni(), kButtonInfoSection, name, kPictureOffsetSection,
                       entry == "LEFT_ARROW" ? u"DOWN_ARROW_LEFT2" : u"DOWN_ARROW_RIGHT2",
                       &m_arrows);
            return;
        }
        if (!kShownPanel.count(entry))
            return;
        QWidget* control = nullptr;
        if (entry == "CONTROL_XGcombox") {
            auto* box = new QComboBox(this);
            box->addItem(QStringLiteral("Wave"));
            control = box;
        } else if (entry.rfind("COLOR_", 0) == 0) {
            control = new QLineEdit(
                entry == "COLOR_R" ? QStringLiteral("255") : QStringLiteral("0"), this);
        } else if (entry == "CONTROL_HXysButton") {
            auto* colour = new QPushButton(this);
            colour->setStyleSheet(QStringLiteral("background:#ff2d37;border:1px solid #555;"));
            control = colour;
        } else if (entry == "CONTROL_Network" || entry == "CONTROL_Facebook" ||
                   entry == "CONTROL_twitter") {
            control = new CPngButton(this);  // draws nothing: the background shows its mark
        } else {
            auto* label = new QLabel(this);
            label->setStyleSheet(QStringLiteral("color:#e4e4e4;background:transparent;"));
            for (const auto& [e, picture] : kPanelPictures) {
                if (entry == e)
                    label->setPixmap(LoadSkinBitmap(SkinFolder(), U16(picture)));
            }
            for (const auto& [e, key] : kCaptions) {
                if (entry == e) {
                    label->setText(QString::fromStdU16String(
                        ReadCaption(SkinIni(), u"Control_Name1", U16(QString::fromLatin1(key)))));
                }
            }
            if (entry == "CONTROL_RGBStatic")
                label->setText(QStringLiteral("RGB"));
            control = label;
        }
        PlaceControl(*control, SkinIni(), kButtonInfoSection, name);
        control->show();
    }

    std::filesystem::path m_programFolder;
    std::array<QPixmap, kSheetCount> m_sheets;
    QPixmap m_arrows;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    // Runs from the build's bin folder; the skin lies in the program folder beside it.
    std::filesystem::path programFolder = ModuleFileName().parent_path().parent_path() / "program";
    if (const char* folder = std::getenv("TESSEL_PROGRAM_FOLDER"))
        programFolder = folder;
    SkinPreview preview(programFolder);
    preview.Create();
    int status = 0;
    if (auto request = ScanScreenshotRequest(arguments)) {
        ArmScreenshot(
            preview, *request, preview.SkinIni(), [] { return true; },
            [&preview, &status](int result) {
                status = result;
                preview.EndDialog(result);
            });
    }
    preview.DoModal();
    return status;
}
