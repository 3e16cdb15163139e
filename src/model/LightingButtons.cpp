#include "model/LightingButtons.h"

namespace tessel {
namespace {

std::optional<int> SlotOrNothing(uint8_t slot) {
    if (slot >= kLedSlotCount) {
        return std::nullopt;
    }
    return slot;
}

}  // namespace

int LightingButtonCount(LightingButtonKind kind) {
    switch (kind) {
        case LightingButtonKind::Key:
            return kKeyButtonCount;
        case LightingButtonKind::GKey:
            return kGKeyButtonCount;
        case LightingButtonKind::Fn:
            return 1;
    }
    return 0;
}

int LightingButtonTotal() {
    return kKeyButtonCount + kGKeyButtonCount + 1;
}

std::optional<int> LightingButtonNumber(LightingButton button) {
    if (button.index < 0 || button.index >= LightingButtonCount(button.kind)) {
        return std::nullopt;
    }
    switch (button.kind) {
        case LightingButtonKind::Key:
            return button.index;
        case LightingButtonKind::GKey:
            return kKeyButtonCount + button.index;
        case LightingButtonKind::Fn:
            return kKeyButtonCount + kGKeyButtonCount;
    }
    return std::nullopt;
}

std::optional<int> LedSlotOf(LightingButton button) {
    if (!LightingButtonNumber(button)) {
        return std::nullopt;
    }
    switch (button.kind) {
        case LightingButtonKind::Key:
            return SlotOrNothing(kKeyButtons[static_cast<std::size_t>(button.index)].ledSlot);
        case LightingButtonKind::GKey:
            return SlotOrNothing(kGKeyButtons[static_cast<std::size_t>(button.index)].ledSlot);
        case LightingButtonKind::Fn:
            return SlotOrNothing(kFnButton.ledSlot);
    }
    return std::nullopt;
}

int ControlIdOf(LightingButton button) {
    switch (button.kind) {
        case LightingButtonKind::Key:
            return kKeyButtons[static_cast<std::size_t>(button.index)].controlId;
        case LightingButtonKind::GKey:
            return kGKeyButtons[static_cast<std::size_t>(button.index)].controlId;
        case LightingButtonKind::Fn:
            return kFnButton.controlId;
    }
    return 0;
}

std::optional<LightingButton> LightingButtonOfControl(int controlId) {
    if (const KeyButton* key = KeyButtonOfControl(controlId)) {
        return LightingButton{LightingButtonKind::Key, key->position};
    }
    if (const GKeyButton* gkey = GKeyButtonOfControl(controlId)) {
        return LightingButton{LightingButtonKind::GKey, gkey->position};
    }
    if (controlId == kFnButton.controlId) {
        return LightingButton{LightingButtonKind::Fn, 0};
    }
    return std::nullopt;
}

}  // namespace tessel
