#include "model/KeyButtons.h"

#include "text/DecimalText.h"

namespace tessel {

namespace {

std::u16string UpperHex3(unsigned value) {
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    std::u16string text(3, u'0');
    for (int i = 2; i >= 0; --i) {
        text[i] = kDigits[value & 0xF];
        value >>= 4;
    }
    return text;
}

}  // namespace

std::u16string SkinEntryName(const KeyButton& button) {
    return u"KEY_" + UpperHex3(button.KeyIndex());
}

std::u16string SkinEntryName(const GKeyButton& button) {
    return u"FUNC_G" + DecimalText(button.GNumber());
}

const KeyButton* KeyButtonOfControl(int controlId) {
    for (const KeyButton& button : kKeyButtons) {
        if (button.controlId == controlId) {
            return &button;
        }
    }
    return nullptr;
}

const GKeyButton* GKeyButtonOfControl(int controlId) {
    for (const GKeyButton& button : kGKeyButtons) {
        if (button.controlId == controlId) {
            return &button;
        }
    }
    return nullptr;
}

}  // namespace tessel
