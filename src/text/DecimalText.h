#pragma once
// Whole numbers in decimal, for the texts the program composes itself:
// generated macro names, skin entry names, captions.

#include <string>

namespace tessel {

std::u16string DecimalText(long long value);

}  // namespace tessel
