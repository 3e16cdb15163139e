#pragma once
// The lighting panel's controls: their ids, their template entries for the
// main window, their skin entries, and which of them each effect shows.

#include <filesystem>
#include <span>
#include <vector>

#include "skin/qt/DialogTemplate.h"

namespace tessel {

class CBaseDialog;

// Always shown.
inline constexpr int kIdReportRateCaption = 1204;
inline constexpr int kIdRgbCaption = 1207;
inline constexpr int kIdLightingCaption = 1171;
inline constexpr int kIdLightingSwitch = 1167;
inline constexpr int kIdRedEdit = 1208;
inline constexpr int kIdGreenEdit = 1209;
inline constexpr int kIdBlueEdit = 1210;
// Effect group.
inline constexpr int kIdEffectList = 1146;
inline constexpr int kIdBrightnessCaption = 1172;
inline constexpr int kIdBrightnessSlider = 1178;
// Speed group.
inline constexpr int kIdSpeedCaption = 1166;
inline constexpr int kIdSpeedSlider = 1179;
// Direction group.
inline constexpr int kIdDirectionCaption = 1148;
inline constexpr int kIdDirectionLeft = 1149;
inline constexpr int kIdDirectionRight = 1150;
// Colour group of effects 1, 3, 5.
inline constexpr int kIdColourCaptionA = 1154;
inline constexpr int kIdColourButtonA = 1155;
inline constexpr int kIdColourfulCaptionA = 1173;
inline constexpr int kIdColourfulPictureA = 1156;
// Colour group of effect 6.
inline constexpr int kIdColourCaptionB = 1151;
inline constexpr int kIdColourButtonB = 1152;
inline constexpr int kIdColourfulPictureB = 1175;
inline constexpr int kIdColourfulCaptionB = 1176;
// Custom effect group.
inline constexpr int kIdPlainColourCaption = 1159;
inline constexpr int kIdPlainColourButton = 1160;
inline constexpr int kIdLinkedColourCaption = 1161;
inline constexpr int kIdLinkedColourButton = 1162;
inline constexpr int kIdToolCaption = 1163;
inline constexpr int kIdToolPlain = 1164;
inline constexpr int kIdToolLinked = 1165;
inline constexpr int kIdCustomModeList = 1198;
// Shown only while an apply runs.
inline constexpr int kIdProgressPicture = 1177;
// Placed, never shown.
inline constexpr int kIdHiddenColourButton = 1158;
inline constexpr int kIdHiddenColourButton2 = 1187;
inline constexpr int kIdHiddenColourButton3 = 1191;
inline constexpr int kIdVariantPictureFirst = 1194;  // 1194 to 1197
inline constexpr int kIdSwatchFirst = 1211;          // 1211 to 1218
inline constexpr int kSwatchCount = 8;
// Web and social link buttons; their commands are the window's.
inline constexpr int kIdWebLink = 1219;
inline constexpr int kIdFacebookLink = 1220;
inline constexpr int kIdTwitterLink = 1221;

// Every colour-picker button of the panel.
inline constexpr int kLightingColourButtons[] = {
    kIdColourButtonB,      kIdColourButtonA,       kIdHiddenColourButton, kIdPlainColourButton,
    kIdLinkedColourButton, kIdHiddenColourButton2, kIdHiddenColourButton3};

enum class LightingGroup { Effect, Speed, Direction, ColourA, ColourB, Custom };
inline constexpr LightingGroup kLightingGroups[] = {
    LightingGroup::Effect,  LightingGroup::Speed,   LightingGroup::Direction,
    LightingGroup::ColourA, LightingGroup::ColourB, LightingGroup::Custom};

std::span<const int> ControlsOf(LightingGroup group);
// Which groups an effect code shows while the lighting switch is on.
bool GroupShownFor(LightingGroup group, int effectCode);

// Template entries of every panel control, for the main window's template.
std::vector<ControlTemplate> LightingPanelControls();

// Places the colour edits ("COLOR_R/G/B") and every panel control from its
// skin entry (rectangle only), in the order of the skin's panel entries.
void PlaceLightingPanel(CBaseDialog& window, const std::filesystem::path& mainIni);
// The direction caption and pictures move (size kept) to their second place
// for effects 1, 18 and 19.
void PlaceDirectionGroup(CBaseDialog& window, const std::filesystem::path& mainIni, int effectCode);

}  // namespace tessel
