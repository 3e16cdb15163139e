#pragma once
// Messages on standard error, shown only at the level set through Debug().

#include <string_view>

namespace torvex {

int SetDebugLevel(int level);  // returns the previous level
void DebugMessage(int level, std::string_view text);

}  // namespace torvex
