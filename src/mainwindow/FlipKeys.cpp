#include "mainwindow/FlipKeys.h"

#include <array>
#include <string_view>

#include "mainwindow/LockIndicators.h"
#include "mainwindow/SkinImageSet.h"
#include "skin/SkinIni.h"
#include "skin/qt/CPngButton.h"
#include "skin/qt/SkinPlacement.h"
#include "storage/ProfileSettings.h"

namespace tessel {

namespace {

constexpr int kRightBracketKeyId = 1055;

// Buttons that start a redraw chain.
constexpr std::array<int, 5> kChainStarts = {
    kLockAbId, keyboard_ids::kEnter, keyboard_ids::kFlipIndicator, keyboard_ids::kLeftFlipButton,
    keyboard_ids::kRightFlipButton};

struct ArrowSkin {
    int buttonId;
    std::u16string_view rectEntry;
    std::u16string_view flippedName;  // offset entry while D1..D6 are shown
    std::u16string_view plainName;    // offset entry while F1..F4 are shown
};

constexpr ArrowSkin kLeftArrow = {keyboard_ids::kLeftArrow, u"LEFT_ARROW", u"UP_ARROW_LEFT",
                                  u"DOWN_ARROW_LEFT"};
constexpr ArrowSkin kRightArrow = {keyboard_ids::kRightArrow, u"RIGHT_ARROW", u"UP_ARROW_RIGHT",
                                   u"DOWN_ARROW_RIGHT"};

}  // namespace

FlipKeys::FlipKeys(ButtonLookup buttons, const SkinImageSet& images, ProfileSettings& settings,
                   std::filesystem::path mainIni)
    : buttons_(std::move(buttons)),
      images_(images),
      settings_(settings),
      mainIni_(std::move(mainIni)) {}

int FlipKeys::ReadFlipSetting() const {
    return settings_.ReadFlip();
}

void FlipKeys::ToggleFlipSetting() {
    settings_.WriteFlip(ReadFlipSetting() == 0 ? 1 : 0);
    ApplyFlipSetting();
}

void FlipKeys::ApplyFlipSetting() {
    const bool flipped = ReadFlipSetting() != 0;
    for (int i = 0; i < keyboard_ids::kFlippedFKeyCount; ++i) {
        SetEnabled(keyboard_ids::kFirstFKey + i, !flipped);
    }
    // The D keys lie over F1..F4: hidden, they leave the F keys their clicks.
    for (int i = 0; i < keyboard_ids::kDKeyCount; ++i) {
        SetEnabled(keyboard_ids::kFirstDKey + i, flipped);
        if (CPngButton* key = buttons_(keyboard_ids::kFirstDKey + i)) {
            key->setVisible(flipped);
        }
    }
    if (CPngButton* indicator = buttons_(keyboard_ids::kFlipIndicator)) {
        const QPixmap* sheet =
            images_.Get(flipped ? SkinImageSet::kNormal2 : SkinImageSet::kNormal);
        indicator->SetStateImages(sheet, sheet, sheet, sheet, images_.Get(SkinImageSet::kDisabled));
    }
}

void FlipKeys::SetEnabled(int controlId, bool enabled) const {
    if (CPngButton* button = buttons_(controlId)) {
        button->setEnabled(enabled);
    }
}

void FlipKeys::UpdateArrow(ArrowSide side, int index, bool setFlag, bool visible) {
    if (index == 0 || index == 1) {
        arrowIndex_ = index;
    }
    if (setFlag) {
        arrowVisible_ = visible;
    }
    if (!arrowVisible_) {
        return;
    }
    const ArrowSkin& skin = side == ArrowSide::Left ? kLeftArrow : kRightArrow;
    CPngButton* arrow = buttons_(skin.buttonId);
    if (arrow == nullptr) {
        return;
    }
    const std::u16string_view name = ReadFlipSetting() != 0 ? skin.flippedName : skin.plainName;
    PlaceArrow(*arrow, mainIni_, kButtonInfoSection, skin.rectEntry, kPictureOffsetSection,
               ArrowOffsetKey(name, arrowIndex_), images_.Get(SkinImageSet::kArrow));
}

void FlipKeys::RedrawButton(int controlId) const {
    if (CPngButton* button = buttons_(controlId)) {
        button->Redraw();
    }
}

void FlipKeys::OnButtonRedrawn(QWidget* button, bool drewNormal) {
    if (button == nullptr) {
        return;
    }
    const auto is = [&](int controlId) {
        return button == static_cast<QWidget*>(buttons_(controlId));
    };
    if (is(kLockAbId)) {
        // The G keys' captions and pictures follow the A/B layer.
        for (const GKeyButton& key : kGKeyButtons) {
            if (CPngButton* gKey = buttons_(key.controlId)) {
                gKey->update();
            }
        }
    } else if (is(keyboard_ids::kEnter)) {
        // The tall Enter key overlaps the ] key.
        RedrawButton(kRightBracketKeyId);
    } else if (is(keyboard_ids::kFlipIndicator)) {
        if (ReadFlipSetting() == 0) {
            for (int i = 0; i < keyboard_ids::kFlippedFKeyCount; ++i) {
                RedrawButton(keyboard_ids::kFirstFKey + i);
            }
        } else {
            for (int i = 0; i < keyboard_ids::kDKeyCount; ++i) {
                RedrawButton(keyboard_ids::kFirstDKey + i);
            }
        }
        RedrawButton(keyboard_ids::kF5);
        RedrawButton(keyboard_ids::kLeftFlipButton);
        RedrawButton(keyboard_ids::kRightFlipButton);
    } else if (is(keyboard_ids::kLeftFlipButton)) {
        UpdateArrow(ArrowSide::Left, kKeepArrowIndex, true, drewNormal);
    } else if (is(keyboard_ids::kRightFlipButton)) {
        UpdateArrow(ArrowSide::Right, kKeepArrowIndex, true, drewNormal);
    }
}

void FlipKeys::AttachRedrawChains() {
    for (int controlId : kChainStarts) {
        if (CPngButton* button = buttons_(controlId)) {
            button->SetRedrawCallback([this](QWidget* redrawn, bool drewNormal) {
                OnButtonRedrawn(redrawn, drewNormal);
            });
        }
    }
}

}  // namespace tessel
