#include <iterator>
#include <vector>

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
};

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
