#pragma once
// Whose turn it is to talk to the keyboard, for a keyboard command typed at a
// terminal: the running instance's (it carries the command out), this
// process's (holding the single-instance mutex, so no window start or other
// command talks to the keyboard meanwhile), or nobody's within the wait.

#include <string>
#include <string_view>

#include "platform/NamedMutex.h"

namespace tessel {

struct KeyboardTurn {
    int instance = 0;     // the running instance to ask; 0: not that
    std::string refusal;  // why nothing is done; empty: not that
    // Otherwise this process talks to the keyboard itself.
};

KeyboardTurn WaitForKeyboardTurn(NamedMutex& mutex, std::string_view programFileName);

}  // namespace tessel
