#include "mainwindow/KeyboardView.h"

#include <QColor>
#include <QString>

#include <vector>

#include "mainwindow/FlipKeys.h"
#include "mainwindow/LightingQtColour.h"
#include "mainwindow/SkinImageSet.h"
#include "model/AssignmentTooltip.h"
#include "model/ConfigStore.h"
#include "model/LightingModel.h"
#include "platform/qt/QtText.h"
#include "skin/qt/CPngButton.h"
#include "text/LanguageTable.h"
#include "text/LocalText.h"

namespace tessel {

namespace {

constexpr std::u16string_view kSwitchFunctionTextKey = u"IDS_MAIN_SWITCH_FUNCTION";
constexpr std::u16string_view kSwitchColourTextKey = u"IDS_MAIN_SWITCH_COLOR";

// The entries one refresh labels, copied under the store's lock so that no Qt
// work runs while it is held.
struct ShownEntries {
    std::array<KeyAssignment, kGKeyButtonCount> gKeys{};
    std::array<KeyAssignment, kKeyButtonCount> keys{};
    std::vector<MacroRecord> macros;
};

ShownEntries ReadShownEntries(const ConfigStore& store, int profile, bool bankB) {
    ShownEntries shown;
    const auto lock = store.Lock();
    const ProfileImage* image = store.Image();
    if (image == nullptr) {
        return shown;
    }
    for (const GKeyButton& key : kGKeyButtons) {
        if (const KeyAssignment* entry = EntryFor(*image, profile, key.KeyIndex(bankB))) {
            shown.gKeys[key.position] = *entry;
        }
    }
    for (const KeyButton& key : kKeyButtons) {
        if (const KeyAssignment* entry = EntryFor(*image, profile, key.KeyIndex())) {
            shown.keys[key.position] = *entry;
        }
    }
    shown.macros = store.Macros();
    return shown;
}

}  // namespace

KeyboardView::KeyboardView(KeyboardViewHost& host, ButtonLookup buttons, SkinImageSet& images,
                           ConfigStore& editStore, const TextLookup& texts,
                           const LanguageTable& table)
    : host_(host),
      buttons_(std::move(buttons)),
      images_(images),
      editStore_(editStore),
      texts_(texts),
      table_(table) {}

bool KeyboardView::BankB() const {
    return host_.ActiveLayer() == MacroLayer::B;
}

template <class Visit>
void KeyboardView::ForEachKeyShapedButton(Visit visit) const {
    ForEachLightingButton([&](LightingButton which) {
        if (CPngButton* button = buttons_(ControlIdOf(which))) {
            visit(*button, which);
        }
    });
}

void KeyboardView::ShowAssignments() {
    RefreshKeyButtonLabels();
    if (flipKeys_ != nullptr) {
        flipKeys_->ApplyFlipSetting();
    }
}

void KeyboardView::RefreshKeyButtonLabels() {
    const bool bankB = BankB();
    const ShownEntries shown = ReadShownEntries(editStore_, host_.ActiveProfile(), bankB);
    const AssignmentTooltipTexts texts{texts_, table_};
    for (const GKeyButton& key : kGKeyButtons) {
        if (CPngButton* button = buttons_(key.controlId)) {
            const AssignmentLabel label = AssignmentTooltip(
                GKeyButtonLabel(key.position), shown.gKeys[key.position], shown.macros, texts);
            ShowLabel(*button, label);
        }
    }
    for (const KeyButton& key : kKeyButtons) {
        if (CPngButton* button = buttons_(key.controlId)) {
            const AssignmentLabel label = AssignmentTooltip(
                KeyButtonLabel(key.code, texts), shown.keys[key.position], shown.macros, texts);
            ShowLabel(*button, label);
        }
    }
}

void KeyboardView::ResetKeyButtonLabel(int keyIndex) {
    const bool bankB = BankB();
    std::u16string label;
    CPngButton* button = nullptr;
    for (const GKeyButton& key : kGKeyButtons) {
        if (key.KeyIndex(bankB) == keyIndex) {
            button = buttons_(key.controlId);
            label = GKeyButtonLabel(key.position);
        }
    }
    for (const KeyButton& key : kKeyButtons) {
        if (key.KeyIndex() == keyIndex) {
            button = buttons_(key.controlId);
            label = KeyButtonLabel(key.code, {texts_, table_});
        }
    }
    if (button != nullptr) {
        ShowLabel(*button, AssignmentTooltip(label, KeyAssignment{}, {}, {texts_, table_}));
    }
}

void KeyboardView::ShowLabel(CPngButton& button, const AssignmentLabel& label) {
    // A disabled button draws its disabled picture whatever its mark.
    button.SetChecked(label.marked, button.isEnabled());
    button.SetTooltip(ToQString(label.tooltip), true);
}

void KeyboardView::ResetKeyLooks() {
    ForEachKeyShapedButton([](CPngButton& button, LightingButton) {
        button.SetOutline(button.OutlineColour(), button.OutlineStrength(), false);
        button.SetChecked(false, true);
    });
}

void KeyboardView::ShowKeyColours(const LightingModel& lighting) {
    ForEachKeyShapedButton([&](CPngButton& button, LightingButton which) {
        const std::optional<ColourRef> colour = lighting.ButtonColour(which);
        if (colour) {
            OutlineKey(button, *colour);
        } else {
            button.SetOutline(button.OutlineColour(), button.OutlineStrength(), false);
        }
    });
}

void KeyboardView::OutlineAllKeys(ColourRef colour) {
    ForEachKeyShapedButton([&](CPngButton& button, LightingButton) { OutlineKey(button, colour); });
}

void KeyboardView::ToggleColourKeysMode() {
    SetColourKeysMode(!colourKeysMode_);
}

void KeyboardView::SetColourKeysMode(bool on) {
    colourKeysMode_ = on;
    if (on) {
        images_.WantColourSheets();
    }
    LabelModeSwitch();
    ShowColourKeyLooks();
}

// The language file names the switch in the user's language; a file without
// the text leaves the language table's own.
void KeyboardView::LabelModeSwitch() {
    if (CPngButton* button = buttons_(keyboard_ids::kModeSwitch)) {
        const TextEntry entry = colourKeysMode_ ? TextEntry::MAIN_SWITCH_COLOR_TEXT
                                                : TextEntry::MAIN_SWITCH_FUNCTION_TEXT;
        const std::u16string localised =
            texts_.LocalText(colourKeysMode_ ? kSwitchColourTextKey : kSwitchFunctionTextKey);
        const bool missing = localised.empty() || localised == kMissingText;
        button->setText(ToQString(missing ? table_.Value(entry) : localised));
        button->update();
    }
}

std::array<bool, kKeyButtonCount> KeyboardView::ColourSelections() {
    std::array<bool, kKeyButtonCount> flags{};
    const int profile = host_.ActiveProfile();
    const auto lock = editStore_.Lock();
    const ProfileImage* image = editStore_.Image();
    if (image == nullptr) {
        return flags;
    }
    for (int position = 0; position < kKeyButtonCount; ++position) {
        const KeyAssignment* entry = EntryFor(*image, profile, position);
        flags[position] = entry != nullptr && entry->colourSelection != 0;
    }
    return flags;
}

void KeyboardView::ShowColourKeyLooks() {
    const std::array<bool, kKeyButtonCount> flags = ColourSelections();
    const int bankOffset = BankB() ? kGKeysPerBank : 0;
    const QPixmap* unselected = images_.Get(SkinImageSet::kColour0);
    const QPixmap* selected = images_.Get(SkinImageSet::kColour1);
    for (const GKeyButton& key : kGKeyButtons) {
        if (CPngButton* button = buttons_(key.controlId)) {
            button->SetAltSources(unselected, selected, colourKeysMode_,
                                  flags[key.position + bankOffset]);
        }
    }
    for (const KeyButton& key : kKeyButtons) {
        if (CPngButton* button = buttons_(key.controlId)) {
            button->SetAltSources(unselected, selected, colourKeysMode_, flags[key.position]);
        }
    }
}

}  // namespace tessel
