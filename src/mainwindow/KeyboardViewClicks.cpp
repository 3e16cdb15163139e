// What a click on a key-shaped button of the keyboard picture does.

#include <iterator>

#include "mainwindow/KeyboardView.h"
#include "mainwindow/LockIndicators.h"
#include "mainwindow/SkinImageSet.h"
#include "model/ConfigStore.h"
#include "skin/qt/CPngButton.h"

namespace tessel {

namespace {

constexpr int kBackquoteKeyId = 1029;
constexpr int kTKeyId = 1048;
constexpr int kG8KeyId = 1142;
constexpr int kG9KeyId = 1143;

enum class ClickAction {
    PaintOrOpen,     // paint while the lighting switch is on, else open the key's entry
    AlwaysOpen,      // open the key's entry whatever the lighting switch
    PaintOrNothing,  // paint while the lighting switch is on
    Nothing,
};

struct ClickRule {
    int controlId;
    ClickAction action;
};

// Buttons that differ from the common rule of the key, G-key and D buttons.
constexpr ClickRule kClickRules[] = {
    {kBackquoteKeyId, ClickAction::Nothing}, {kTKeyId, ClickAction::Nothing},
    {kLockAbId, ClickAction::Nothing},       {kG8KeyId, ClickAction::AlwaysOpen},
    {kG9KeyId, ClickAction::AlwaysOpen},     {kFnButton.controlId, ClickAction::PaintOrNothing},
};

bool IsDKey(int controlId) {
    return controlId >= keyboard_ids::kFirstDKey &&
           controlId < keyboard_ids::kFirstDKey + keyboard_ids::kDKeyCount;
}

ClickAction ClickActionOf(int controlId) {
    for (const ClickRule& rule : kClickRules) {
        if (rule.controlId == controlId) {
            return rule.action;
        }
    }
    if (KeyButtonOfControl(controlId) != nullptr || GKeyButtonOfControl(controlId) != nullptr ||
        IsDKey(controlId)) {
        return ClickAction::PaintOrOpen;
    }
    return ClickAction::Nothing;
}

}  // namespace

void KeyboardView::OnKeyButtonClick(int controlId) {
    if (controlId == keyboard_ids::kHiddenEnter) {
        controlId = keyboard_ids::kEnter;
    }
    switch (ClickActionOf(controlId)) {
        case ClickAction::PaintOrOpen:
            if (host_.LightingSwitchOn()) {
                host_.PaintKey(controlId);
            } else {
                OpenKeyEntry(controlId);
            }
            break;
        case ClickAction::AlwaysOpen:
            OpenKeyEntry(controlId);
            break;
        case ClickAction::PaintOrNothing:
            if (host_.LightingSwitchOn()) {
                host_.PaintKey(controlId);
            }
            break;
        case ClickAction::Nothing:
            break;
    }
}

std::optional<KeyboardView::KeyPosition> KeyboardView::PositionOf(int controlId) const {
    if (const GKeyButton* key = GKeyButtonOfControl(controlId)) {
        const bool bankB = BankB();
        return KeyPosition{key->position + (bankB ? kGKeysPerBank : 0), key->KeyIndex(bankB)};
    }
    if (const KeyButton* key = KeyButtonOfControl(controlId)) {
        return KeyPosition{key->position, key->KeyIndex()};
    }
    return std::nullopt;
}

int KeyboardView::OpenKeyEntry(int controlId) {
    const std::optional<KeyPosition> key = PositionOf(controlId);
    if (!key) {
        return -1;
    }
    CPngButton* button = buttons_(controlId);
    if (colourKeysMode_) {
        ToggleColourSelection(button, key->position);
    } else {
        EditKey(button, KeyEditorTarget{0, key->keyIndex, controlId, controlId == kG9KeyId});
    }
    return 0;
}

void KeyboardView::ToggleColourSelection(CPngButton* button, int position) {
    const int profile = host_.ActiveProfile();
    std::optional<bool> selected;
    {
        const auto lock = editStore_.Lock();
        ProfileImage* image = editStore_.Image();
        KeyAssignment* entry = image ? EntryFor(*image, profile, position) : nullptr;
        if (entry != nullptr) {
            entry->colourSelection = entry->colourSelection == 0 ? 1 : 0;
            selected = entry->colourSelection != 0;
        }
    }
    // With the active profile unknown there is no entry to change.
    if (!selected) {
        return;
    }
    if (button != nullptr) {
        button->SetAltSources(images_.Get(SkinImageSet::kColour0),
                              images_.Get(SkinImageSet::kColour1), true, *selected, true);
    }
    host_.EnableApply(true);
}

void KeyboardView::EditKey(CPngButton* button, const KeyEditorTarget& target) {
    if (button != nullptr) {
        // The selected look while the editor is open.
        const QPixmap* over = images_.Get(SkinImageSet::kOver);
        button->SetStateImages(over, over, images_.Get(SkinImageSet::kDown),
                               images_.Get(SkinImageSet::kNormal), over, false);
    }
    host_.OpenKeyEditor(target);
    if (button != nullptr) {
        RestoreKeyPictures(*button);
    }
}

void KeyboardView::RestoreKeyPictures(CPngButton& button) const {
    const QPixmap* normal = images_.Get(SkinImageSet::kNormal);
    button.SetStateImages(normal, images_.Get(SkinImageSet::kOver),
                          images_.Get(SkinImageSet::kDown), normal,
                          images_.Get(SkinImageSet::kDisabled), true);
}

}  // namespace tessel
