#pragma once

#include <QImage>
#include <QRect>

#include <array>
#include <utility>
#include <vector>

#include "Skin.h"

// Geometry shared by the main window's background, buttons and lighting panel.
namespace skingen::main_layout {

inline constexpr int kWidth = 1140;
inline constexpr int kHeight = 720;

inline constexpr int kUnit = 44;   // one key unit
inline constexpr int kKeyGap = 2;  // space around each key cap
inline constexpr int kGColumnX = 35;
inline constexpr int kMainX = 93;  // left edge of the main key block
inline constexpr int kFunctionRowY = 150;
inline constexpr int kFirstRowY = 212;
inline constexpr int kBottomRowEnd = kFirstRowY + 5 * kUnit;

inline const QRect kLinkRect{20, 11, 32, 32};
inline const QRect kDeckRect{22, 108, 1096, 338};
inline const QRect kPanelRect{22, 456, 1096, 172};

// Left edges of the panel's five sections and its two rows of caption + control.
inline constexpr std::array<int, 5> kPanelColumns{40, 220, 450, 690, 930};
inline constexpr int kPanelCaption1 = 468;
inline constexpr int kPanelRow1 = 490;
inline constexpr int kPanelCaption2 = 532;
inline constexpr int kPanelRow2 = 554;

// Flip strip above F1 to F4: flip button, arrow, indicator, arrow, flip button.
inline const std::array<QRect, 5> kFlipRow{{{181, 118, 62, 22},
                                            {247, 118, 22, 22},
                                            {273, 118, 58, 22},
                                            {335, 118, 22, 22},
                                            {361, 118, 62, 22}}};
inline constexpr int kArrowSize = 22;

// Web, social and social link buttons of the title bar, in control order.
inline const std::array<std::pair<QRect, Glyph>, 3> kSocialLinks{
    {{{852, 15, 24, 24}, Glyph::Globe},
     {{884, 15, 24, 24}, Glyph::Chat},
     {{916, 15, 24, 24}, Glyph::Bird}}};

// Sizes of the lighting pictures; the picture controls are placed at these sizes.
inline const QSize kSwitchPicture{84, 30};
inline const QSize kDirectionPicture{48, 30};
inline const QSize kColourfulPicture{72, 30};
inline const QSize kToolPicture{44, 30};
inline const QSize kVariantPicture{30, 30};
inline const QSize kSwatchPicture{20, 20};
inline const QSize kProgressPicture{160, 12};
inline const QSize kSliderPicture{200, 30};

void AddLightingPanelEntries(std::vector<Element>& out);
IniSection ArrowOffsets();
IniSection LightingCaptions(bool english);
QImage RenderArrowSheet();

}  // namespace skingen::main_layout
