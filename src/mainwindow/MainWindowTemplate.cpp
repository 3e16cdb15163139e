#include "mainwindow/MainWindowIds.h"
#include "skin/qt/CPngButton.h"
#include "skin/qt/DialogTemplate.h"

namespace tessel {

namespace {

// The skin moves every one of them; these rectangles only matter for a skin
// that leaves an entry out.
const ControlTemplate kMainControls[] = {
    {kIdOk, Control<CPngButton>, u"OK", QRect(780, 560, 80, 26)},
    {kIdCancel, Control<CPngButton>, u"Cancel", QRect(870, 560, 80, 26)},
    {kIdApply, Control<CPngButton>, u"Apply", QRect(690, 560, 80, 26)},
    {kIdHelp, Control<CPngButton>, u"", QRect(880, 8, 24, 24)},
    {kIdMinimise, Control<CPngButton>, u"", QRect(910, 8, 24, 24)},
    {kIdClose, Control<CPngButton>, u"", QRect(940, 8, 24, 24)},
};

const DialogTemplate kMainDialog{kMainDialogId, u"Nerova PX5-RGB Keyboard", QSize(980, 600),
                                 kMainControls, false};

}  // namespace

const DialogTemplate& MainDialogTemplate() {
    return kMainDialog;
}

}  // namespace tessel
