#pragma once
// The keyboard picture of the main window: how its key-shaped buttons show
// their assignments (mark and tooltip), the colour keys mode in which a click
// selects a key's colour instead of opening its editor, the key colours of the
// custom lighting effect as outlines, and what a click on each button does.

#include <array>
#include <optional>
#include <string_view>

#include "device/StatusWindow.h"
#include "mainwindow/KeyboardViewButtons.h"
#include "model/KeyButtons.h"
#include "model/LightingColour.h"

namespace tessel {

class ConfigStore;
class FlipKeys;
class LanguageTable;
class LightingModel;
class SkinImageSet;
class TextLookup;
struct AssignmentLabel;

// Where the key-assignment editor is told which key to edit.
struct KeyEditorTarget {
    int layer = 0;     // always 0 from the main window
    int keyIndex = 0;  // KeyIndexOf of the key, or 256 + bank position for a G key
    int controlId = 0;
    bool macroOnly = false;  // true exactly for G9 (1143)
};

// What the keyboard picture needs of the main window.
class KeyboardViewHost {
public:
    virtual ~KeyboardViewHost() = default;
    // The keyboard's active profile (GetActiveProfile); -1 when unknown.
    virtual int ActiveProfile() = 0;
    virtual MacroLayer ActiveLayer() const = 0;
    virtual bool LightingSwitchOn() const = 0;
    // A key click while the lighting switch is on.
    virtual void PaintKey(int controlId) = 0;
    virtual void EnableApply(bool enable) = 0;
    // Runs the key-assignment editor modally; its result.
    virtual int OpenKeyEditor(const KeyEditorTarget& target) = 0;
};

class KeyboardView {
public:
    KeyboardView(KeyboardViewHost& host, ButtonLookup buttons, SkinImageSet& images,
                 ConfigStore& editStore, const TextLookup& texts, const LanguageTable& table);

    // ShowAssignments ends by re-applying the flip setting of these keys.
    void AttachFlipKeys(FlipKeys& flipKeys) { flipKeys_ = &flipKeys; }

    // Marks and describes every G-key and key button by its assignment in the
    // active profile, then re-applies the flip setting.
    void ShowAssignments();
    // The same without the flip setting: what an editor runs after a change.
    void RefreshKeyButtonLabels();
    // Unmarks the button of that key index (a G key of the shown bank or a key
    // button) and gives it the tooltip of an unassigned key; other indices are
    // ignored.
    void ResetKeyButtonLabel(int keyIndex);

    // Every key, G-key and Fn button: no outline, not marked.
    void ResetKeyLooks();
    // Every key, G-key and Fn button outlined in its LED slot's colour of the
    // current profile; G8 and G9 have no LED and keep their pictures.
    void ShowKeyColours(const LightingModel& lighting);
    void OutlineAllKeys(ColourRef colour);

    // False (the function keys mode) at start; not saved.
    bool ColourKeysMode() const { return colourKeysMode_; }
    // The switch button's handler.
    void ToggleColourKeysMode();
    // Sets the mode, the switch button's text and the keys' looks.
    void SetColourKeysMode(bool on);
    void LabelModeSwitch();
    // Every G-key and key button draws its colour-selection look while the mode
    // is on, its skin pictures while it is off.
    void ShowColourKeyLooks();

    // The click of every key-shaped button (key buttons, G keys, Fn, D1..D6,
    // the hidden Enter 1057 and the A/B indicator).
    void OnKeyButtonClick(int controlId);
    // Colour keys mode: toggles the key's colour selection and enables Apply.
    // Function keys mode: opens the key-assignment editor for the key. 0 when
    // done, -1 for an id that is neither a key button nor a G-key button.
    int OpenKeyEntry(int controlId);

private:
    struct KeyPosition {
        int position;  // entry of the colour-selection flag: bank or list position
        int keyIndex;
    };
    bool BankB() const;
    std::optional<KeyPosition> PositionOf(int controlId) const;
    void ShowLabel(CPngButton& button, const AssignmentLabel& label);
    // The button may be missing from the window; the flag and the editor still work.
    void ToggleColourSelection(CPngButton* button, int position);
    void EditKey(CPngButton* button, const KeyEditorTarget& target);
    // The colour-selection flags of the active profile by position; all clear
    // when the profile is unknown.
    std::array<bool, kKeyButtonCount> ColourSelections();
    void RestoreKeyPictures(CPngButton& button) const;
    template <class Visit>
    void ForEachKeyShapedButton(Visit visit) const;

    KeyboardViewHost& host_;
    ButtonLookup buttons_;
    SkinImageSet& images_;
    ConfigStore& editStore_;
    const TextLookup& texts_;
    const LanguageTable& table_;
    FlipKeys* flipKeys_ = nullptr;
    bool colourKeysMode_ = false;
};

}  // namespace tessel
