#include "mainwindow/LockIndicators.h"

#include <QString>

#include "platform/qt/QtText.h"
#include "skin/qt/CPngButton.h"

namespace tessel {

LockIndicators::LockIndicators(const LockIndicatorButtons& buttons, const QPixmap* normalSheet,
                               const QPixmap* overSheet)
    : buttons_(buttons), normalSheet_(normalSheet), overSheet_(overSheet) {}

void LockIndicators::DisableIndicators() {
    for (CPngButton* indicator : {buttons_.caps, buttons_.num, buttons_.scroll, buttons_.ab})
        if (indicator != nullptr)
            indicator->setEnabled(false);
}

void LockIndicators::ShowLayer(MacroLayer layer) {
    if (buttons_.ab != nullptr) {
        // Every state shows the indicator's own area of one sheet.
        const QPixmap* sheet = layer == MacroLayer::B ? overSheet_ : normalSheet_;
        const QPoint area = buttons_.ab->pos();
        buttons_.ab->SetImages(area.x(), area.y(), sheet, sheet, sheet, sheet, sheet);
    }
    for (int position = 0; position < kGKeyButtonCount; ++position) {
        CPngButton* key = buttons_.macroKeys[position];
        if (key == nullptr)
            continue;
        const std::u16string_view caption = MacroKeyCaption(layer, position);
        key->setText(ToQString(caption));
        key->update();
    }
}

}  // namespace tessel
