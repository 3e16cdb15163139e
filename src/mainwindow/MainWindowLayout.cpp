// The layout of the main window: every skinned button placed from the main
// skin with the pictures of its role, the texts and tooltips the layout gives.

#include <QImage>

#include <array>
#include <filesystem>

#include "mainwindow/CTesselDlg.h"
#include "mainwindow/FlipKeys.h"
#include "mainwindow/KeyboardViewButtons.h"
#include "model/KeyButtons.h"
#include "skin/SkinIni.h"
#include "skin/qt/CPngButton.h"
#include "skin/qt/SkinPictures.h"
#include "skin/qt/SkinPlacement.h"
#include "text/LanguageTable.h"
#include "widgets/SkinPalette.h"

namespace tessel {

namespace {

constexpr unsigned kSingleLineBottom = 0x28;
constexpr unsigned kSingleLineLeft = 0x24;
// The switch's icon: 12 pixels in, 0.42 of the height wide, and a gap.
constexpr int kModeSwitchIconWidth = 32;
constexpr int kModeSwitchRightGap = -6;
constexpr int kSceneButtonEscapement = 268;

struct TooltipButton {
    int id;
    std::u16string_view entry;
    TextKeyEntry tooltip;
};
constexpr TooltipButton kTooltipButtons[] = {
    {kIdHelp, u"CONTROL_HELP", TextKeyEntry::MAIN_HELP_PROMPT},
    {kIdClose, u"CONTROL_CLOSE", TextKeyEntry::MAIN_CLOSE_PROMPT},
    {kIdMinimise, u"CONTROL_MINIMIZE", TextKeyEntry::MAIN_MINIMIZE_PROMPT},
    {kIdCommandMenu, u"CONTROL_MENU", TextKeyEntry::MAIN_MENU_PROMPT},
};

}  // namespace

// The layout's texts that come from the language table: again after the
// table is reloaded.
void CTesselDlg::ShowLanguageTableTexts() {
    for (const TooltipButton& entry : kTooltipButtons) {
        if (auto* button = Item<CPngButton>(entry.id)) {
            button->SetTooltip(LocalText(m_parts->languageTable.TextKey(entry.tooltip)), true);
        }
    }
    if (auto* version = Item<CPngButton>(kIdVersionLabel)) {
        version->setText(QString::fromStdU16String(
            m_parts->languageTable.Value(TextEntry::MAIN_BUTTON_VANTIX_VER)));
    }
}

// The window's drawn button texts share their colours: light grey, red when
// hovered or checked, dark red pressed, grey-green disabled.
void CTesselDlg::StyleButtonText(CPngButton& button, int points, unsigned format,
                                 const QString& face) {
    const QColor normal(222, 222, 222);
    const QColor over(255, 0, 0);
    const QColor pressed(131, 42, 38);
    const QColor disabled(83, 96, 68);
    button.SetTextStyle(true, points, face, normal, over, pressed, disabled, over, format);
}

void CTesselDlg::PlaceButton(int id, std::u16string_view entry, Looks looks) {
    auto* button = Item<CPngButton>(id);
    if (!button) {
        return;
    }
    using P = SkinImageSet::Picture;
    // Normal, over, down, disabled state, checked.
    std::array<P, 5> pictures{};
    switch (looks) {
        case Looks::Command:
            pictures = {P::kNormal, P::kOver, P::kDown, P::kNormal, P::kNormal};
            break;
        case Looks::Link:
            pictures = {P::kNormal, P::kOver, P::kDisabled, P::kNormal, P::kNormal};
            break;
        case Looks::Apply:
            pictures = {P::kNormal, P::kOver, P::kDown, P::kDisabled, P::kNormal};
            break;
        case Looks::Indicator:
            pictures = {P::kNormal, P::kNormal, P::kNormal, P::kNormal, P::kOver};
            break;
        case Looks::FlipMarker:
            pictures = {P::kNormal, P::kNormal, P::kNormal, P::kNormal, P::kDisabled};
            break;
        case Looks::Selectable:
            pictures = {P::kNormal, P::kOver, P::kDown, P::kNormal, P::kDisabled};
            break;
        case Looks::Label:
            pictures = {P::kNormal, P::kNormal, P::kNormal, P::kNormal, P::kNormal};
            break;
    }
    PlaceSkinButton(*button, SkinIni(), kButtonInfoSection, entry, m_images.Get(pictures[0]),
                    m_images.Get(pictures[1]), m_images.Get(pictures[2]), m_images.Get(pictures[3]),
                    m_images.Get(pictures[4]));
}

// D1..D6 have no skin entry: over the F-key row they show the window's
// background and their caption, so they hide F1..F4 while the flip setting
// makes them the keys to click.
void CTesselDlg::ShowAlternateKeys() {
    const QPixmap* background = &Background();
    for (int i = 0; i < keyboard_ids::kDKeyCount; ++i) {
        auto* key = Item<CPngButton>(keyboard_ids::kFirstDKey + i);
        if (!key) {
            continue;
        }
        key->SetImages(key->x(), key->y(), background, background, background, background,
                       background, false);
        StyleButtonText(*key, 9);
    }
}

void CTesselDlg::BuildMainLayout() {
    const auto& ini = SkinIni();
    // Message boxes, menus and lists in the colours of this skin.
    const std::filesystem::path background =
        SkinFilePath(SkinFolder(), ReadScreenPictures(ini).main);
    ApplySkinPalette(QImage(QString::fromStdU16String(background.u16string())));
    m_link = QString::fromStdU16String(ReadScreenLink(ini));

    // The keyboard: G keys and the 104 keys, pictures N O D N X.
    for (const GKeyButton& key : kGKeyButtons) {
        PlaceButton(key.controlId, SkinEntryName(key), Looks::Selectable);
    }
    for (const KeyButton& key : kKeyButtons) {
        PlaceButton(key.controlId, SkinEntryName(key), Looks::Selectable);
    }

    PlaceButton(kIdLink, u"VANTIX_LINK", Looks::Link);
    if (auto* link = Item<CPngButton>(kIdLink)) {
        link->SetTooltip(m_link, true);
    }

    PlaceButton(kIdSceneButton, u"FUNC_PROFILES", Looks::Command);
    if (auto* scene = Item<CPngButton>(kIdSceneButton)) {
        StyleButtonText(*scene, 10, kSingleLineBottom);
        scene->SetTextRotation(kSceneButtonEscapement, true);
    }

    PlaceButton(kIdMacroButton, u"FUNC_MACRO", Looks::Command);
    PlaceButton(kIdOk, u"CONTROL_OK", Looks::Command);
    PlaceButton(kIdCancel, u"CONTROL_CANCEL", Looks::Command);
    for (const TooltipButton& entry : kTooltipButtons) {
        PlaceButton(entry.id, entry.entry, Looks::Command);
    }

    PlaceButton(kIdApply, u"CONTROL2_APPLY", Looks::Apply);
    for (const LockIndicatorSkin& indicator : kLockIndicators) {
        PlaceButton(indicator.id, indicator.entry, Looks::Indicator);
    }
    PlaceButton(keyboard_ids::kFlipIndicator, u"FLIP_0", Looks::FlipMarker);
    PlaceButton(keyboard_ids::kLeftFlipButton, u"FLIP_1", Looks::Selectable);
    PlaceButton(keyboard_ids::kRightFlipButton, u"FLIP_2", Looks::Selectable);
    m_flipKeys->ApplyFlipSetting();
    m_flipKeys->AttachRedrawChains();

    PlaceButton(kIdVersionLabel, u"VANTIX_VER", Looks::Label);
    if (auto* version = Item<CPngButton>(kIdVersionLabel)) {
        StyleButtonText(*version, 8, kSingleLineLeft, QStringLiteral("Verdana"));
        version->setEnabled(false);
    }
    ShowLanguageTableTexts();

    static constexpr std::u16string_view kProfileEntries[] = {u"FUNC_PROFILE1", u"FUNC_PROFILE2",
                                                              u"FUNC_PROFILE3", u"FUNC_PROFILE4"};
    for (std::size_t i = 0; i < std::size(kProfileButtonIds); ++i) {
        PlaceButton(kProfileButtonIds[i], kProfileEntries[i], Looks::Selectable);
    }
    PlaceButton(kIdDefaults, u"FUNC_DEFAULT", Looks::Selectable);
    PlaceButton(keyboard_ids::kModeSwitch, u"FUNC_SWITCH", Looks::Selectable);
    // The switch names the mode it leads to; without a drawn text it would
    // be a blank button. Its long texts shrink or take two lines to fit.
    if (auto* modeSwitch = Item<CPngButton>(keyboard_ids::kModeSwitch)) {
        StyleButtonText(*modeSwitch, 10);
        // Clear of the switch icon at the left of its picture.
        modeSwitch->SetTextMargins(kModeSwitchIconWidth, kModeSwitchRightGap, 0, 0);
    }
    static constexpr std::u16string_view kReportEntries[] = {u"FUNC_REPORT1", u"FUNC_REPORT2",
                                                             u"FUNC_REPORT3", u"FUNC_REPORT4"};
    for (std::size_t i = 0; i < std::size(kReportRateButtonIds); ++i) {
        PlaceButton(kReportRateButtonIds[i], kReportEntries[i], Looks::Selectable);
    }
    PlaceButton(kFnButton.controlId, u"KEY_FN", Looks::Selectable);
    ShowAlternateKeys();

    CreateLightingPanel();
}

}  // namespace tessel
