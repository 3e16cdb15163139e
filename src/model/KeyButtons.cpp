#include "model/KeyButtons.h"

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

std::u16string Decimal(int value) {
    std::u16string text;
    do {
        text.insert(text.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value > 0);
    return text;
}

}  // namespace

std::u16string SkinEntryName(const KeyButton& button) {
    return u"KEY_" + UpperHex3(button.KeyIndex());
}

std::u16string SkinEntryName(const GKeyButton& button) {
    return u"FUNC_G" + Decimal(button.GNumber());
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
