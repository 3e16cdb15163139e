#include "text/DecimalText.h"

namespace tessel {

std::u16string DecimalText(long long value) {
    // The magnitude as unsigned, so the most negative value has one too.
    unsigned long long magnitude = value < 0 ? 0ull - static_cast<unsigned long long>(value)
                                             : static_cast<unsigned long long>(value);
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude > 0);
    if (value < 0) {
        digits.insert(digits.begin(), u'-');
    }
    return digits;
}

}  // namespace tessel
