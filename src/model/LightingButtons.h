#pragma once
// The main-window buttons that carry a key colour, and the LED slot each one
// lights: the 104 key buttons and the 9 G-key buttons of the shared button
// table, and the Fn button.

#include <optional>

#include "model/KeyButtons.h"

namespace tessel {

enum class LightingButtonKind { Key, GKey, Fn };

struct LightingButton {
    LightingButtonKind kind = LightingButtonKind::Key;
    int index = 0;  // position in the key-button or G-key-button table; 0 for Fn
};

int LightingButtonCount(LightingButtonKind kind);
// Nothing for a button without its own LED slot (G8, G9) or an index outside
// the tables: colour changes for it are dropped.
std::optional<int> LedSlotOf(LightingButton button);
// Dense number 0 .. total - 1 over all three kinds (key buttons, G keys, Fn),
// or nothing for an index outside the tables.
std::optional<int> LightingButtonNumber(LightingButton button);
int LightingButtonTotal();

// The main-window control that shows the button, and the other way round.
int ControlIdOf(LightingButton button);
std::optional<LightingButton> LightingButtonOfControl(int controlId);

// Every button that carries a colour, in repaint order: key buttons, G keys, Fn.
template <typename Visit>
void ForEachLightingButton(Visit visit) {
    for (LightingButtonKind kind :
         {LightingButtonKind::Key, LightingButtonKind::GKey, LightingButtonKind::Fn}) {
        for (int i = 0; i < LightingButtonCount(kind); ++i) {
            visit(LightingButton{kind, i});
        }
    }
}

}  // namespace tessel
