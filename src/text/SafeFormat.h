#pragma once
// Formatting of texts that come from files (language files, the language
// table) and are used as format strings. Only the conversions below are filled,
// and only from the arguments given; anything else is printed as it stands, so
// a bad text can never read memory that was not passed.
//
//   %d %i %u    a number in decimal          %x %X   a number in hexadecimal
//   %s          a text                       %%      a percent sign
//
// A '0' flag and a width of up to two digits are accepted (%03x, %02d). A
// conversion whose next argument is missing or of the other kind (a text for
// %d, a number for %s) is printed as it stands and leaves the argument for the
// next conversion.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace tessel {

class FormatArg {
public:
    FormatArg(int value) : number_(value) {}
    FormatArg(unsigned value) : number_(value) {}
    FormatArg(long value) : number_(value) {}
    FormatArg(unsigned long value) : number_(static_cast<long long>(value)) {}
    FormatArg(long long value) : number_(value) {}
    FormatArg(unsigned long long value) : number_(static_cast<long long>(value)) {}
    FormatArg(std::u16string_view text) : text_(text), isText_(true) {}
    FormatArg(const std::u16string& text) : text_(text), isText_(true) {}
    FormatArg(const char16_t* text) : text_(text ? text : u""), isText_(true) {}

    bool IsText() const { return isText_; }
    long long Number() const { return number_; }
    std::u16string_view Text() const { return text_; }

private:
    long long number_ = 0;
    std::u16string_view text_;
    bool isText_ = false;
};

std::u16string SafeFormat(std::u16string_view format, std::initializer_list<FormatArg> args);

}  // namespace tessel
