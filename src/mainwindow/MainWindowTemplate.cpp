#include <iterator>
#include <vector>

#include "mainwindow/KeyboardViewButtons.h"
#include "mainwindow/LightingPanelControls.h"
#include "mainwindow/LockIndicators.h"
#include "mainwindow/MainWindowIds.h"
#include "model/KeyButtons.h"
#include "skin/qt/CPngButton.h"
#include "skin/qt/DialogTemplate.h"

namespace tessel {

namespace {

// The skin moves every one of them; these rectangles only matter for a skin
// that leaves an entry out.
const ControlTemplate kWindowControls[] = {
    {kIdOk, Control<CPngButton>, u"OK", QRect(780, 560, 80, 26)},
    {kIdCancel, Control<CPngButton>, u"Cancel", QRect(870, 560, 80, 26)},
    {kIdApply, Control<CPngButton>, u"Apply", QRect(690, 560, 80, 26)},
    {kIdHelp, Control<CPngButton>, u"", QRect(880, 8, 24, 24)},
    {kIdMinimise, Control<CPngButton>, u"", QRect(910, 8, 24, 24)},
    {kIdClose, Control<CPngButton>, u"", QRect(940, 8, 24, 24)},
    {kIdSceneButton, Control<CPngButton>, u"", QRect(495, 60, 170, 42)},
    {kIdMacroButton, Control<CPngButton>, u"Macro", QRect(681, 64, 128, 34)},
    {kIdSceneMenuButton, Control<CPngButton>, u"", QRect(1, 1, 1, 1), false},
    {kIdTestButton, Control<CPngButton>, u"", QRect(1, 1, 1, 1), false},
    {kIdLink, Control<CPngButton>, u"", QRect(20, 11, 32, 32)},
    {kIdVersionLabel, Control<CPngButton>, u"", QRect(250, 19, 200, 18)},
    {kIdDefaults, Control<CPngButton>, u"Default", QRect(817, 64, 128, 34)},
    {kIdCommandMenu, Control<CPngButton>, u"", QRect(1016, 11, 32, 32)},
    {keyboard_ids::kModeSwitch, Control<CPngButton>, u"", QRect(953, 64, 152, 34)},
    {keyboard_ids::kFlipIndicator, Control<CPngButton>, u"", QRect(273, 118, 58, 22)},
    {keyboard_ids::kLeftFlipButton, Control<CPngButton>, u"", QRect(181, 118, 62, 22)},
    {keyboard_ids::kRightFlipButton, Control<CPngButton>, u"", QRect(361, 118, 62, 22)},
    {keyboard_ids::kLeftArrow, Control<CPngButton>, u"", QRect(247, 118, 22, 22)},
    {keyboard_ids::kRightArrow, Control<CPngButton>, u"", QRect(335, 118, 22, 22)},
    {keyboard_ids::kHiddenEnter, Control<CPngButton>, u"", QRect(1, 1, 1, 1), false},
};

// The skin has no entries for D1 to D6: they share the row of F1 to F4.
constexpr QRect AlternateKeyRect(int index) {
    return QRect(183 + index * 29, 152, 29, 40);
}
constexpr char16_t kAlternateKeyCaptions[][3] = {u"D1", u"D2", u"D3", u"D4", u"D5", u"D6"};

// Where a key the skin leaves out would sit; it is hidden then anyway.
constexpr QRect kUnplacedKey(1, 1, 1, 1);

// The window's own buttons, then the keyboard: the key buttons and G keys of the
// shared button table and the lock indicators.
std::vector<ControlTemplate> MainControls() {
    std::vector<ControlTemplate> controls(std::begin(kWindowControls), std::end(kWindowControls));
    for (const KeyButton& key : kKeyButtons) {
        controls.push_back({key.controlId, Control<CPngButton>, u"", kUnplacedKey});
    }
    for (const GKeyButton& key : kGKeyButtons) {
        controls.push_back({key.controlId, Control<CPngButton>, u"", kUnplacedKey});
    }
    controls.push_back({kFnButton.controlId, Control<CPngButton>, u"", kUnplacedKey});
    for (int i = 0; i < keyboard_ids::kDKeyCount; ++i) {
        controls.push_back({keyboard_ids::kFirstDKey + i, Control<CPngButton>,
                            kAlternateKeyCaptions[i], AlternateKeyRect(i)});
    }
    for (int id : kProfileButtonIds) {
        controls.push_back({id, Control<CPngButton>, u"", kUnplacedKey});
    }
    for (int id : kReportRateButtonIds) {
        controls.push_back({id, Control<CPngButton>, u"", kUnplacedKey});
    }
    const std::vector<ControlTemplate> panel = LightingPanelControls();
    controls.insert(controls.end(), panel.begin(), panel.end());
    for (const LockIndicatorSkin& indicator : kLockIndicators) {
        controls.push_back({indicator.id, Control<CPngButton>, u"", kUnplacedKey});
    }
    return controls;
}

}  // namespace

const DialogTemplate& MainDialogTemplate() {
    static const std::vector<ControlTemplate> controls = MainControls();
    static const DialogTemplate dialog{kMainDialogId, u"Nerova PX5-RGB Keyboard", QSize(980, 600),
                                       controls, false};
    return dialog;
}

}  // namespace tessel
