#pragma once
// The text commands of the control socket, carried out on the keyboard.

#include <string>
#include <string_view>
#include <vector>

#include "SimKeyboard.h"

namespace torvex {

std::vector<std::string> SplitWords(std::string_view line);

// The answer's first line is "ok" or "error: <why>"; data lines follow.
std::string RunSimCommand(SimKeyboard& keyboard, const std::vector<std::string>& words);

}  // namespace torvex
