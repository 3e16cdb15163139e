#include "mainwindow/LightingPanelControls.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <initializer_list>
#include <string_view>

#include "skin/SkinIni.h"
#include "skin/qt/CBaseDialog.h"
#include "skin/qt/CPngButton.h"
#include "skin/qt/SkinPlacement.h"
#include "widgets/CBitmapSlider.h"
#include "widgets/CSkinColorBtn.h"
#include "widgets/ClickablePicture.h"
#include "widgets/ColorStatic.h"

namespace tessel {
namespace {

struct PanelControl {
    int id;
    std::u16string_view skinEntry;
    ControlFactory create;
    bool visible;
};

constexpr bool kShown = true;
constexpr bool kHidden = false;

// In the order the skin places them.
const PanelControl kPanelControls[] = {
    {kIdReportRateCaption, u"CONTROL_UsbStatic", Control<ColorStatic>, kShown},
    {kIdRgbCaption, u"CONTROL_RGBStatic", Control<ColorStatic>, kShown},
    {kIdLightingCaption, u"CONTROL_DengStatic", Control<ColorStatic>, kShown},
    {kIdLightingSwitch, u"CONTROL_DengStaPic", Control<ClickablePicture>, kShown},
    {kIdEffectList, u"CONTROL_XGcombox", Control<QComboBox>, kHidden},
    {kIdProgressPicture, u"CONTROL_JDTStatic", Control<QLabel>, kHidden},
    {kIdBrightnessCaption, u"CONTROL_LightStatic", Control<ColorStatic>, kHidden},
    {kIdBrightnessSlider, u"CONTROL_LightSlider", Control<CBitmapSlider>, kHidden},
    {kIdSpeedCaption, u"CONTROL_SpeedStatic", Control<ColorStatic>, kHidden},
    {kIdSpeedSlider, u"CONTROL_SpeedSlider", Control<CBitmapSlider>, kHidden},
    {kIdDirectionCaption, u"CONTROL_BLFXStatic", Control<ColorStatic>, kHidden},
    {kIdDirectionLeft, u"CONTROL_BLFXLStaPic", Control<ClickablePicture>, kHidden},
    {kIdDirectionRight, u"CONTROL_BLFXRStaPic", Control<ClickablePicture>, kHidden},
    {kIdColourCaptionB, u"CONTROL_FYYSStatic", Control<ColorStatic>, kHidden},
    {kIdColourButtonB, u"CONTROL_FYYSButton", Control<CSkinColorBtn>, kHidden},
    {kIdColourfulPictureB, u"CONTROL_FYSJSStaPic", Control<ClickablePicture>, kHidden},
    {kIdColourfulCaptionB, u"CONTROL_FYSJSStatic", Control<ColorStatic>, kHidden},
    {1182, u"CONTROL_FYCFStatic", Control<ColorStatic>, kHidden},
    {1181, u"CONTROL_FYdjcfStatic", Control<ColorStatic>, kHidden},
    {1184, u"CONTROL_FYggcfStatc", Control<ColorStatic>, kHidden},
    {1183, u"CONTROL_FYdjcfStaPic", Control<QLabel>, kHidden},
    {1180, u"CONTROL_FYggcfStaPic", Control<QLabel>, kHidden},
    {kIdVariantPictureFirst, u"CONTROL_HONGPIC", Control<QLabel>, kHidden},
    {kIdVariantPictureFirst + 1, u"CONTROL_HUANGPIC", Control<QLabel>, kHidden},
    {kIdVariantPictureFirst + 2, u"CONTROL_LVPIC", Control<QLabel>, kHidden},
    {kIdVariantPictureFirst + 3, u"CONTROL_LANPIC", Control<QLabel>, kHidden},
    {kIdColourCaptionA, u"CONTROL_HXysStatic", Control<ColorStatic>, kHidden},
    {kIdColourButtonA, u"CONTROL_HXysButton", Control<CSkinColorBtn>, kHidden},
    {kIdColourfulCaptionA, u"CONTROL_HXsjsStatic", Control<ColorStatic>, kHidden},
    {kIdColourfulPictureA, u"CONTROL_HXsjsStaPic", Control<ClickablePicture>, kHidden},
    {1157, u"CONTROL_JTysStatic", Control<ColorStatic>, kHidden},
    {kIdHiddenColourButton, u"CONTROL_JTysButton", Control<CSkinColorBtn>, kHidden},
    {kIdPlainColourCaption, u"CONTROL_USERysStatic", Control<ColorStatic>, kHidden},
    {kIdPlainColourButton, u"CONTROL_USERysButton", Control<CSkinColorBtn>, kHidden},
    {kIdLinkedColourCaption, u"CONTROL_USERjsStatic", Control<ColorStatic>, kHidden},
    {kIdLinkedColourButton, u"CONTROL_USERjsButton", Control<CSkinColorBtn>, kHidden},
    {kIdToolCaption, u"CONTROL_USERgjStatic", Control<ColorStatic>, kHidden},
    {kIdToolPlain, u"CONTROL_USERgjStaPic1", Control<ClickablePicture>, kHidden},
    {kIdToolLinked, u"CONTROL_USERgjStaPic2", Control<ClickablePicture>, kHidden},
    {kIdSwatchFirst, u"CONTROL_Color1", Control<QLabel>, kHidden},
    {kIdSwatchFirst + 1, u"CONTROL_Color2", Control<QLabel>, kHidden},
    {kIdSwatchFirst + 2, u"CONTROL_Color3", Control<QLabel>, kHidden},
    {kIdSwatchFirst + 3, u"CONTROL_Color4", Control<QLabel>, kHidden},
    {kIdSwatchFirst + 4, u"CONTROL_Color5", Control<QLabel>, kHidden},
    {kIdSwatchFirst + 5, u"CONTROL_Color6", Control<QLabel>, kHidden},
    {kIdSwatchFirst + 6, u"CONTROL_Color7", Control<QLabel>, kHidden},
    {kIdSwatchFirst + 7, u"CONTROL_Color8", Control<QLabel>, kHidden},
    {kIdWebLink, u"CONTROL_Network", Control<CPngButton>, kShown},
    {kIdFacebookLink, u"CONTROL_Facebook", Control<CPngButton>, kShown},
    {kIdTwitterLink, u"CONTROL_twitter", Control<CPngButton>, kShown},
    {1186, u"CONTROL_TSysStatic", Control<ColorStatic>, kHidden},
    {kIdHiddenColourButton2, u"CONTROL_TSysButton", Control<CSkinColorBtn>, kHidden},
    {1189, u"CONTROL_TSsjsStatic", Control<ColorStatic>, kHidden},
    {1188, u"CONTROL_TSsjsStaPic", Control<QLabel>, kHidden},
    {1190, u"CONTROL_CDysStatic", Control<ColorStatic>, kHidden},
    {kIdHiddenColourButton3, u"CONTROL_CDysButton", Control<CSkinColorBtn>, kHidden},
    {1193, u"CONTROL_CDsjsStatic", Control<ColorStatic>, kHidden},
    {1192, u"CONTROL_CDsjsStaPic", Control<QLabel>, kHidden},
    {kIdCustomModeList, u"CONTROL_umCombo", Control<QComboBox>, kHidden},
};

const PanelControl kColourEdits[] = {
    {kIdRedEdit, u"COLOR_R", Control<QLineEdit>, kShown},
    {kIdGreenEdit, u"COLOR_G", Control<QLineEdit>, kShown},
    {kIdBlueEdit, u"COLOR_B", Control<QLineEdit>, kShown},
};

// Where a control stays until the skin places it.
const QRect kTemplateRect(0, 0, 24, 24);

const int kEffectControls[] = {kIdEffectList, kIdBrightnessCaption, kIdBrightnessSlider};
const int kSpeedControls[] = {kIdSpeedCaption, kIdSpeedSlider};
const int kDirectionControls[] = {kIdDirectionCaption, kIdDirectionLeft, kIdDirectionRight};
const int kColourAControls[] = {kIdColourCaptionA, kIdColourButtonA, kIdColourfulCaptionA,
                                kIdColourfulPictureA};
const int kColourBControls[] = {kIdColourCaptionB, kIdColourButtonB, kIdColourfulPictureB,
                                kIdColourfulCaptionB};
const int kCustomControls[] = {kIdPlainColourCaption, kIdPlainColourButton, kIdLinkedColourCaption,
                               kIdLinkedColourButton, kIdToolCaption,       kIdToolPlain,
                               kIdToolLinked,         kIdCustomModeList};

bool IsOneOf(int code, std::initializer_list<int> codes) {
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

void PlaceAll(CBaseDialog& window, const std::filesystem::path& mainIni,
              std::span<const PanelControl> controls) {
    for (const PanelControl& control : controls) {
        if (QWidget* widget = window.GetDlgItem(control.id)) {
            PlaceControl(*widget, mainIni, kButtonInfoSection, control.skinEntry);
        }
    }
}

}  // namespace

std::span<const int> ControlsOf(LightingGroup group) {
    switch (group) {
        case LightingGroup::Effect:
            return kEffectControls;
        case LightingGroup::Speed:
            return kSpeedControls;
        case LightingGroup::Direction:
            return kDirectionControls;
        case LightingGroup::ColourA:
            return kColourAControls;
        case LightingGroup::ColourB:
            return kColourBControls;
        case LightingGroup::Custom:
            return kCustomControls;
    }
    return {};
}

bool GroupShownFor(LightingGroup group, int effectCode) {
    switch (group) {
        case LightingGroup::Effect:
            return effectCode >= 1 && effectCode <= 7;
        case LightingGroup::Speed:
            return IsOneOf(effectCode, {1, 2, 3, 5});
        case LightingGroup::Direction:
            return IsOneOf(effectCode, {1, 4});
        case LightingGroup::ColourA:
            return IsOneOf(effectCode, {1, 3, 5});
        case LightingGroup::ColourB:
            return effectCode == 6;
        case LightingGroup::Custom:
            return effectCode == 7;
    }
    return false;
}

std::vector<ControlTemplate> LightingPanelControls() {
    std::vector<ControlTemplate> controls;
    for (const auto& table : {std::span<const PanelControl>(kColourEdits),
                              std::span<const PanelControl>(kPanelControls)}) {
        for (const PanelControl& control : table) {
            controls.push_back({control.id, control.create, {}, kTemplateRect, control.visible});
        }
    }
    return controls;
}

void PlaceLightingPanel(CBaseDialog& window, const std::filesystem::path& mainIni) {
    PlaceAll(window, mainIni, kColourEdits);
    PlaceAll(window, mainIni, kPanelControls);
}

void PlaceDirectionGroup(CBaseDialog& window, const std::filesystem::path& mainIni,
                         int effectCode) {
    const bool second = IsOneOf(effectCode, {1, 18, 19});
    const std::pair<int, std::u16string_view> places[] = {
        {kIdDirectionCaption, second ? u"CONTROL_BLFXStatic2" : u"CONTROL_BLFXStatic"},
        {kIdDirectionLeft, second ? u"CONTROL_BLFXLStaPic2" : u"CONTROL_BLFXLStaPic"},
        {kIdDirectionRight, second ? u"CONTROL_BLFXRStaPic2" : u"CONTROL_BLFXRStaPic"},
    };
    for (const auto& [id, entry] : places) {
        if (QWidget* widget = window.GetDlgItem(id)) {
            MoveControl(*widget, mainIni, kButtonInfoSection, entry);
        }
    }
}

}  // namespace tessel
