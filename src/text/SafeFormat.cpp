#include "text/SafeFormat.h"

#include <cstddef>
#include <optional>

namespace tessel {
namespace {

constexpr std::size_t kMaxWidthDigits = 2;

struct Conversion {
    bool zeroPad = false;
    std::size_t width = 0;
    char16_t type = 0;
    std::size_t length = 0;  // units of the format it spans, '%' included
};

// The conversion starting at format[0] == '%', or nothing when it is not one
// this formatter fills.
std::optional<Conversion> ParseConversion(std::u16string_view format) {
    Conversion conversion;
    std::size_t i = 1;
    if (i < format.size() && format[i] == u'0') {
        conversion.zeroPad = true;
        ++i;
    }
    const std::size_t widthStart = i;
    while (i < format.size() && format[i] >= u'0' && format[i] <= u'9' &&
           i - widthStart < kMaxWidthDigits) {
        conversion.width = conversion.width * 10 + static_cast<std::size_t>(format[i] - u'0');
        ++i;
    }
    if (i >= format.size()) {
        return std::nullopt;
    }
    switch (format[i]) {
        case u'd':
        case u'i':
        case u'u':
        case u'x':
        case u'X':
        case u's':
            conversion.type = format[i];
            conversion.length = i + 1;
            return conversion;
        default:
            return std::nullopt;
    }
}

std::u16string Digits(unsigned long long value, unsigned base, bool upper) {
    const char16_t* digits = upper ? u"0123456789ABCDEF" : u"0123456789abcdef";
    std::u16string text;
    do {
        text.insert(text.begin(), digits[value % base]);
        value /= base;
    } while (value != 0);
    return text;
}

// Numbers print the way printf prints an int: negative values in %x and %u
// show their 32-bit two's complement unless they need more bits.
std::u16string FormatNumber(const Conversion& conversion, long long value) {
    const bool fitsInt = value >= -2147483648LL && value <= 4294967295LL;
    const unsigned long long asUnsigned =
        fitsInt && value < 0 ? static_cast<unsigned long long>(static_cast<std::uint32_t>(value))
                             : static_cast<unsigned long long>(value);
    std::u16string text;
    bool negative = false;
    switch (conversion.type) {
        case u'x':
        case u'X':
            text = Digits(asUnsigned, 16, conversion.type == u'X');
            break;
        case u'u':
            text = Digits(asUnsigned, 10, false);
            break;
        default:
            negative = value < 0;
            text = Digits(negative ? 0ull - static_cast<unsigned long long>(value)
                                   : static_cast<unsigned long long>(value),
                          10, false);
            break;
    }
    const std::size_t used = text.size() + (negative ? 1 : 0);
    if (used < conversion.width) {
        text.insert(0, conversion.width - used, conversion.zeroPad ? u'0' : u' ');
    }
    if (negative) {
        text.insert(conversion.zeroPad ? 0 : text.find_first_not_of(u' '), 1, u'-');
    }
    return text;
}

std::u16string FormatText(const Conversion& conversion, std::u16string_view value) {
    std::u16string text(value);
    if (text.size() < conversion.width) {
        text.insert(0, conversion.width - text.size(), u' ');
    }
    return text;
}

}  // namespace

std::u16string SafeFormat(std::u16string_view format, std::initializer_list<FormatArg> args) {
    std::u16string out;
    out.reserve(format.size());
    const FormatArg* next = args.begin();
    std::size_t i = 0;
    while (i < format.size()) {
        if (format[i] != u'%') {
            out.push_back(format[i++]);
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == u'%') {
            out.push_back(u'%');
            i += 2;
            continue;
        }
        const std::optional<Conversion> conversion = ParseConversion(format.substr(i));
        const bool wantsText = conversion && conversion->type == u's';
        if (!conversion || next == args.end() || next->IsText() != wantsText) {
            out.push_back(format[i++]);
            continue;
        }
        out += wantsText ? FormatText(*conversion, next->Text())
                         : FormatNumber(*conversion, next->Number());
        ++next;
        i += conversion->length;
    }
    return out;
}

}  // namespace tessel
