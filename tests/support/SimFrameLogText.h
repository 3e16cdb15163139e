#pragma once
// The frame log that `torvex-sim log` prints, read back: for tests that drive
// the program from outside and ask the simulator what reached the keyboard.

#include <string>
#include <vector>

namespace tessel::testing {

// The profiles the keyboard was told to make active, in order: the
// device-information writes (command 4) and their byte 10, byte 18 of the
// frame.
std::vector<int> ActiveProfileWrites(const std::string& frameLog);

}  // namespace tessel::testing
